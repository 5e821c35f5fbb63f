#include "kiosk/browser/navigation_policy.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace tw {
namespace {

constexpr auto A = NavigationVerdict::kAllow;
constexpr auto R = NavigationVerdict::kRefuse;
constexpr auto Q = NavigationVerdict::kRefuseQuietly;

// The spellings a page (or a setting, or another program) can give the same address in,
// each judged as the engines would read it.
TEST(NavigationPolicy, OneRuleWhateverTheSpelling) {
  const NavigationPolicy policy({{"data", "zoommtg"}, true, "/opt/kiosk", {"/srv/pages/"}});
  struct Case {
    const char* url;
    bool main_frame;
    NavigationVerdict verdict;
  };
  const Case cases[] = {
      {"https://example.org/", true, A},
      {"  HTTP://example.org/", true, A},
      {"tw-command:start?", true, A},
      {"about:blank", true, A},
      {"About:Blank#top", true, A},
      {"about:srcdoc", false, A},
      {"about:srcdoc", true, R},
      {"about:version", true, R},
      {"data:text/html,x", true, A},  // the operator's
      {"blob:https://x/1", true, R},  // not the operator's: frames only
      {"blob:https://x/1", false, A},
      {"zoommtg://meet", true, R},  // listed, but only another program opens it
      {"mailto:a@b.c", true, Q},
      // The browser's own pages, in any case and spelling.
      {"view-source:https://example.org/", true, R},
      {"VIEW-SOURCE:file:///opt/kiosk/pages/a.htm", true, R},
      {" view-source:view-source:https://x/", true, R},
      {"vi\tew-sou\nrce:https://x/", true, R},
      {"chrome://settings", true, R},
      {"Chrome://version", false, R},
      {"chrome-untrusted://print/", true, R},
      {"chrome-extension://abc/x.html", false, R},
      {"devtools://devtools/bundled/inspector.html", true, R},
      {"java\nscript:alert(1)", true, R},
      {"", true, R},
      {"not a url", true, R},
      // Local files: the program folder's pages and the operator's folders only.
      {"file:///opt/kiosk/pages/start.htm", true, A},
      {"FILE:///opt/kiosk/pages/start.htm?x#y", true, A},
      {"file://localhost/opt/kiosk/help.htm", true, A},
      {"file:/opt/kiosk/pages/a.htm", true, A},
      {"file:///opt/kiosk/pages/%61.htm", true, A},
      {"file:///srv/pages/x/y.htm", true, A},
      {"file:///etc/passwd", true, R},
      {"file:/etc/passwd", true, R},
      {"file://localhost/etc/passwd", true, R},
      {"file://server/opt/kiosk/pages/a.htm", true, R},
      {"file:///opt/kiosk/pages/../../../etc/passwd", true, R},
      {"file:///opt/kiosk/%2e%2e/%2E%2E/etc/passwd", true, R},
      {"file:///opt/kiosk/pages%2f..%2f..%2f..%2fetc/passwd", true, R},
      {"file:///opt/kiosk\\..\\..\\etc\\passwd", true, R},
      {"file:///opt/kiosk-other/a.htm", true, R},
      {"file:///opt/kiosk", true, R},
      {"file:///opt/kiosk/", true, R},  // the folder's listing shows its settings
      {"file:///opt/kiosk/Tarnwick.ini", true, R},
      {"file:///opt/kiosk/pages/../Tarnwick.ini.bak", false, R},
      {"file:///opt/kiosk/log/TWCurrentLog.txt", true, R},
      {"file:///opt/kiosk/Configurations/x.ini", true, R},
      {"file:///opt/kiosk/browser-profile/Default/Cookies", true, R},
      {"file:///opt/kiosk/pages/x%00.htm", true, R},
      {"file:///C|/Tarnwick/start.htm", true, R},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(policy.Check(c.url, c.main_frame), c.verdict) << c.url << (c.main_frame ? " (page)" : " (frame)");
  }
}

// A program folder reached through a link is the same folder under either name.
TEST(NavigationPolicy, TheProgramFolderUnderItsResolvedName) {
  test::TempDir dir;
  const std::filesystem::path real = std::filesystem::path(dir.path()) / "real";
  std::filesystem::create_directories(real / "pages");
  std::filesystem::create_directory_symlink(real, std::filesystem::path(dir.path()) / "link");
  const NavigationPolicy policy({{}, false, (std::filesystem::path(dir.path()) / "link").string(), {}});
  EXPECT_EQ(policy.Check("file://" + (real / "pages/a.htm").string(), true), A);
  EXPECT_EQ(policy.Check("file://" + (std::filesystem::path(dir.path()) / "link/pages/a.htm").string(), true), A);
  EXPECT_EQ(policy.Check("file://" + (real / "Tarnwick.ini").string(), true), R);
  EXPECT_EQ(policy.Check("mailto:a@b.c", true), R);  // without the e-mail window: blocked
}

}  // namespace
}  // namespace tw
