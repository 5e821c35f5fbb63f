#include "common/addresses/mailto_link.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

MailtoLink Link(std::vector<std::string> to, std::vector<std::string> cc = {}, std::string subject = "",
                std::vector<std::string> body = {}) {
  MailtoLink link;
  link.to = std::move(to);
  link.cc = std::move(cc);
  link.subject = std::move(subject);
  link.body = std::move(body);
  return link;
}

TEST(MailtoLink, Parses) {
  struct Case {
    const char* text;
    MailtoLink link;
  };
  const Case cases[] = {
      {"ann@example.org", Link({"ann@example.org"})},
      {"MAILTO:ann@example.org", Link({"ann@example.org"})},
      {"a@x.org,%20b@y.org,,?to=c@z.org&cc=d@w.org,e@v.org",
       Link({"a@x.org", "b@y.org", "c@z.org"}, {"d@w.org", "e@v.org"})},
      {"a@x.org?subject=Hi%20there%0D%0ABcc:%20spy@evil&subject=second",
       Link({"a@x.org"}, {}, "Hi thereBcc: spy@evil")},
      {"?body=one%0D%0Atwo%0Athree%09tab%07&bcc=hidden@x.org", Link({}, {}, "", {"one", "two", "three\ttab"})},
      {"a%0A@x.org?Subject=a+b%zz%4", Link({"a@x.org"}, {}, "a+b%zz%4")},
      {"a@x.org?junk&=x&SUBJECT=", Link({"a@x.org"})},
      {"", Link({})},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseMailtoLink(c.text), c.link) << c.text;
  EXPECT_EQ(JoinMailAddresses({"a@x", "b@y"}), "a@x, b@y");
}

TEST(MailtoLink, KeepsAtMostTheLimitOfAddresses) {
  std::string text;
  for (std::size_t n = 0; n < kMailtoMaxAddresses + 5; ++n) text += "a" + std::to_string(n) + "@x,";
  EXPECT_EQ(ParseMailtoLink(text).to.size(), kMailtoMaxAddresses);
}

}  // namespace
}  // namespace tw
