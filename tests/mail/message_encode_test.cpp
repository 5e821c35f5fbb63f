#include <gtest/gtest.h>

#include "mail/mail_errors.h"
#include "mail/mail_message.h"
#include "mail/temp_file_stream.h"
#include "message_test_util.h"

#include <sys/stat.h>

namespace tw {
namespace {

using test::Crlf;
using test::Save;

class MessageEncodeTest : public ::testing::Test {
 protected:
  MessageEncodeTest() {
    message_.SetBoundarySource(test::FixedBoundaries());
    message_.Sender().SetAddress("kiosk@example.org");
    message_.Sender().SetName("Tarnwick Kiosk");
    message_.Recipients().Add("a@example.org");
    message_.Recipients().Add("b@example.org");
    message_.SetSubject("Hello");
  }
  const std::vector<std::string> kHeader = {
      "From:     Tarnwick Kiosk <kiosk@example.org>",
      "To:        <a@example.org>,",
      "           <b@example.org>",
      "Subject: Hello",
      "Mime-Version: 1.0",
  };
  std::string Golden(std::vector<std::string> rest) const {
    std::vector<std::string> lines = kHeader;
    lines.insert(lines.end(), rest.begin(), rest.end());
    return Crlf(lines);
  }
  MailMessage message_;
};

TEST_F(MessageEncodeTest, PlainBody) {
  message_.Body() = {"Line one", ".dot", "", "end"};
  EXPECT_EQ(message_.ContentType(), "text/plain");
  EXPECT_EQ(Save(message_), Golden({
                                "Content-Type: text/plain; charset=\"us-ascii\"",
                                "Content-Transfer-Encoding: 7bit",
                                "",
                                "Line one",
                                "..dot",
                                "",
                                "end",
                            }));
}

TEST_F(MessageEncodeTest, HeaderBlockOrderAndExtras) {
  message_.Sender().SetName("J. Smith");
  message_.CC().Add("c@example.org", "Carol");
  message_.BCC().Add("hidden@example.org");
  message_.SetReturnReceipt(true);
  message_.SetPriority(MailPriority::kHigh);
  message_.Headers().Lines() = {"X-Mailer: Tarnwick", "Subject: dropped", "content-type: dropped", " folded",
                                "X-Kiosk: 7"};
  message_.Body() = {"x"};
  EXPECT_EQ(Save(message_), Crlf({
                                "From:     \"J. Smith\" <kiosk@example.org>",
                                "To:        <a@example.org>,",
                                "           <b@example.org>",
                                "CC:       Carol <c@example.org>",
                                "Return-Receipt-To: <kiosk@example.org>",
                                "X-Priority: 1",
                                "X-Mailer: Tarnwick",
                                "X-Kiosk: 7",
                                "Subject: Hello",
                                "Mime-Version: 1.0",
                                "Content-Type: text/plain; charset=\"us-ascii\"",
                                "Content-Transfer-Encoding: 7bit",
                                "",
                                "x",
                            }));
  message_.SetPriority(MailPriority::kLow);
  EXPECT_NE(Save(message_).find("\r\nX-Priority: 5\r\n"), std::string::npos);
  EXPECT_EQ(Save(message_).find("hidden"), std::string::npos);
}

TEST_F(MessageEncodeTest, LongLineGoesQuotedPrintable) {
  message_.Body() = {"short = line", std::string(300, 'x')};
  EXPECT_EQ(Save(message_), Golden({
                                "Content-Type: text/plain; charset=\"us-ascii\"",
                                "Content-Transfer-Encoding: quoted-printable",
                                "",
                                "short =3D line",
                                std::string(65, 'x') + "=",
                                std::string(65, 'x') + "=",
                                std::string(65, 'x') + "=",
                                std::string(65, 'x') + "=",
                                std::string(40, 'x'),
                            }));
  message_.Body() = {"caf\xe9"};
  message_.SetCharSet(MailCharSet::kISO8859);
  EXPECT_EQ(Save(message_), Golden({
                                "Content-Type: text/plain; charset=\"iso-8859-1\"",
                                "Content-Transfer-Encoding: quoted-printable",
                                "",
                                "caf=E9",
                            }));
}

TEST_F(MessageEncodeTest, MultipartWithBinaryAttachment) {
  message_.Body() = {"See the file."};
  message_.Attachments().AddData("/tmp/data/a.bin", std::string("\x00\x01\xff"
                                                                "abc",
                                                                6));
  message_.Attachments().AddData("b.txt", "x\r\n");
  EXPECT_EQ(message_.ContentType(), "multipart/mixed");
  EXPECT_EQ(Save(message_), Golden({
                                "Content-Type: multipart/mixed; boundary=\"11111111\"",
                                "",
                                "This is a multipart message in MIME format.",
                                "",
                                "--11111111",
                                "Content-Type: text/plain; charset=\"us-ascii\"",
                                "Content-Transfer-Encoding: 7bit",
                                "",
                                "See the file.",
                                "",
                                "--11111111",
                                "Content-Type: application/octet-stream; name=\"a.bin\"",
                                "Content-Transfer-Encoding: Base64",
                                "Content-Disposition: attachment; filename=\"a.bin\"",
                                "",
                                "AAH/YWJj",
                                "--11111111",
                                "Content-Type: text/plain; name=\"b.txt\"",
                                "Content-Transfer-Encoding: Quoted-Printable",
                                "Content-Disposition: attachment; filename=\"b.txt\"",
                                "",
                                "x",
                                "",
                                "--11111111--",
                            }));
}

TEST_F(MessageEncodeTest, SingleAttachmentLayout) {
  message_.Attachments().AddData("C:\\docs\\notes.txt", "hello=world\r\n.second line\r\n");
  EXPECT_EQ(message_.ContentType(), "text/plain");
  EXPECT_EQ(Save(message_), Golden({
                                "Content-Type: text/plain; name=\"notes.txt\"",
                                "Content-Transfer-Encoding: Quoted-Printable",
                                "Content-Disposition: attachment; filename=\"notes.txt\"",
                                "",
                                "hello=3Dworld",
                                "..second line",
                                "",
                            }));
  message_.Attachments().Item(0).SetFileName("photo.JPG");
  EXPECT_EQ(message_.ContentType(), "image/jpeg");
  message_.Attachments().Item(0).SetFileName("page.htm");
  EXPECT_EQ(message_.ContentType(), "text/html");
  EXPECT_NE(Save(message_).find("Content-Disposition: attachment; filename=\"page.htm\""), std::string::npos);
}

TEST_F(MessageEncodeTest, Uuencoded) {
  message_.SetEncoding(MessageEncoding::kUU);
  message_.Body() = {"see attached"};
  message_.Attachments().AddData("dir/cat.txt", "Cat");
  EXPECT_EQ(message_.ContentType(), "");
  EXPECT_EQ(Save(message_), Crlf({
                                "From:     Tarnwick Kiosk <kiosk@example.org>",
                                "To:        <a@example.org>,",
                                "           <b@example.org>",
                                "Subject: Hello",
                                "",
                                "see attached",
                                "",
                                "begin 600 cat.txt",
                                "#0V%T",
                                "`",
                                "end",
                            }));
}

TEST_F(MessageEncodeTest, AlternativeGroup) {
  message_.Body() = {"plain text"};
  message_.Attachments().AddData("_alt.htm", "<b>hi</b>");
  EXPECT_EQ(message_.ContentType(), "multipart/alternative");
  EXPECT_EQ(Save(message_), Golden({
                                "Content-Type: multipart/alternative; boundary=\"11111111\"",
                                "",
                                "This is a multipart message in MIME format.",
                                "",
                                "--11111111",
                                "Content-Type: text/plain; charset=\"us-ascii\"",
                                "Content-Transfer-Encoding: 7bit",
                                "",
                                "plain text",
                                "",
                                "--11111111",
                                "Content-Type: text/html",
                                "Content-Transfer-Encoding: Quoted-Printable",
                                "",
                                "<b>hi</b>",
                                "--11111111--",
                            }));
}

TEST_F(MessageEncodeTest, AlternativeGroupInsideMixed) {
  message_.Body() = {"plain text"};
  message_.Attachments().AddData("_alt.htm", "<b>hi</b>");
  message_.Attachments().AddData("pic.gif", "GIF89a");
  EXPECT_EQ(Save(message_), Golden({
                                "Content-Type: multipart/mixed; boundary=\"11111111\"",
                                "",
                                "This is a multipart message in MIME format.",
                                "",
                                "--11111111",
                                "Content-Type:  multipart/alternative; boundary=\"22222222\"",
                                "Content-Transfer-Encoding: 7bit",
                                "",
                                "--22222222",
                                "Content-Type: text/plain; charset=\"us-ascii\"",
                                "Content-Transfer-Encoding: 7bit",
                                "",
                                "plain text",
                                "",
                                "--22222222",
                                "Content-Type: text/html",
                                "Content-Transfer-Encoding: Quoted-Printable",
                                "",
                                "<b>hi</b>",
                                "--22222222--",
                                "--11111111",
                                "Content-Type: image/gif; name=\"pic.gif\"",
                                "Content-Transfer-Encoding: Base64",
                                "Content-Disposition: attachment; filename=\"pic.gif\"",
                                "",
                                "R0lGODlh",
                                "--11111111--",
                            }));
}

TEST_F(MessageEncodeTest, HtmlBodyFileIsTheText) {
  message_.Attachments().AddData("_htmbody.htm", "<p>a=b</p>");
  EXPECT_EQ(message_.ContentType(), "text/html");
  message_.SetCharSet(MailCharSet::kISO8859);
  EXPECT_EQ(Save(message_), Golden({
                                "Content-Type: text/html; charset=\"iso-8859-1\"",
                                "Content-Transfer-Encoding: quoted-printable",
                                "",
                                "<p>a=3Db</p>",
                            }));
  // Saving does not change the message.
  EXPECT_TRUE(message_.Body().empty());
  EXPECT_EQ(Save(message_), Save(message_));
}

TEST(MessageContentType, EffectiveType) {
  MailMessage message;
  EXPECT_EQ(message.StoredContentType(), "text/plain");
  EXPECT_EQ(message.ContentType(), "text/plain");
  message.SetContentType("TEXT/HTML");
  EXPECT_EQ(message.StoredContentType(), "text/html");
  EXPECT_EQ(message.ContentType(), "text/plain");  // no body: the stored type does not count
  message.Body() = {"x"};
  EXPECT_EQ(message.ContentType(), "text/html");
  message.SetContentType("");
  EXPECT_EQ(message.ContentType(), "text/plain");
  message.Attachments().AddData("a.pdf", "%PDF");
  EXPECT_EQ(message.ContentType(), "multipart/mixed");
  message.Body().clear();
  EXPECT_EQ(message.ContentType(), "application/pdf");
  message.Attachments().AddData("b.zip", "PK");
  EXPECT_EQ(message.ContentType(), "multipart/mixed");
  message.Attachments().Clear();
  message.Attachments().AddData("_RTFBODY.RTF", "{\\rtf}");
  EXPECT_EQ(message.ContentType(), "text/rtf");
  message.Attachments().AddData("_alt.htm", "");
  EXPECT_EQ(message.ContentType(), "multipart/mixed");
  message.Attachments().Delete(0);
  EXPECT_EQ(message.ContentType(), "multipart/alternative");
  message.SetEncoding(MessageEncoding::kUU);
  EXPECT_EQ(message.ContentType(), "");
}

TEST(MessageAttachments, TypesAndEncodingsFromTheFileName) {
  struct Case {
    const char* name;
    const char* type;
    AttachmentEncoding encoding;
  };
  const Case cases[] = {
      {"a.txt", "text/plain", AttachmentEncoding::kQuotedPrintable},
      {"dir/A.HTML", "text/html", AttachmentEncoding::kQuotedPrintable},
      {"x.rtf", "text/rtf", AttachmentEncoding::kQuotedPrintable},
      {"mail.eml", "message/rfc822", AttachmentEncoding::kSevenBit},
      {"p.png", "image/png", AttachmentEncoding::kBase64},
      {"archive.unknownext", "application/octet-stream", AttachmentEncoding::kBase64},
      {"noextension", "application/octet-stream", AttachmentEncoding::kBase64},
  };
  for (const Case& c : cases) {
    Attachment item;
    item.SetFileName(c.name);
    EXPECT_EQ(item.ContentType(), c.type) << c.name;
    EXPECT_EQ(item.Encoding(), c.encoding) << c.name;
  }
  Attachment item;
  item.SetContentType("image/png");
  item.SetFileName("");
  EXPECT_EQ(item.ContentType(), "image/png");  // an empty name derives nothing
  AttachmentList list;
  EXPECT_THROW(list.Add("/nonexistent/tarnwick/file.txt"), EMessageError);
}

TEST(MessageValidate, RequiredAddressesAndLineBreaks) {
  MailMessage message;
  message.Recipients().Add("to@x.org");
  try {
    message.Validate();
    ADD_FAILURE();
  } catch (const EMessageError& e) {
    EXPECT_STREQ(e.what(), "The address of sender is required");
  }
  message.Sender().SetAddress("me@x.org");
  message.Recipients().Clear();
  message.Recipients().Add("", "Nobody");
  try {
    message.Validate();
    ADD_FAILURE();
  } catch (const EMessageError& e) {
    EXPECT_STREQ(e.what(), "At least one Recipient, CC or BCC must be entered");
  }
  message.BCC().Add("blind@x.org");
  EXPECT_NO_THROW(message.Validate());

  struct Case {
    std::function<void(MailMessage&)> spoil;
    const char* text;
  };
  const Case cases[] = {
      {[](MailMessage& m) { m.SetSubject("Hi\r\nBcc: victim@x.org"); }, "The subject contains a line break"},
      {[](MailMessage& m) { m.Sender().SetName("Me\nX-Evil: 1"); }, "The sender's name contains a line break"},
      {[](MailMessage& m) { m.Sender().SetAddress("me@x.org\r"); }, "The sender's address contains a line break"},
      {[](MailMessage& m) { m.Recipients().Add("a@x.org\r\nRCPT TO:<b@x.org>"); },
       "A recipient's address contains a line break"},
      {[](MailMessage& m) { m.CC().Add("c@x.org", "C\r\n"); }, "A recipient's name contains a line break"},
      {[](MailMessage& m) { m.Headers().Add("X-A: 1\r\nX-B: 2"); }, "A header line contains a line break"},
      {[](MailMessage& m) { m.Attachments().AddData("a\r\n.txt", ""); },
       "An attachment's file name contains a line break"},
  };
  for (const Case& c : cases) {
    MailMessage spoiled;
    spoiled.Sender().SetAddress("me@x.org");
    spoiled.Recipients().Add("to@x.org");
    c.spoil(spoiled);
    try {
      spoiled.Validate();
      ADD_FAILURE() << c.text;
    } catch (const EMessageError& e) {
      EXPECT_STREQ(e.what(), c.text);
    }
    std::ostringstream out;
    EXPECT_THROW(spoiled.SaveToStream(out), EMessageError) << c.text;
    EXPECT_EQ(out.str(), "") << c.text;  // nothing written
  }
}

TEST(MessageEncode, BodyTextNeverBreaksTheDataStream) {
  MailMessage message;
  message.Sender().SetAddress("me@x.org");
  message.Recipients().Add("to@x.org");
  message.Body() = {"one\r\n.\r\nMAIL FROM:<evil@x.org>", "bare\nlf", "bare\rcr", "."};
  const std::string text = Save(message);
  EXPECT_NE(text.find("\r\none\r\n..\r\nMAIL FROM:<evil@x.org>\r\nbare\r\nlf\r\nbare\r\ncr\r\n..\r\n"),
            std::string::npos);
  // Every CR is followed by LF and every LF preceded by CR.
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      EXPECT_EQ(text[i + 1], '\n') << i;
    }
    if (text[i] == '\n') {
      EXPECT_EQ(text[i - 1], '\r') << i;
    }
  }
  EXPECT_EQ(text.find("\r\n.\r\n"), std::string::npos);
}

