// Prints the kiosk core's figures: reading a full configuration file and writing log
// lines that are on disk when WriteLog returns.
//   kiosk_bench [Tarnwick.ini] [log folder]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "kiosk/core/log/activity_log.h"
#include "kiosk/core/settings/kiosk_config.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

}  // namespace

int main(int argc, char** argv) {
  const std::string ini = argc > 1 ? argv[1] : std::string(TARNWICK_SOURCE_DIR) + "/demo/Tarnwick.ini";
  const std::string folder =
      argc > 2 ? argv[2] : (std::filesystem::temp_directory_path() / "tarnwick-bench-log").string();

  // Configuration: a fresh file object each time, as at start-up.
  constexpr int kReads = 200;
  auto start = Clock::now();
  std::size_t keys = 0;
  for (int i = 0; i < kReads; ++i) {
    const tw::ProfileFile file(ini);
    const tw::KioskConfigResult r = tw::ReadKioskConfig(file);
    keys += r.config.block_list.size();
  }
  const double read_s = SecondsSince(start) / kReads;
  std::printf("configuration: %s read in %.3f ms (mean of %d)\n", ini.c_str(), read_s * 1000, kReads);

  // Log lines, each on disk before WriteLog returns.
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder + "/log");
  std::filesystem::create_directories(folder + "/feedback/sent");
  tw::SystemClock clock;
  tw::LogMail mail;
  tw::ActivityLog log({folder + "/log/", folder + "/feedback/", folder + "/feedback/sent/"}, {}, clock, mail,
                      [](const std::string& e) { std::fprintf(stderr, "%s\n", e.c_str()); });
  log.Open();
  constexpr int kLines = 2000;
  start = Clock::now();
  for (int i = 0; i < kLines; ++i)
    log.WriteLog("Page Loaded - file:///srv/kiosk/pages/page" + std::to_string(i) + ".htm");
  const double write_s = SecondsSince(start);
  std::printf("activity log: %d lines in %.3f s = %.0f lines/s (each synced to disk) in %s\n", kLines, write_s,
              kLines / write_s, folder.c_str());
  log.Close();
  std::filesystem::remove_all(folder);
  return keys > 0 ? 0 : 1;
}
