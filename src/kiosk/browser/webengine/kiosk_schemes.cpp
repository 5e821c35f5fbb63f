#include "kiosk/browser/webengine/kiosk_schemes.h"

#include "common/texts/ascii_case.h"

#include <QWebEngineUrlScheme>
#include <algorithm>
#include <set>

namespace tw {
namespace {

// Handled by the engine itself; registering them again would change how pages load.
const std::set<std::string>& EngineSchemes() {
  static const std::set<std::string> schemes = {
      "http", "https", "file",       "ftp",         "data",   "blob",     "about",           "javascript",  "ws",
      "wss",  "qrc",   "filesystem", "view-source", "chrome", "devtools", "chrome-devtools", "chrome-error"};
  return schemes;
}

bool ValidSchemeName(const std::string& s) {
  if (s.empty() || s.size() > 64 || !std::isalpha(static_cast<unsigned char>(s[0]))) return false;
  return std::all_of(s.begin(), s.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
  });
}

std::vector<std::string>& Registered() {
  static std::vector<std::string> names;
  return names;
}

}  // namespace

const std::vector<std::string>& RegisteredKioskSchemes() { return Registered(); }

const std::vector<std::string>& ExternalSchemes() {
  static const std::vector<std::string> schemes = {"mailto", "news", "nntp", "snews", "telnet", "tel", "sms",
                                                   "callto", "irc",  "ircs", "ssh",   "sftp",   "smb", "magnet"};
  return schemes;
}

void RegisterKioskSchemes(const std::vector<std::string>& blocked_protocols) {
  std::set<std::string> names = {"tw-command"};
  for (const std::string& s : ExternalSchemes()) names.insert(s);
  for (const std::string& p : blocked_protocols) names.insert(AsciiLower(p));
  for (const std::string& name : names) {
    if (!ValidSchemeName(name) || EngineSchemes().count(name) != 0) continue;
    if (!QWebEngineUrlScheme::schemeByName(QByteArray::fromStdString(name)).name().isEmpty()) continue;
    QWebEngineUrlScheme scheme(QByteArray::fromStdString(name));
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    QWebEngineUrlScheme::registerScheme(scheme);
    Registered().push_back(name);
  }
}

}  // namespace tw
