#include "devtools/browser_command_line.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "common/system/command_line.h"

namespace tw {

std::vector<std::string> BrowserArguments(const BrowserStart& start) {
  std::vector<std::string> argv = SplitCommandLine(start.file_name);
  if (argv.empty()) return argv;
  const std::vector<std::string> kiosk_flags = {
      // The control channel is a private pair of pipes: no port another program could use.
      "--remote-debugging-pipe",
      "--user-data-dir=" + start.profile_dir,
      "--no-first-run",
      "--no-default-browser-check",
      // Nothing of the browser's own asks a visitor anything: no restore bubble, no
      // translation offer, no keyring prompt, no error dialogs, printing without a dialog.
      "--disable-session-crashed-bubble",
      "--disable-features=Translate,MediaRouter",
      "--password-store=basic",
      "--noerrdialogs",
      "--kiosk-printing",
      "--disable-print-preview",
      "--disable-sync",
      // None of the browser's own windows over the page: no "page unresponsive" question
      // (the kiosk ends a page that does not answer), no permission bubbles (every
      // permission is refused as it would be asked).
      "--disable-hang-monitor",
      "--deny-permission-prompts",
      // No information bar over the page about the flags the kiosk needs.
      "--test-type",
      // The page on the accessibility bus for a screen reader started at any time (the
      // speech button starts one); the browser builds its tree only when told at start.
      "--force-renderer-accessibility",
  };
  argv.insert(argv.end(), kiosk_flags.begin(), kiosk_flags.end());
  // The browser refuses to run as root with its sandbox (the kiosk as a system service).
  if (::geteuid() == 0) argv.push_back("--no-sandbox");
  if (start.headless) {
    argv.push_back("--headless");
    argv.push_back("about:blank");
  } else {
    // A window of the page alone (no tabs, no address bar), small and out of the way
    // until the kiosk has put it in its place.
    argv.push_back("--window-position=50,50");
    argv.push_back("--window-size=200,200");
    // (An app window needs a real document: "about:blank" would give an ordinary one.)
    argv.push_back(std::string("--app=") + kBrowserFirstDocument);
  }
  return argv;
}

std::vector<std::string> BrowserEnvironment(const BrowserStart& start) {
  const std::string home = start.profile_dir + "/home";
  const char* path = std::getenv("PATH");
  return {"HOME=" + home,
          "XDG_CONFIG_HOME=" + home + "/.config",
          "XDG_CACHE_HOME=" + home + "/.cache",
          "XDG_DATA_HOME=" + home + "/.local/share",
          "TMPDIR=" + (start.temp_dir.empty() ? start.profile_dir + "/tmp" : start.temp_dir),
          "PATH=" + start.profile_dir + "/bin:" + (path != nullptr && *path != '\0' ? path : "/usr/bin:/bin")};
}

bool WriteBrowserHelpers(const std::string& profile_dir) {
  const std::string bin = profile_dir + "/bin";
  std::error_code error;
  std::filesystem::create_directories(bin, error);
  if (error) return false;
  const struct {
    const char* name;
    const char* text;
  } helpers[] = {
      {"xdg-settings",
       "#!/bin/sh\n"
       "# The kiosk's browser handles every address itself: it hands none to another program.\n"
       "case \"$1 $2\" in\n"
       "  \"check default-url-scheme-handler\"|\"check default-web-browser\") echo yes; exit 0 ;;\n"
       "esac\n"
       "exit 1\n"},
      {"xdg-open", "#!/bin/sh\n# Nothing is opened with another program from the kiosk's browser.\nexit 1\n"},
  };
  for (const auto& helper : helpers) {
    const std::string file = bin + "/" + helper.name;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << helper.text;
    out.close();
    if (!out || ::chmod(file.c_str(), 0755) != 0) return false;
  }
  return true;
}

bool WriteBrowserPreferences(const std::string& profile_dir) {
  const std::string folder = profile_dir + "/Default";
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return false;
  std::ofstream out(folder + "/Preferences", std::ios::binary | std::ios::trunc);
  out << R"({"net":{"network_prediction_options":2},)"
         R"("plugins":{"always_open_pdf_externally":true},)"
         R"("download":{"prompt_for_download":false},)"
         R"("incognito":{"mode_availability":1},)"
         R"("translate":{"enabled":false},)"
         R"("credentials_enable_service":false,)"
         R"("autofill":{"profile_enabled":false,"credit_card_enabled":false},)"
         R"("browser":{"check_default_browser":false}})";
  out.close();
  return static_cast<bool>(out);
}

std::string MakeBrowserTempDir() {
  // Room for the browser's own "org.chromium.Chromium.XXXXXX/SingletonSocket" below it.
  constexpr std::size_t kLongest = 48;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::vector<std::string> bases;
  if (runtime != nullptr && runtime[0] == '/' && std::string_view(runtime).size() < kLongest - 24) {
    bases.emplace_back(runtime);
  }
  bases.emplace_back("/tmp");
  for (const std::string& base : bases) {
    std::string path = base + "/tarnwick-browser-XXXXXX";
    if (::mkdtemp(path.data()) != nullptr) return path;  // mkdtemp makes it 0700
  }
  return {};
}

}  // namespace tw
