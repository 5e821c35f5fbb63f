#include "test_certificate.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509v3.h>

#include <fstream>
#include <functional>
#include <memory>
#include <stdexcept>

#include "support/temp_dir.h"

namespace tw::test {
namespace {

void AddExtension(X509* certificate, int nid, const char* value) {
  X509V3_CTX context;
  X509V3_set_ctx_nodb(&context);
  X509V3_set_ctx(&context, certificate, certificate, nullptr, nullptr, 0);
  X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value);
  if (extension == nullptr) throw std::runtime_error("certificate extension");
  X509_add_ext(certificate, extension, -1);
  X509_EXTENSION_free(extension);
}

std::string Pem(const std::function<int(BIO*)>& write) {
  BIO* bio = BIO_new(BIO_s_mem());
  write(bio);
  char* data = nullptr;
  const long size = BIO_get_mem_data(bio, &data);
  std::string text(data, static_cast<std::size_t>(size));
  BIO_free(bio);
  return text;
}

TestCertificate Make(const std::string& file) {
  EVP_PKEY* key = EVP_EC_gen("P-256");
  X509* certificate = X509_new();
  X509_set_version(certificate, 2);
  ASN1_INTEGER_set(X509_get_serialNumber(certificate), 1);
  X509_gmtime_adj(X509_getm_notBefore(certificate), -3600);
  X509_gmtime_adj(X509_getm_notAfter(certificate), 7 * 24 * 3600);
  X509_set_pubkey(certificate, key);
  X509_NAME* name = X509_get_subject_name(certificate);
  const auto* common_name = reinterpret_cast<const unsigned char*>("Tarnwick scripted server");
  X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, common_name, -1, -1, 0);
  X509_set_issuer_name(certificate, name);
  AddExtension(certificate, NID_basic_constraints, "critical,CA:TRUE");
  AddExtension(certificate, NID_subject_alt_name, "IP:127.0.0.1,DNS:localhost");
  X509_sign(certificate, key, EVP_sha256());

  TestCertificate made;
  made.certificate_pem = Pem([&](BIO* bio) { return PEM_write_bio_X509(bio, certificate); });
  made.key_pem =
      Pem([&](BIO* bio) { return PEM_write_bio_PrivateKey(bio, key, nullptr, nullptr, 0, nullptr, nullptr); });
  made.file = file;
  std::ofstream(file, std::ios::binary) << made.certificate_pem;
  X509_free(certificate);
  EVP_PKEY_free(key);
  return made;
}

}  // namespace

const TestCertificate& LoopbackCertificate() {
  static const TempDir dir;
  static const TestCertificate certificate = Make(dir.File("loopback.pem"));
  return certificate;
}

}  // namespace tw::test
