#include "setup/model/list_edit.h"

#include <utility>

#include "common/config/password_sequence.h"

namespace tw {

ListEdit::ListEdit(ConfigRows rows, std::size_t limit) : rows_(std::move(rows)), limit_(limit) {
  Unmoved(rows_.size());
}

void ListEdit::Unmoved(std::size_t before) {
  moves_.clear();
  for (std::size_t i = 0; i < before; ++i) moves_.emplace_back(i);
}

void ListEdit::Select(std::size_t index) {
  if (index < rows_.size()) current_ = index;
}

void ListEdit::SetField(std::size_t column, const std::string& value) {
  Unmoved(rows_.size());
  if (rows_.empty() || column >= rows_[current_].size()) return;
  rows_[current_][column] = value;
}

bool ListEdit::Add(std::vector<std::string> row) {
  Unmoved(rows_.size());
  if (full()) return false;
  rows_.push_back(std::move(row));
  current_ = rows_.size() - 1;
  return true;
}

bool ListEdit::Insert(std::vector<std::string> row) {
  Unmoved(rows_.size());
  if (full()) return false;
  for (std::size_t i = current_; i < moves_.size(); ++i) moves_[i] = i + 1;
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(current_), std::move(row));
  return true;
}

void ListEdit::Delete() {
  Unmoved(rows_.size());
  if (rows_.empty()) return;
  moves_[current_].reset();
  for (std::size_t i = current_ + 1; i < moves_.size(); ++i) moves_[i] = i - 1;
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(current_));
  if (current_ > 0) --current_;
}

void ListEdit::MoveUp() {
  Unmoved(rows_.size());
  if (rows_.empty() || current_ == 0) return;
  std::swap(moves_[current_], moves_[current_ - 1]);
  std::swap(rows_[current_], rows_[current_ - 1]);
  --current_;
}

void ListEdit::MoveDown() {
  Unmoved(rows_.size());
  if (rows_.empty() || current_ + 1 >= rows_.size()) return;
  std::swap(moves_[current_], moves_[current_ + 1]);
  std::swap(rows_[current_], rows_[current_ + 1]);
  ++current_;
}

std::string PasswordStepCaption(const std::string& letter) {
  if (letter.size() == 1) {
    for (const PasswordLetter& step : PasswordLetters()) {
      if (step.letter != letter[0]) continue;
      std::string caption = letter + " - ";
      bool word_start = true;
      for (char c : step.description) {
        caption += word_start && c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        word_start = c == ' ';
      }
      return caption;
    }
  }
  return letter + " - ?";
}

ConfigRows PasswordRows(const std::string& password) {
  ConfigRows rows;
  for (char c : password) rows.push_back({std::string(1, c)});
  return rows;
}

std::string PasswordFromRows(const ConfigRows& rows) {
  std::string password;
  for (const auto& row : rows) password += row.empty() ? std::string() : row[0];
  return password;
}

}  // namespace tw
