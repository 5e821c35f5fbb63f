#include "common/config/profile_file.h"

#include "common/texts/ascii_case.h"

#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "common/system/atomic_file.h"
#include "common/addresses/percent_decode.h"

namespace tw {
namespace {

// A stray carriage return (a file ending in a bare "\r", or "\r\r\n" line ends) is
// blank too: otherwise a name or value would change once a line is added after it.
constexpr std::string_view kBlanks = " \t\r";

std::string_view Trim(std::string_view s) {
  const auto first = s.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(kBlanks);
  return s.substr(first, last - first + 1);
}

// What one line of the file is.
enum class LineKind { kOther, kSection, kKey };
struct Classified {
  LineKind kind = LineKind::kOther;
  std::string_view name;   // section or key name
  std::string_view value;  // key value
};

Classified Classify(std::string_view line) {
  const std::string_view t = Trim(line);
  if (t.empty() || t.front() == ';' || t.front() == '#') return {};
  if (t.front() == '[') {
    const auto close = t.find(']');
    const std::string_view inner = close == std::string_view::npos ? t.substr(1) : t.substr(1, close - 1);
    return {LineKind::kSection, Trim(inner), {}};
  }
  const auto eq = t.find('=');
  if (eq == std::string_view::npos) return {};
  const std::string_view key = Trim(t.substr(0, eq));
  if (key.empty()) return {};
  return {LineKind::kKey, key, Trim(t.substr(eq + 1))};
}

// Line breaks inside a value would split it into lines of their own; write them as spaces.
std::string OneLine(std::string_view s) {
  std::string out(s);
  std::replace(out.begin(), out.end(), '\r', ' ');
  std::replace(out.begin(), out.end(), '\n', ' ');
  return out;
}

std::string FileStamp(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return "absent";
  std::ostringstream s;
  s << st.st_dev << ':' << st.st_ino << ':' << st.st_size << ':' << st.st_mtim.tv_sec << '.' << st.st_mtim.tv_nsec;
  return s.str();
}

}  // namespace

bool SameName(std::string_view a, std::string_view b) { return EqualIgnoringAsciiCase(a, b); }

std::optional<std::int32_t> ParseProfileInteger(std::string_view text) {
  std::string_view t = Trim(text);
  bool negative = false;
  if (!t.empty() && (t.front() == '-' || t.front() == '+')) {
    negative = t.front() == '-';
    t.remove_prefix(1);
  }
  bool hex = false;
  if (!t.empty() && t.front() == '$') {
    hex = true;
    t.remove_prefix(1);
  } else if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
    hex = true;
    t.remove_prefix(2);
  }
  if (t.empty()) return std::nullopt;
  if (hex) {
    std::uint64_t v = 0;
    for (char c : t) {
      const int d = HexDigitValue(c);
      if (d < 0) return std::nullopt;
      v = v * 16 + static_cast<std::uint64_t>(d);
      if (v > 0xFFFFFFFFull) return std::nullopt;
    }
    // Thirty-two bits, read as a signed number: "$8000000F" is negative.
    auto bits = static_cast<std::uint32_t>(v);
    if (negative) bits = ~bits + 1u;
    return static_cast<std::int32_t>(bits);
  }
  std::int64_t v = 0;
  for (char c : t) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + (c - '0');
    if (v > 2147483648LL) return std::nullopt;
  }
  if (negative) v = -v;
  if (v > 2147483647LL || v < -2147483648LL) return std::nullopt;
  return static_cast<std::int32_t>(v);
}

std::int32_t StrictProfileInteger(std::string_view text) {
  const auto v = ParseProfileInteger(text);
  if (!v) throw ConversionError(std::string(text));
  return *v;
}

// ---------------------------------------------------------------- ProfileText

ProfileText::ProfileText(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const auto nl = text.find('\n', pos);
    if (nl == std::string_view::npos) {
      lines_.push_back({std::string(text.substr(pos)), ""});
      break;
    }
    std::string_view body = text.substr(pos, nl - pos);
    if (!body.empty() && body.back() == '\r') {
      body.remove_suffix(1);
      lines_.push_back({std::string(body), "\r\n"});
    } else {
      lines_.push_back({std::string(body), "\n"});
    }
    pos = nl + 1;
  }
}

std::optional<std::size_t> ProfileText::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Classified c = Classify(lines_[i].text);
    if (c.kind == LineKind::kSection && SameName(c.name, section)) return i;
  }
  return std::nullopt;
}

