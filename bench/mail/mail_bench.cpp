// Prints the mail codecs' figures: base64 and quoted-printable encode and decode
// throughput on a 64 MiB file, next to coreutils base64 on the same file, and the time to
// write and read back a message with a 10 MiB attachment. The file is made in a new
// temporary directory and deleted afterwards.
//   mail_bench [MiB]
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "mail/base64.h"
#include "mail/mail_message.h"
#include "mail/quoted_printable.h"

namespace {

using Clock = std::chrono::steady_clock;

// Best wall time of three runs, in seconds.
double Best(const std::function<void()>& work) {
  double best = 1e9;
  for (int i = 0; i < 3; ++i) {
    const auto start = Clock::now();
    work();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
  }
  return best;
}

// Mail-like text: words on lines of up to 72 characters, CR LF line ends, now and then
// a Latin letter, so that quoted-printable has something to escape.
std::string MakeText(std::size_t size) {
  static const char* const kWords[] = {"kiosk",   "mail", "the",   "visitor", "sends", "a",       "message", "to",
                                       "caf\xe9", "page", "print", "=",       "and",   "browser", "log",     "daily"};
  std::string text;
  text.reserve(size + 100);
  unsigned v = 12345;
  std::size_t line = 0;
  while (text.size() < size) {
    v = v * 1103515245u + 12345u;
    const char* word = kWords[(v >> 16) % 16];
    const std::size_t length = std::char_traits<char>::length(word);
    if (line + length + 1 > 72) {
      text += "\r\n";
      line = 0;
    } else if (line > 0) {
      text += ' ';
      ++line;
    }
    text += word;
    line += length;
  }
  text.resize(size);
  return text;
}

double Run(const std::string& command) {
  return Best([&] {
    if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
  });
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t mib = argc > 1 ? static_cast<std::size_t>(std::atoi(argv[1])) : 64;
  const std::size_t size = mib << 20;
  std::string dir_template = (std::filesystem::temp_directory_path() / "tw-mail-bench-XXXXXX").string();
  if (!::mkdtemp(dir_template.data())) return 1;
  const std::filesystem::path dir = dir_template;
  const std::string file = (dir / "data.txt").string();
  const std::string encoded_file = (dir / "data.b64").string();
  const std::string data = MakeText(size);
  std::ofstream(file, std::ios::binary) << data;

  std::printf("file: %zu MiB of mail-like text (%s)\n", mib, file.c_str());
  const double mb = static_cast<double>(size) / (1 << 20);

  std::vector<std::string> b64;
  const double b64_encode = Best([&] { b64 = tw::Base64EncodeLines(data); });
  std::string back;
  const double b64_decode = Best([&] { back = tw::Base64DecodeLines(b64); });
  if (back != data) std::printf("base64 round trip FAILED\n");

  std::vector<std::string> qp;
  const double qp_encode = Best([&] { qp = tw::QuotedPrintable::Encode(data); });
  const double qp_decode = Best([&] { back = tw::QuotedPrintable::Decode(qp); });
  if (back != data) std::printf("quoted-printable round trip FAILED\n");

  const double core_encode = Run("base64 '" + file + "' > /dev/null");
  Run("base64 '" + file + "' > '" + encoded_file + "'");
  const double core_decode = Run("base64 -d '" + encoded_file + "' > /dev/null");

  auto row = [&](const char* what, double seconds, double reference) {
    std::printf("%-34s %8.1f MiB/s  %6.3f s  %5.2fx coreutils\n", what, mb / seconds, seconds, reference / seconds);
  };
  std::printf("%-34s %8.1f MiB/s  %6.3f s\n", "coreutils base64 encode", mb / core_encode, core_encode);
  std::printf("%-34s %8.1f MiB/s  %6.3f s\n", "coreutils base64 -d", mb / core_decode, core_decode);
  row("base64 encode (57-byte lines)", b64_encode, core_encode);
  row("base64 decode", b64_decode, core_decode);
  row("quoted-printable encode", qp_encode, core_encode);
  row("quoted-printable decode", qp_decode, core_decode);

  // A message with a 10 MiB attachment: written as it is sent, read back as received.
  tw::MailMessage message;
  message.Sender().SetAddress("kiosk@example.org");
  message.Recipients().Add("visitor@example.org");
  message.SetSubject("Attachment");
  message.Body() = {"The file is attached."};
  std::string attachment(10u << 20, '\0');
  unsigned v = 99;
  for (char& c : attachment) {
    v = v * 1103515245u + 12345u;
    c = static_cast<char>(v >> 16);
  }
  message.Attachments().AddData("photo.jpg", attachment);
  std::string text;
  const double save = Best([&] {
    std::ostringstream out;
    message.SaveToStream(out);
    text = std::move(out).str();
  });
  tw::MailMessage received;
  const double load = Best([&] {
    std::istringstream in(text);
    received.Clear();
    received.LoadFromStream(in);
  });
  const bool same = received.Attachments().Count() == 1 && received.Attachments().Item(0).Contents() == attachment;
  std::printf("10 MiB attachment message: encode %.3f s (%.1f MiB/s), decode %.3f s (%.1f MiB/s), %zu bytes, %s\n",
              save, 10 / save, load, 10 / load, text.size(), same ? "round trip ok" : "round trip FAILED");

  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  return same ? 0 : 1;
}
