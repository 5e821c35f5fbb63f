// A self-signed certificate for 127.0.0.1 and localhost, made once per test program with
// OpenSSL, for the scripted server's TLS; its PEM file is the clients' CA file.
#pragma once

#include <string>

namespace tw::test {

struct TestCertificate {
  std::string certificate_pem;
  std::string key_pem;
  std::string file;  // the certificate, as a PEM file that lives as long as the program
};

const TestCertificate& LoopbackCertificate();

}  // namespace tw::test
