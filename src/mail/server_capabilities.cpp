#include "mail/server_capabilities.h"

#include <algorithm>
#include <cctype>

namespace tw {
namespace {

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    const std::size_t start = i;
    while (i < text.size() && text[i] != ' ' && text[i] != '\t') ++i;
    if (i > start) words.push_back(Upper(text.substr(start, i - start)));
  }
  return words;
}

void AddMechanisms(ServerCapabilities& offers, const std::vector<std::string>& words) {
  for (std::size_t i = 1; i < words.size(); ++i) {
    if (!words[i].empty() && !offers.Offers(words[i])) offers.auth_mechanisms.push_back(words[i]);
  }
}

}  // namespace

bool ServerCapabilities::Offers(std::string_view mechanism) const {
  return std::find(auth_mechanisms.begin(), auth_mechanisms.end(), Upper(mechanism)) != auth_mechanisms.end();
}

ServerCapabilities ParseEhloReply(const std::vector<std::string>& lines) {
  ServerCapabilities offers;
  // The first line names the server; each further line is one keyword with parameters.
  for (std::size_t n = 1; n < lines.size(); ++n) {
    if (lines[n].size() < 4) continue;
    std::vector<std::string> words = Words(std::string_view(lines[n]).substr(4));
    if (words.empty()) continue;
    if (words[0] == "STARTTLS" && words.size() == 1) offers.starttls = true;
    if (words[0] == "AUTH") AddMechanisms(offers, words);
    // Older servers wrote "AUTH=PLAIN LOGIN".
    if (words[0].starts_with("AUTH=")) {
      words[0] = words[0].substr(5);
      words.insert(words.begin(), "AUTH");
      AddMechanisms(offers, words);
    }
  }
  return offers;
}

ServerCapabilities ParseCapaReply(const std::vector<std::string>& lines) {
  ServerCapabilities offers;
  for (std::string_view line : lines) {
    if (line.starts_with("..")) line.remove_prefix(1);
    const std::vector<std::string> words = Words(line);
    if (words.empty()) continue;
    if (words[0] == "STLS" && words.size() == 1) offers.starttls = true;
    if (words[0] == "SASL") AddMechanisms(offers, words);
  }
  return offers;
}

}  // namespace tw