TEST(MessageEncode, BoundaryNeverOccursInTheText) {
  MailMessage message;
  message.SetBoundarySource(test::FixedBoundaries());
  message.Sender().SetAddress("me@x.org");
  message.Recipients().Add("to@x.org");
  message.Body() = {"--11111111"};
  message.Attachments().AddData("a.txt", "x --22222222 y");
  const std::string text = Save(message);
  EXPECT_NE(text.find("boundary=\"33333333\""), std::string::npos);
  EXPECT_EQ(text.find("\r\n--33333333--\r\n"), text.size() - 16);
}

TEST(MessageAssign, CopiesEverything) {
  MailMessage source;
  source.Sender().SetAddress("me@x.org");
  source.SetSubject("s");
  source.Recipients().Add("to@x.org", "To");
  source.CC().Add("cc@x.org");
  source.BCC().Add("bcc@x.org");
  source.SetPriority(MailPriority::kLow);
  source.SetReturnReceipt(true);
  source.SetCharSet(MailCharSet::kISO8859);
  source.Headers().Add("X-A: 1");
  source.Body() = {"b"};
  source.Attachments().AddData("a.bin", "data");
  MailMessage copy;
  copy.Assign(source);
  source.Attachments().Item(0).Contents() = "changed";
  EXPECT_EQ(copy.Sender(), source.Sender());
  EXPECT_EQ(copy.Subject(), "s");
  EXPECT_EQ(copy.Recipients(), source.Recipients());
  EXPECT_EQ(copy.CC(), source.CC());
  EXPECT_EQ(copy.BCC(), source.BCC());
  EXPECT_EQ(copy.Priority(), MailPriority::kLow);
  EXPECT_TRUE(copy.ReturnReceipt());
  EXPECT_EQ(copy.CharSet(), MailCharSet::kISO8859);
  EXPECT_EQ(copy.Headers(), source.Headers());
  EXPECT_EQ(copy.Body(), source.Body());
  EXPECT_EQ(copy.Attachments().Item(0).Contents(), "data");
  EXPECT_EQ(copy.StoredContentType(), "multipart/mixed");
  copy.Clear();
  EXPECT_TRUE(copy.Body().empty() && copy.Recipients().Empty() && copy.Attachments().Count() == 0);
  EXPECT_EQ(copy.Sender().Address(), "");
  EXPECT_EQ(copy.CharSet(), MailCharSet::kUSASCII);
  EXPECT_EQ(copy.StoredContentType(), "");
}

TEST(TempFileStream, HoldsTheMessageAndIsDeletedAfterwards) {
  std::string path;
  {
    MailMessage message;
    message.Sender().SetAddress("me@x.org");
    message.Body() = {"in a file"};
    TempFileStream stream;
    path = stream.Path();
    EXPECT_EQ(path.substr(path.rfind('/') + 1, 2), "ms");
    message.SaveToStream(stream);
    stream.seekg(0);
    std::ostringstream back;
    back << stream.rdbuf();
    EXPECT_EQ(back.str(), Save(message));
  }
  struct stat st {};
  EXPECT_NE(::stat(path.c_str(), &st), 0);
}

}  // namespace
}  // namespace tw