std::size_t ProfileText::SectionEnd(std::size_t header) const {
  std::size_t i = header + 1;
  while (i < lines_.size() && Classify(lines_[i].text).kind != LineKind::kSection) ++i;
  return i;
}

std::optional<std::size_t> ProfileText::FindKey(std::size_t header, std::string_view key) const {
  const std::size_t end = SectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    const Classified c = Classify(lines_[i].text);
    if (c.kind == LineKind::kKey && SameName(c.name, key)) return i;
  }
  return std::nullopt;
}

std::optional<std::string> ProfileText::Get(std::string_view section, std::string_view key) const {
  const auto header = FindSection(section);
  if (!header) return std::nullopt;
  const auto line = FindKey(*header, key);
  if (!line) return std::nullopt;
  return std::string(Classify(lines_[*line].text).value);
}

std::vector<std::string> ProfileText::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  const auto header = FindSection(section);
  if (!header) return names;
  const std::size_t end = SectionEnd(*header);
  for (std::size_t i = *header + 1; i < end; ++i) {
    const Classified c = Classify(lines_[i].text);
    if (c.kind != LineKind::kKey) continue;
    const bool seen =
        std::any_of(names.begin(), names.end(), [&](const std::string& n) { return SameName(n, c.name); });
    if (!seen) names.emplace_back(c.name);
  }
  return names;
}

std::vector<std::string> ProfileText::SectionNames() const {
  std::vector<std::string> names;
  for (const Line& line : lines_) {
    const Classified c = Classify(line.text);
    if (c.kind != LineKind::kSection) continue;
    const bool seen =
        std::any_of(names.begin(), names.end(), [&](const std::string& n) { return SameName(n, c.name); });
    if (!seen) names.emplace_back(c.name);
  }
  return names;
}

bool ProfileText::HasSection(std::string_view section) const { return FindSection(section).has_value(); }

std::string ProfileText::NewLineEnding() const {
  for (const Line& line : lines_) {
    if (!line.ending.empty()) return line.ending;
  }
  return "\n";
}

void ProfileText::EnsureLastLineEnded() {
  if (!lines_.empty() && lines_.back().ending.empty()) lines_.back().ending = NewLineEnding();
}

void ProfileText::Set(std::string_view section, std::string_view key, std::string_view value) {
  const std::string entry = std::string(Trim(OneLine(key))) + "=" + OneLine(value);
  const auto header = FindSection(section);
  if (!header) {
    EnsureLastLineEnded();
    const std::string eol = NewLineEnding();
    lines_.push_back({"[" + std::string(section) + "]", eol});
    lines_.push_back({entry, eol});
    return;
  }
  if (const auto line = FindKey(*header, key)) {
    lines_[*line].text = entry;
    return;
  }
  // After the section's last non-blank line, so blank lines between sections stay put.
  std::size_t insert = SectionEnd(*header);
  while (insert > *header + 1 && Trim(lines_[insert - 1].text).empty()) --insert;
  if (insert == lines_.size()) EnsureLastLineEnded();
  const std::string eol = NewLineEnding();
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert), Line{entry, eol});
  // Inserted before the old last line: that line keeps being the unterminated one.
}

void ProfileText::EraseSection(std::string_view section) {
  while (const auto header = FindSection(section)) {
    const std::size_t end = SectionEnd(*header);
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(end));
  }
}

void ProfileText::ReplaceSectionKeys(std::string_view section,
                                     const std::vector<std::pair<std::string, std::string>>& entries) {
  const auto header = FindSection(section);
  if (entries.empty() || !header) {
    EraseSection(section);
    for (const auto& [key, value] : entries) Set(section, key, value);
    return;
  }
  // Later headers of the same section go, keys and all.
  for (std::size_t i = SectionEnd(*header); i < lines_.size();) {
    const Classified c = Classify(lines_[i].text);
    if (c.kind == LineKind::kSection && SameName(c.name, section)) {
      lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i),
                   lines_.begin() + static_cast<std::ptrdiff_t>(SectionEnd(i)));
    } else {
      ++i;
    }
  }
  std::optional<std::size_t> first_key;
  std::size_t end = SectionEnd(*header);
  for (std::size_t i = *header + 1; i < end;) {
    if (Classify(lines_[i].text).kind == LineKind::kKey) {
      if (!first_key) first_key = i;
      lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
      --end;
    } else {
      ++i;
    }
  }
  std::size_t insert = end;
  if (first_key) {
    insert = *first_key;
  } else {
    while (insert > *header + 1 && Trim(lines_[insert - 1].text).empty()) --insert;
  }
  if (insert == lines_.size()) EnsureLastLineEnded();
  const std::string eol = NewLineEnding();
  std::vector<Line> added;
  for (const auto& [key, value] : entries) {
    added.push_back({std::string(Trim(OneLine(key))) + "=" + OneLine(value), eol});
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert), added.begin(), added.end());
}

