#include <gtest/gtest.h>

#include <chrono>

#include "mail/mail_errors.h"
#include "mail/mail_message.h"
#include "mail/message_decoder.h"
#include "message_test_util.h"

namespace tw {
namespace {

using test::AsReceived;
using test::Crlf;
using test::Load;
using test::Save;

const std::vector<std::string> kFallbackStart = {"The following error has been occured while processing the message:"};

TEST(MessageDecode, PlainMessageAndHeaders) {
  MailMessage message;
  const std::string text = Crlf({
      "Return-Path: <x@y>",
      "From: \"Smith, John\" <john@x.org>",
      "To: a@x.org,",
      "  Bee <b@x.org>",
      "CC: c@x.org (Carol)",
      "Bcc: d@x.org",
      "Subject: =?utf-8?Q?Caf=C3=A9_time?= with_underscores",
      "X-Priority: 1 (Highest)",
      "Return-receipt-to: <john@x.org>",
      "",
      "Hello,",
      "",
      "bye",
      ".",
  });
  Load(message, text);
  EXPECT_EQ(message.Sender(), MailAddress("john@x.org", "Smith, John"));
  ASSERT_EQ(message.Recipients().Count(), 2u);
  EXPECT_EQ(message.Recipients().Item(1), MailAddress("b@x.org", "Bee"));
  EXPECT_EQ(message.CC().Item(0), MailAddress("c@x.org", "Carol"));
  EXPECT_EQ(message.BCC().Item(0).Address(), "d@x.org");
  EXPECT_EQ(message.Subject(), "Caf\xc3\xa9 time with_underscores");  // plain text keeps its "_"
  EXPECT_EQ(message.Priority(), MailPriority::kHigh);
  EXPECT_TRUE(message.ReturnReceipt());
  EXPECT_EQ(message.Headers().Count(), 9u);
  // The POP3 terminator is no part of the body.
  EXPECT_EQ(message.Body(), (std::vector<std::string>{"Hello,", "", "bye"}));
  EXPECT_EQ(message.Attachments().Count(), 0u);
}

TEST(MessageDecode, MissingBoundariesFallBackToTheOriginal) {
  const std::string no_closing = Crlf({
      "From: a@x.org",
      "MIME-Version: 1.0",
      "Content-Type: multipart/mixed; boundary=\"b1\"",
      "",
      "--b1",
      "Content-Type: text/plain",
      "",
      "text",
  });
  const std::string no_opening = Crlf({
      "From: a@x.org",
      "Mime-Version: 1.0",
      "Content-Type: multipart/mixed; boundary=\"b1\"",
      "",
      "text",
      "--b1--",
  });
  const std::string bad_base64 = Crlf({
      "From: a@x.org",
      "Mime-Version: 1.0",
      "Content-Type: application/pdf; name=\"x.pdf\"",
      "Content-Transfer-Encoding: base64",
      "",
      "JVBER*0=",
  });
  const std::pair<std::string, const char*> cases[] = {
      {no_closing, "Cannot find closing boundary"},
      {no_opening, "Cannot find boundary"},
      {bad_base64, "Invalid Character"},
  };
  for (const auto& [text, error] : cases) {
    SCOPED_TRACE(error);
    MailMessage message;
    Load(message, text + ".\r\n");
    EXPECT_EQ(message.Body(), (std::vector<std::string>{kFallbackStart[0], error,
                                                        "The original message will be stored as an attachment"}));
    ASSERT_EQ(message.Attachments().Count(), 1u);
    const Attachment& original = message.Attachments().Item(0);
    EXPECT_EQ(original.FileName(), "original.eml");
    EXPECT_EQ(original.ContentType(), "message/rfc822");
    EXPECT_EQ(original.Encoding(), AttachmentEncoding::kSevenBit);
    EXPECT_EQ(original.Contents(), text);
    EXPECT_EQ(message.Sender().Address(), "a@x.org");
  }
  // A bad sender address is no decoding error: it reaches the caller.
  MailMessage message;
  EXPECT_THROW(Load(message, "From: <broken\r\n\r\nx\r\n"), EMessageParserError);
}

// Encodes, sends through the POP3 transformation and decodes again.
void ExpectRoundTrip(MailMessage& sent, bool names_kept = true) {
  MailMessage received;
  Load(received, AsReceived(Save(sent)));
  EXPECT_EQ(received.Sender(), sent.Sender());
  EXPECT_EQ(received.Recipients(), sent.Recipients());
  EXPECT_EQ(received.Subject(), sent.Subject());
  EXPECT_EQ(received.Body(), sent.Body());
  ASSERT_EQ(received.Attachments().Count(), sent.Attachments().Count());
  for (std::size_t i = 0; i < sent.Attachments().Count(); ++i) {
    const Attachment& a = sent.Attachments().Item(i);
    const Attachment& b = received.Attachments().Item(i);
    EXPECT_EQ(b.Contents(), a.Contents()) << i;
    EXPECT_EQ(b.ContentType(), a.ContentType()) << i;
    if (names_kept) {
      EXPECT_EQ(b.FileName(), a.BaseName()) << i;
    }
  }
}

std::string Binary(std::size_t size, unsigned seed) {
  std::string data;
  unsigned v = seed;
  for (std::size_t i = 0; i < size; ++i) {
    v = v * 1103515245u + 12345u;
    data.push_back(static_cast<char>(v >> 16));
  }
  return data;
}

class RoundTrip : public ::testing::Test {
 protected:
  RoundTrip() {
    message_.Sender().SetAddress("kiosk@x.org");
    message_.Sender().SetName("Kiosk");
    message_.Recipients().Add("a@x.org", "A. Person");
    message_.Recipients().Add("b@x.org");
    message_.SetSubject("Round trip");
  }
  MailMessage message_;
};

TEST_F(RoundTrip, PlainAndLongLines) {
  message_.Body() = {"first", ".dotted", "..two", "", "last"};
  ExpectRoundTrip(message_);
  message_.Body().push_back(std::string(1000, 'w') + " words = " + std::string(100, 'x'));
  message_.Body().push_back("");
  ExpectRoundTrip(message_);
}

TEST_F(RoundTrip, MultipartWithBinaryAndTextAttachments) {
  message_.Body() = {"see files", "."};
  message_.Attachments().AddData("dir/blob.bin", Binary(100000, 1));
  message_.Attachments().AddData("notes.txt", "line=1\r\n.line 2\r\n\r\n" + std::string(200, 't') + "\r\n");
  message_.Attachments().AddData("empty.bin", "");
  message_.Attachments().AddData("fwd.eml", "From: x\r\n\r\nbody\r\n");
  ExpectRoundTrip(message_);
}

TEST_F(RoundTrip, SingleAttachments) {
  message_.Attachments().AddData("photo.jpg", Binary(5000, 2));
  ExpectRoundTrip(message_);
  message_.Attachments().Clear();
  message_.Attachments().AddData("notes.txt", "no line end at the end");
  ExpectRoundTrip(message_);
}

TEST_F(RoundTrip, Uuencoded) {
  message_.SetEncoding(MessageEncoding::kUU);
  message_.Body() = {"two files"};
  message_.Attachments().AddData("a.bin", Binary(1000, 3));
  message_.Attachments().AddData("b.bin", Binary(45, 4));
  MailMessage received;
  Load(received, AsReceived(Save(message_)));
  EXPECT_EQ(received.Encoding(), MessageEncoding::kUU);
  ExpectRoundTrip(message_);
}

TEST_F(RoundTrip, AlternativeGroups) {
  message_.Body() = {"plain"};
  message_.Attachments().AddData("_alt.htm", "<p>html</p>\r\n");
  ExpectRoundTrip(message_, /*names_kept=*/false);
  message_.Attachments().AddData("pic.gif", Binary(300, 5));
  ExpectRoundTrip(message_, false);
  MailMessage received;
  Load(received, AsReceived(Save(message_)));
  EXPECT_EQ(received.Attachments().Item(0).FileName(), "_alt.0");
  EXPECT_EQ(received.Attachments().Item(1).FileName(), "pic.gif");
}

TEST_F(RoundTrip, LatinBody) {
  message_.SetCharSet(MailCharSet::kISO8859);
  message_.Body() = {"caf\xe9 = cr\xe8me", "  indented", "trailing blank "};
  ExpectRoundTrip(message_);
  MailMessage received;
  Load(received, AsReceived(Save(message_)));
  EXPECT_EQ(received.CharSet(), MailCharSet::kISO8859);
}

TEST(MessageDecode, UuencodedTextAfterTheAttachmentStays) {
  MailMessage message;
  Load(message, Crlf({"From: a@x.org", "", "before", "", "BEGIN 644 cat.txt", "#0V%T", "`", "end", "after the file",
                      "begin 600", "#0V%T", "end"}));
  EXPECT_EQ(message.Body(), (std::vector<std::string>{"before", "after the file"}));
  ASSERT_EQ(message.Attachments().Count(), 2u);
  EXPECT_EQ(message.Attachments().Item(0).FileName(), "cat.txt");
  EXPECT_EQ(message.Attachments().Item(1).FileName(), "att.1");
  EXPECT_EQ(message.Attachments().Item(1).Contents(), "Cat");
  EXPECT_EQ(message.Encoding(), MessageEncoding::kUU);
}

TEST(MessageDecode, SinglePartBodies) {
  struct Case {
    std::vector<std::string> headers;
    std::vector<std::string> body_lines;
    std::vector<std::string> body;
    std::size_t attachments;
    MailCharSet char_set;
    const char* stored_type;
  };
  const Case cases[] = {
      {{"Content-Type: text/plain", "Content-Transfer-Encoding: quoted-printable"},
       {"soft=", "ly =3D", "next"},
       {"softly =", "next"},
       0,
       MailCharSet::kISO8859,
       "text/plain"},
      {{"Content-Type: text/html; charset=utf-8", "Content-Transfer-Encoding: base64"},
       {"PGI+aGk8L2I+"},
       {"<b>hi</b>"},
       0,
       MailCharSet::kUSASCII,
       "text/html"},
      // Converted in transit: marked Latin, but not decoded a second time.
      {{"Content-Type: text/plain", "X-MIME-Autoconverted: from quoted-printable to 8bit"},
       {"a=3D"},
       {"a=3D"},
       0,
       MailCharSet::kISO8859,
       "text/plain"},
      {{"Content-Type: text/plain; name=\"cc:Mail\""}, {"x"}, {"x"}, 0, MailCharSet::kUSASCII, "text/plain"},
      {{"Content-Type: text/plain; name=\"n.txt\""}, {"x"}, {}, 1, MailCharSet::kUSASCII, "text/plain"},
      {{"Content-Type: image/png", "Content-Transfer-Encoding: base64"},
       {"iVBO"},
       {},
       1,
       MailCharSet::kUSASCII,
       "text/plain"},
      {{"X-Mailer: V Mailsystem R #0001", "Content-Type: image/png"},
       {"x"},
       {"x"},
       0,
       MailCharSet::kUSASCII,
       "text/plain"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.headers[0]);
    std::vector<std::string> lines = {"From: a@x.org", "MIME-Version: 1.0"};
    lines.insert(lines.end(), c.headers.begin(), c.headers.end());
    lines.push_back("");
    lines.insert(lines.end(), c.body_lines.begin(), c.body_lines.end());
    MailMessage message;
    message.SetContentType("text/plain");
    std::istringstream in(Crlf(lines));
    message.LoadFromStream(in);
    EXPECT_EQ(message.Body(), c.body);
    EXPECT_EQ(message.Attachments().Count(), c.attachments);
    EXPECT_EQ(message.CharSet(), c.char_set);
    EXPECT_EQ(message.StoredContentType(), c.stored_type);
  }
}

TEST(MessageDecode, MultipartDetails) {
  MailMessage message;
  Load(message, Crlf({
                    "From: a@x.org",
                    "Mime-Version: 1.0",
                    "Content-Type: multipart/mixed; boundary=\"outer\"",
                    "",
                    "preamble",
                    "--outer",
                    "Content-Type: multipart/related; boundary=\"rel\"",
                    "",
                    "--rel",
                    "Content-Type: multipart/alternative; boundary=\"alt\"",
                    "",
                    "--alt",
                    "Content-Type: text/plain; charset=\"iso-2022-jp\"",
                    "",
                    "body text",
                    "",
                    "--alt",
                    "Content-Type: text/html",
                    "Content-Transfer-Encoding: quoted-printable",
                    "",
                    "<p>x=3Dy</p>",
                    "--alt--",
                    "--rel",
                    "Content-Type: image/gif",
                    "Content-Disposition: inline; filename=\"logo.gif\"",
                    "Content-Transfer-Encoding: base64",
                    "",
                    "R0lG",
                    "--rel--",
                    "--outer",
                    "Content-Transfer-Encoding: x-uue",
                    "",
                    "begin 600 cat.txt",
                    "#0V%T",
                    "`",
                    "end",
                    "--outer",
                    "",
                    "raw line",
                    "--outer--",
                    "epilogue",
                }));
  EXPECT_EQ(message.Body(), (std::vector<std::string>{"body text"}));
  EXPECT_EQ(message.CharSet(), MailCharSet::kISO2022jp);
  ASSERT_EQ(message.Attachments().Count(), 4u);
  EXPECT_EQ(message.Attachments().Item(0).FileName(), "_alt.0");
  EXPECT_EQ(message.Attachments().Item(0).Contents(), "<p>x=y</p>");
  EXPECT_EQ(message.Attachments().Item(1).FileName(), "logo.gif");
  EXPECT_EQ(message.Attachments().Item(1).ContentType(), "image/gif");
  EXPECT_EQ(message.Attachments().Item(1).Contents(), "GIF");
  EXPECT_EQ(message.Attachments().Item(2).FileName(), "att.2");
  EXPECT_EQ(message.Attachments().Item(2).ContentType(), "text/plain");
  EXPECT_EQ(message.Attachments().Item(2).Contents(), "Cat");
  EXPECT_EQ(message.Attachments().Item(3).Contents(), "raw line");
}

// The line break before a delimiter belongs to the delimiter (so a file's own last line
// break is the one line end before it); our earlier writer put one more empty line after
// every attachment, and its messages are still read as they were meant.
TEST(MessageDecode, AttachmentEndsAsStandardWritersAndOurEarlierWriterPutThem) {
  struct Row {
    const char* preamble;
    std::vector<std::string> file_lines;  // what stands between the part's headers and the delimiter
    std::string contents;
  };
  const Row rows[] = {
      {"", {"name=Ann", "rating=5", ""}, "name=Ann\r\nrating=5\r\n"},
      {"", {"no line end"}, "no line end"},
      {"", {"two", "", ""}, "two\r\n\r\n"},
      {"", {}, ""},
      {"This is a multipart message in MIME format", {"name=Ann", "rating=5", "", ""}, "name=Ann\r\nrating=5\r\n"},
      {"This is a multipart message in MIME format", {"no line end", ""}, "no line end"},
      {"This is a multipart message in MIME format.", {"kept", "", ""}, "kept\r\n\r\n"},
  };
  for (const Row& row : rows) {
    std::vector<std::string> lines = {"From: a@x.org",
                                      "MIME-Version: 1.0",
                                      "Content-Type: multipart/mixed; boundary=\"b\"",
                                      "",
                                      row.preamble,
                                      "",
                                      "--b",
                                      "Content-Type: text/plain",
                                      "",
                                      "Hello",
                                      "",
                                      "--b",
                                      "Content-Type: text/plain; name=\"f.txt\"",
                                      "Content-Transfer-Encoding: 7bit",
                                      ""};
    lines.insert(lines.end(), row.file_lines.begin(), row.file_lines.end());
    lines.push_back("--b--");
    MailMessage message;
    Load(message, Crlf(lines));
    SCOPED_TRACE(std::string(row.preamble) + " / " + row.contents);
    EXPECT_EQ(message.Body(), (std::vector<std::string>{"Hello"}));
    ASSERT_EQ(message.Attachments().Count(), 1u);
    EXPECT_EQ(message.Attachments().Item(0).Contents(), row.contents);
  }
}

TEST(MessageDecode, FirstPartAloneSetsTheTypeAndBase64FirstPartIsAnAttachment) {
  MailMessage message;
  Load(message, Crlf({"From: a@x.org", "Mime-Version: 1.0", "Content-Type: multipart/mixed; boundary=b", "", "--b",
                      "Content-Type: text/html; charset=us-ascii", "", "<p>only</p>", "--b--"}));
  EXPECT_EQ(message.Body(), (std::vector<std::string>{"<p>only</p>"}));
  EXPECT_EQ(message.StoredContentType(), "text/html");
  Load(message, Crlf({"From: a@x.org", "Mime-Version: 1.0", "Content-Type: multipart/mixed; boundary=b", "", "--b",
                      "Content-Type: text/plain", "Content-Transfer-Encoding: base64", "", "aGk=", "--b--"}));
  EXPECT_TRUE(message.Body().empty());
  ASSERT_EQ(message.Attachments().Count(), 1u);
  EXPECT_EQ(message.Attachments().Item(0).FileName(), "att.0");
  EXPECT_EQ(message.Attachments().Item(0).Contents(), "hi");
}

TEST(MessageDecode, NestingIsLimited) {
  // Ten thousand groups, each the first part of the one around it.
  std::string text = "From: a@x.org\r\nMime-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"b0\"\r\n\r\n";
  const int depth = 10000;
  for (int i = 0; i < depth; ++i) {
    text += "--b" + std::to_string(i) + "\r\nContent-Type: multipart/mixed; boundary=\"b" + std::to_string(i + 1) +
            "\"\r\n\r\n";
  }
  text += "--b" + std::to_string(depth) + "\r\n\r\ninnermost\r\n--b" + std::to_string(depth) + "--\r\n";
  for (int i = depth - 1; i >= 0; --i) text += "--b" + std::to_string(i) + "--\r\n";
  MailMessage message;
  Load(message, text);
  // The groups below the limit are taken apart; the deeper ones stay text.
  ASSERT_FALSE(message.Body().empty());
  EXPECT_EQ(message.Body().front(), "--b" + std::to_string(MessageDecoder::kMaxNesting));
  EXPECT_EQ(message.Attachments().Count(), 0u);
}

TEST(MessageDecode, AttachmentCountAndSizeAreLimited) {
  std::string text = "From: a@x.org\r\nMime-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=b\r\n\r\n";
  for (std::size_t i = 0; i <= MessageDecoder::kMaxAttachments + 1; ++i) text += "--b\r\n\r\nx\r\n";
  text += "--b--\r\n";
  MailMessage message;
  Load(message, text);
  ASSERT_EQ(message.Body().size(), 3u);
  EXPECT_EQ(message.Body()[1], "Too many attachments");
  EXPECT_EQ(message.Attachments().Count(), 1u);

  std::string huge(MessageDecoder::kMaxMessageBytes + 1, 'x');
  try {
    Load(message, huge);
    ADD_FAILURE();
  } catch (const EMessageParserError& e) {
    EXPECT_STREQ(e.what(), "The message is too large");
  }
}

}  // namespace
}  // namespace tw
