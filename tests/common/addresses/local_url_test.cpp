#include "common/addresses/local_url.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace tw {
namespace {

TEST(LocalUrl, FromWindowsPath) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\Kiosk\\Start.htm", "file:///C|/Kiosk/Start.htm"},
      {"D:\\My Pages\\a#b.htm", "file:///D|/My Pages/a#b.htm"},  // stored form: nothing else changes
      {"C:\\", "file:///C|/"},
      {"\\\\server\\share\\x.htm", "file://///server/share/x.htm"},
      {"", "file:///"},
  };
  for (const auto& [path, url] : cases) EXPECT_EQ(LocalUrlFromWindowsPath(path), url) << path;
}

TEST(LocalUrl, FromPath) {
  const std::pair<const char*, const char*> cases[] = {
      {"/srv/kiosk/start.htm", "file:///srv/kiosk/start.htm"},
      {"/srv/My Pages/a#b?.htm", "file:///srv/My%20Pages/a%23b%3F.htm"},
      {"/srv/100%/x|y.htm", "file:///srv/100%25/x%7Cy.htm"},
      {"/srv/caf\xC3\xA9.htm", "file:///srv/caf%C3%A9.htm"},
      {"/srv/a-b_c.~d/(e)+f,g;h=i@j:k!$&'*.htm", "file:///srv/a-b_c.~d/(e)+f,g;h=i@j:k!$&'*.htm"},
      {"", ""},
  };
  for (const auto& [path, url] : cases) EXPECT_EQ(LocalUrlFromPath(path), url) << path;

  const std::string relative = LocalUrlFromPath("pages/start.htm");
  EXPECT_EQ(relative, LocalUrlFromPath((std::filesystem::current_path() / "pages/start.htm").string()));
}

TEST(LocalUrl, ReadBack) {
  struct Case {
    const char* url;
    bool ok;
    const char* path;
    bool drive_form;
  };
  const Case cases[] = {
      {"file:///C|/Kiosk/Start.htm", true, "C:\\Kiosk\\Start.htm", true},
      {"file:///c:/Kiosk/Start.htm", true, "c:\\Kiosk\\Start.htm", true},
      {"FILE:///D|/", true, "D:\\", true},
      {"file:///D|", true, "D:\\", true},
      {"file:///C|/My%20Pages/a.htm#top", true, "C:\\My Pages\\a.htm", true},
      {"file:///x/y.htm", true, "/x/y.htm", false},
      {"file://localhost/x/y.htm", true, "/x/y.htm", false},
      {"file:/x/y.htm", true, "/x/y.htm", false},
      {"file:///srv/My%20Pages/a%23b%3F.htm?q=1", true, "/srv/My Pages/a#b?.htm", false},
      {"file:///srv/100%/x%zz", true, "/srv/100%/x%zz", false},
      {"file:///Cx/y", true, "/Cx/y", false},
      {"file:///C|x/y", true, "/C|x/y", false},
      {"file:///srv/x%7Cy", true, "/srv/x|y", false},
      {"file:///srv/x%00y", false, "", false},
      {"file://otherhost/x/y.htm", false, "", false},
      {"file://", false, "", false},
      {"file:x/y.htm", false, "", false},
      {"http://host/x.htm", false, "", false},
      {"fil", false, "", false},
      {"", false, "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    const auto result = PathFromLocalUrl(c.url);
    ASSERT_EQ(result.has_value(), c.ok);
    if (!c.ok) continue;
    EXPECT_EQ(result->path, c.path);
    EXPECT_EQ(result->drive_form, c.drive_form);
  }
}

TEST(LocalUrl, RoundTrips) {
  for (const char* path : {"/srv/kiosk/start.htm", "/srv/My Pages/a#b?%.htm", "/srv/caf\xC3\xA9 x|y/z.htm", "/"}) {
    const auto back = PathFromLocalUrl(LocalUrlFromPath(path));
    ASSERT_TRUE(back.has_value()) << path;
    EXPECT_EQ(back->path, path);
    EXPECT_FALSE(back->drive_form);
  }
  for (const char* path : {"C:\\Kiosk\\Start.htm", "E:\\a b\\c.htm"}) {
    const auto back = PathFromLocalUrl(LocalUrlFromWindowsPath(path));
    ASSERT_TRUE(back.has_value()) << path;
    EXPECT_EQ(back->path, path);
    EXPECT_TRUE(back->drive_form);
  }
}

}  // namespace
}  // namespace tw
