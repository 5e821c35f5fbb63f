#include <gtest/gtest.h>

#include <random>

#include "mail/base64.h"
#include "mail/encoded_words.h"
#include "mail/mail_errors.h"
#include "mail/quoted_printable.h"
#include "mail/uuencode.h"

namespace tw {
namespace {

std::string AllBytes() {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes.push_back(static_cast<char>(i));
  return bytes;
}

TEST(Base64, KnownAnswers) {
  const std::pair<const char*, const char*> cases[] = {
      {"", ""},
      {"f", "Zg=="},
      {"fo", "Zm8="},
      {"foo", "Zm9v"},
      {"foob", "Zm9vYg=="},
      {"fooba", "Zm9vYmE="},
      {"foobar", "Zm9vYmFy"},
  };
  for (const auto& [plain, encoded] : cases) {
    EXPECT_EQ(Base64Encode(plain), encoded);
    EXPECT_EQ(Base64Decode(encoded), plain);
  }
  EXPECT_EQ(Base64Decode("Zm9v\r\nYmFy"), "foobar");
  EXPECT_EQ(Base64Decode("Zm8=Zm8="), "fofo");
  EXPECT_EQ(Base64Decode("Zm9vYg"), "foob");  // fill characters left off
  for (const char* bad : {"Zm9v!", "Zm 9v", "Zm9v-_", "\xc3\xa9"}) {
    try {
      Base64Decode(bad);
      ADD_FAILURE() << bad;
    } catch (const EMessageParserError& e) {
      EXPECT_STREQ(e.what(), "Invalid Character");
    }
  }
}

TEST(Base64, LinesOf57BytesRoundTrip) {
  const std::string data = AllBytes() + AllBytes();
  const auto lines = Base64EncodeLines(data);
  ASSERT_EQ(lines.size(), 9u);  // 512 bytes = 8 full lines + 56
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) EXPECT_EQ(lines[i].size(), 76u);
  EXPECT_EQ(lines.back(), Base64Encode(data.substr(8 * 57)));
  EXPECT_EQ(Base64DecodeLines(lines), data);
  // Groups that continue on the next line decode the same.
  EXPECT_EQ(Base64DecodeLines({"Zm9", "vYmFy"}), "foobar");
}

TEST(QuotedPrintable, Encoding) {
  struct Case {
    std::string source;
    std::vector<std::string> lines;
  };
  const std::string sixty(60, 'a');
  const Case cases[] = {
      {"", {""}},
      {"plain text", {"plain text"}},
      {"a=b", {"a=3Db"}},
      {"tab\there", {"tab=09here"}},
      {"caf\xe9 \x80", {"caf=E9 =80"}},
      {"trailing ", {"trailing=20"}},
      {"a\r\nb", {"a", "b"}},
      {"a\nb\rc", {"a", "b", "c"}},
      {"a\n\nb", {"a", "", "b"}},  // a blank line stays a blank line
      {"a\r\n", {"a", ""}},
      {sixty + " " + std::string(10, 'b'), {sixty + "=", " " + std::string(10, 'b')}},
      {std::string(130, 'y'), {std::string(65, 'y') + "=", std::string(65, 'y')}},
      {" " + std::string(70, 'z'), {" " + std::string(64, 'z') + "=", std::string(6, 'z')}},
      {std::string(64, 'c') + "=", {std::string(64, 'c') + "=3D"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    EXPECT_EQ(QuotedPrintable::Encode(c.source), c.lines);
  }
}

TEST(QuotedPrintable, Decoding) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(QuotedPrintable::Decode(Lines{"a=3Db"}), "a=b");
  EXPECT_EQ(QuotedPrintable::Decode(Lines{"soft=", "joined"}), "softjoined");
  EXPECT_EQ(QuotedPrintable::Decode(Lines{"a", "", "b"}), "a\r\n\r\nb");
  EXPECT_EQ(QuotedPrintable::Decode(Lines{"x=4", "=G1"}), "x=4\r\n=G1");
  EXPECT_EQ(QuotedPrintable::Decode(Lines{"caf=e9", "blanks added   "}), "caf\xe9\r\nblanks added");
  EXPECT_EQ(QuotedPrintable::DecodeText("a=5Fb_c=3"), "a_b_c=3");
}

TEST(QuotedPrintable, ParagraphLimit) {
  const std::string largest(QuotedPrintable::kMaxParagraph, 'p');
  const auto lines = QuotedPrintable::Encode(largest + "\r\n" + largest);
  EXPECT_EQ(QuotedPrintable::Decode(lines), largest + "\r\n" + largest);
  try {
    QuotedPrintable::Encode(largest + "p");
    ADD_FAILURE();
  } catch (const EMessageError& e) {
    EXPECT_STREQ(e.what(), "Paragraph is too large");
  }
  std::vector<std::string> too_long(400, std::string(64, 'q') + "=");
  EXPECT_THROW(QuotedPrintable::Decode(too_long), EMessageParserError);
}

TEST(QuotedPrintable, RandomTextRoundTrips) {
  std::mt19937 random(7);
  for (int round = 0; round < 50; ++round) {
    std::string text;
    const int length = static_cast<int>(random() % 600);
    for (int i = 0; i < length; ++i) {
      const unsigned pick = random() % 40;
      if (pick == 0) {
        text += "\r\n";
      } else if (pick < 6) {
        text += ' ';
      } else {
        char c = static_cast<char>(random() % 256);
        if (c == '\r' || c == '\n') c = '=';
        text += c;
      }
    }
    EXPECT_EQ(QuotedPrintable::Decode(QuotedPrintable::Encode(text)), text) << round;
  }
}

TEST(Uuencode, KnownAnswerAndRoundTrips) {
  EXPECT_EQ(UuEncodeLines("Cat"), std::vector<std::string>{"#0V%T"});
  EXPECT_EQ(UuEncodeLines(std::string(3, '\0')), std::vector<std::string>{"#````"});
  const std::string bytes = AllBytes();
  for (std::size_t length : {0u, 1u, 2u, 44u, 45u, 46u, 100u, 256u}) {
    const std::string data = bytes.substr(0, length);
    const auto lines = UuEncodeLines(data);
    EXPECT_EQ(lines.size(), (length + 44) / 45);
    std::string back;
    for (const auto& line : lines) UuDecodeLine(line, back);
    EXPECT_EQ(back, data) << length;
  }
  std::string out;
  UuDecodeLine("#0V%T", out);
  UuDecodeLine("#0    ", out);  // blanks read as zero
  EXPECT_EQ(out, std::string("Cat@\0\0", 6));
  try {
    UuDecodeLine("#0V~T", out);
    ADD_FAILURE();
  } catch (const EMessageParserError& e) {
    EXPECT_STREQ(e.what(), "Invalid Character");
  }
  try {
    UuDecodeLine("M0V%T", out);
    ADD_FAILURE();
  } catch (const EMessageParserError& e) {
    EXPECT_STREQ(e.what(), "Error decoding the attachment");
  }
}

TEST(EncodedWords, Decoding) {
  const std::pair<const char*, const char*> cases[] = {
      {"plain value", "plain value"},
      {"=?iso-8859-1?Q?Caf=E9?=", "Caf\xe9"},
      {"=?utf-8?b?SGVsbG8=?=", "Hello"},
      {"=?utf-8?B?SGVsbG8=?= =?utf-8?B?V29ybGQ=?=", "HelloWorld"},
      {"=?utf-8?Q?Hello?= world", "Hello world"},
      // "_" is a blank only inside a Q word: never in plain text or a B word.
      {"Re: =?utf-8?Q?a_b=5Fc?= x_y", "Re: a b_c x_y"},
      {"First Last <first_last@example.org>", "First Last <first_last@example.org>"},
      {"=?utf-8?B?X18=?= file_name.txt", "__ file_name.txt"},
      {"broken =?utf-8?Q?abc", "broken "},
      {"no kind =?utf-8?X?abc?=", "no kind "},
      {"=?utf-8?Q?"
       "?=",
       ""},
  };
  for (const auto& [value, decoded] : cases) EXPECT_EQ(DecodeEncodedWords(value), decoded) << value;
  EXPECT_THROW(DecodeEncodedWords("=?x?B?!!!?="), EMessageParserError);
  EXPECT_EQ(EncodeWordBase64("ISO-2022-JP", "\x1b$B"), "=?ISO-2022-JP?B?GyRC?=");
}

}  // namespace
}  // namespace tw
