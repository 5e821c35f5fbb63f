#include <gtest/gtest.h>

#include "mail/mail_headers.h"
#include "mail/mail_address.h"
#include "mail/mail_errors.h"
#include "mail/message_decoder.h"

namespace tw {
namespace {

TEST(MailAddress, Parsing) {
  struct Case {
    const char* text;
    const char* address;
    const char* name;
  };
  const Case cases[] = {
      {"John Smith <john@x.org>", "john@x.org", "John Smith"},
      {"\"Smith, John\" <john@x.org>", "john@x.org", "Smith, John"},
      {"<john@x.org>", "john@x.org", ""},
      {" < john@x.org > ", "john@x.org", ""},
      {"<john@x.org> trailing", "john@x.org", "trailing"},
      {"john@x.org (John Smith)", "john@x.org", "John Smith"},
      {"john@x.org (", "john@x.org", ""},
      {"john@x.org", "john@x.org", ""},
      {"  \"john@x.org\"  ", "john@x.org", ""},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const MailAddress parsed = ParseMailAddress(c.text);
    EXPECT_EQ(parsed.Address(), c.address);
    EXPECT_EQ(parsed.Name(), c.name);
  }
  try {
    ParseMailAddress("John <john@x.org");
    ADD_FAILURE();
  } catch (const EMessageParserError& e) {
    EXPECT_STREQ(e.what(), "Unable to parse email address");
  }
  // Short texts are cut to 255 characters.
  EXPECT_EQ(MailAddress(std::string(300, 'a'), std::string(300, 'n')).Address().size(), 255u);
}

TEST(MailAddress, ListHeaders) {
  MailHeaders headers;
  headers.Lines() = {
      "To: a@x.org, \"Doe, Jane\" <jane@x.org>,",  "   bob@x.org (Bob)", "Subject: not a list",
      "cc: =?utf-8?Q?Z=C3=BC_rich?= <z@x.org>, ,", "To: second@x.org",
  };
  AddressList to;
  ParseAddressListHeader(headers, "To", to);
  ASSERT_EQ(to.Count(), 4u);
  EXPECT_EQ(to.Item(0), MailAddress("a@x.org", ""));
  EXPECT_EQ(to.Item(1), MailAddress("jane@x.org", "Doe, Jane"));
  EXPECT_EQ(to.Item(2), MailAddress("bob@x.org", "Bob"));
  EXPECT_EQ(to.Item(3), MailAddress("second@x.org", ""));
  AddressList cc;
  ParseAddressListHeader(headers, "CC", cc);
  ASSERT_EQ(cc.Count(), 1u);
  EXPECT_EQ(cc.Item(0), MailAddress("z@x.org", "Z\xc3\xbc rich"));
}

TEST(MailHeaders, GetAndRemove) {
  MailHeaders headers;
  headers.Lines() = {
      "Received: from a",           "\tby b",      "Subject:   =?utf-8?Q?caf=C3=A9?=  ", "Content-Type: text/plain;",
      " name=\"a_b=?x?Q?y?=.txt\"", "X-UIDL: a_b", "X-Long: " + std::string(300, 'l'),   "received: second",
  };
  EXPECT_EQ(headers.GetHeader("Received"), "from a by b");
  EXPECT_EQ(headers.GetHeader("received:"), "from a by b");
  EXPECT_EQ(headers.GetHeader("SUBJECT"), "caf\xc3\xa9");
  EXPECT_EQ(headers.GetHeader("Content-Type"), "text/plain; name=\"a_b=?x?Q?y?=.txt\"");
  EXPECT_EQ(headers.GetHeader("X-UIDL"), "a_b");
  EXPECT_EQ(headers.GetHeader("X-Long").size(), 255u);
  EXPECT_EQ(headers.GetHeader("Missing"), "");
  EXPECT_EQ(headers.GetHeader("Subj"), "");
  headers.RemoveHeader("received");
  EXPECT_EQ(headers.Lines().front(), "Subject:   =?utf-8?Q?caf=C3=A9?=  ");
  EXPECT_EQ(headers.GetHeader("Received"), "second");
  headers.RemoveAllHeaders("content-type");
  EXPECT_EQ(headers.Count(), 4u);
  EXPECT_EQ(headers.Lines()[1], "X-UIDL: a_b");
}

TEST(MailHeaders, Parameters) {
  const std::string type = "multipart/mixed; Boundary=\"a;b\"; name=plain ;charset=us-ascii";
  EXPECT_EQ(HeaderParameter(type, "boundary"), "a;b");
  EXPECT_EQ(HeaderParameter(type, "NAME"), "plain");
  EXPECT_EQ(HeaderParameter(type, "charset"), "us-ascii");
  EXPECT_EQ(HeaderParameter(type, "filename"), std::nullopt);
  EXPECT_EQ(HeaderParameter("name=x", "name"), std::nullopt);  // the value itself is no parameter
  EXPECT_EQ(HeaderParameter("a/b; name=\"\"", "name"), "");
}

}  // namespace
}  // namespace tw
