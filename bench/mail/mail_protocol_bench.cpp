// Times the mail clients against real servers; mail_protocol_bench.py runs it next to
// Python's smtplib and poplib and prints the ratios.
//   mail_protocol_bench smtp COUNT   sends COUNT small messages over STARTTLS with AUTH,
//                                    one connection each
//   mail_protocol_bench pop3         retrieves every message of the mailbox over TLS from
//                                    the first byte, in one connection
// Servers, account and CA file come from TW_SUBMISSION_SERVER, TW_POP3S_SERVER,
// TW_POP3_USER, TW_POP3_PASSWORD and TW_CA_FILE. Prints the seconds taken and, for pop3,
// the octets received.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "mail/mail_message.h"
#include "mail/pop3_mailbox.h"
#include "mail/smtp_client.h"

namespace {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  tw::MailServerSettings settings;
  settings.user_name = Env("TW_POP3_USER");
  settings.password = Env("TW_POP3_PASSWORD");
  settings.ca_file = Env("TW_CA_FILE");
  try {
    if (mode == "smtp" && argc > 2) {
      const int count = std::atoi(argv[2]);
      tw::MailMessage message;
      message.Sender().SetAddress("bench@tarnwick.test");
      message.Recipients().Add("visitor@tarnwick.test");
      message.SetSubject("bench");
      message.Body() = {"A short message of a few lines.", "Second line.", "Third line."};
      settings.address = Env("TW_SUBMISSION_SERVER");
      settings.security = tw::MailSecurity::kStartTls;
      tw::SmtpClient smtp;
      smtp.UseServer(settings);
      smtp.SetMailMessage(&message);
      const auto start = std::chrono::steady_clock::now();
      for (int i = 0; i < count; ++i) smtp.Send();
      std::printf("%.6f\n", Seconds(start));
      return 0;
    }
    if (mode == "pop3") {
      tw::Pop3Mailbox pop;
      settings.address = Env("TW_POP3S_SERVER");
      settings.security = tw::MailSecurity::kTls;
      pop.UseServer(settings);
      long long octets = 0;
      pop.OnUserMessageSave = [&](int, const std::string& contents) {
        octets += static_cast<long long>(contents.size());
      };
      const auto start = std::chrono::steady_clock::now();
      pop.Connect();
      for (int i = 0; i < pop.MessageCount(); ++i) pop.RetrieveMessage(i);
      pop.Disconnect();
      std::printf("%.6f %lld\n", Seconds(start), octets);
      return 0;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "mail_protocol_bench: %s\n", e.what());
    return 1;
  }
  std::fprintf(stderr, "usage: mail_protocol_bench smtp COUNT | pop3\n");
  return 2;
}