std::string ProfileText::Text() const {
  std::string out;
  for (const Line& line : lines_) {
    out += line.text;
    out += line.ending;
  }
  return out;
}

// ---------------------------------------------------------------- ProfileFile

ProfileFile::ProfileFile(std::string path) : path_(std::move(path)) {}

ProfileFile ProfileFile::InMemory(std::string path, std::string_view text) {
  ProfileFile file(std::move(path));
  file.contents_ = ProfileText(text);
  file.loaded_ = true;
  file.in_memory_ = true;
  return file;
}

const ProfileText& ProfileFile::Contents() const {
  if (in_memory_) return contents_;
  const std::string stamp = FileStamp(path_);
  if (loaded_ && stamp == stamp_) return contents_;
  std::string text;
  std::ifstream in(path_, std::ios::binary);
  if (in) {
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
  }
  // An unreadable or missing file reads as empty: every read gives its default.
  contents_ = ProfileText(text);
  stamp_ = stamp;
  loaded_ = true;
  return contents_;
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view default_value) const {
  auto value = Contents().Get(section, key);
  std::string result = value ? std::move(*value) : std::string(default_value);
  if (result.size() > kMaxProfileValue) result.resize(kMaxProfileValue);
  return result;
}

std::int32_t ProfileFile::ReadInteger(std::string_view section, std::string_view key,
                                      std::int32_t default_value) const {
  const auto value = Contents().Get(section, key);
  if (!value) return default_value;
  return ParseProfileInteger(*value).value_or(default_value);
}

bool ProfileFile::ReadBool(std::string_view section, std::string_view key, bool default_value) const {
  return ReadInteger(section, key, default_value ? 1 : 0) != 0;
}

std::vector<std::string> ProfileFile::ReadSection(std::string_view section) const {
  return Contents().KeyNames(section);
}

bool ProfileFile::SectionExists(std::string_view section) const { return Contents().HasSection(section); }

bool ProfileFile::ValueExists(std::string_view section, std::string_view key) const {
  return Contents().Get(section, key).has_value();
}

void ProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  ProfileText text = Contents();
  text.Set(section, key, value);
  Save(text);
}

void ProfileFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void ProfileFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void ProfileFile::EraseSection(std::string_view section) {
  ProfileText text = Contents();
  if (!text.HasSection(section)) return;
  text.EraseSection(section);
  Save(text);
}

void ProfileFile::Save(const ProfileText& text) {
  if (in_memory_) throw ProfileWriteError(path_);
  if (!ReplaceFileAtomically(path_, text.Text())) throw ProfileWriteError(path_);
  contents_ = text;
  stamp_ = FileStamp(path_);
  loaded_ = true;
}

// ---------------------------------------------------------------- lists

std::vector<std::vector<std::string>> ReadList(const ProfileFile& file, const ListSection& first,
                                               const std::vector<ListSection>& companions) {
  const std::size_t n = file.ReadSection(first.section).size();
  std::vector<std::vector<std::string>> rows;
  rows.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    const std::string index = std::to_string(i);
    std::vector<std::string> row;
    row.push_back(file.ReadString(first.section, first.prefix + index, ""));
    for (const ListSection& c : companions) row.push_back(file.ReadString(c.section, c.prefix + index, ""));
    rows.push_back(std::move(row));
  }
  return rows;
}

void WriteList(ProfileFile& file, const ListSection& first, const std::vector<ListSection>& companions,
               const std::vector<std::vector<std::string>>& rows) {
  file.EraseSection(first.section);
  for (const ListSection& c : companions) file.EraseSection(c.section);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::string index = std::to_string(i);
    const auto& row = rows[i];
    file.WriteString(first.section, first.prefix + index, row.empty() ? "" : row[0]);
    for (std::size_t k = 0; k < companions.size(); ++k) {
      const std::string& value = k + 1 < row.size() ? row[k + 1] : std::string();
      file.WriteString(companions[k].section, companions[k].prefix + index, value);
    }
  }
}

}  // namespace tw
