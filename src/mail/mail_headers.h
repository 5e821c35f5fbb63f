// Raw header lines ("Name: value", continuation lines as they came).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tw {

class MailHeaders {
 public:
  std::vector<std::string>& Lines() { return lines_; }
  const std::vector<std::string>& Lines() const { return lines_; }
  std::size_t Count() const { return lines_.size(); }
  void Add(std::string line) { lines_.push_back(std::move(line)); }
  void Clear() { lines_.clear(); }

  // The value of the first line called name (the colon is added when name lacks it),
  // trimmed, with its continuation lines (beginning with a blank or tab) joined by one
  // blank. Encoded words are decoded, except in "Content-Type" and "X-UIDL" (the value
  // is cut to 255 characters for that). Empty when there is no such line.
  std::string GetHeader(std::string_view name) const;
  // Deletes the first line called name and its continuation lines.
  void RemoveHeader(std::string_view name);
  // Deletes every line called name and their continuation lines.
  void RemoveAllHeaders(std::string_view name);

  bool operator==(const MailHeaders&) const = default;

 private:
  // Index of the first line called name at or after from, or Count().
  std::size_t Find(std::string_view name, std::size_t from = 0) const;

  std::vector<std::string> lines_;
};

}  // namespace tw
