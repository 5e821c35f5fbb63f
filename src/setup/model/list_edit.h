// The rules every list page shares: a list of items with a current one, edited in place.
// The window shows the items and forwards the buttons here.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "setup/model/setup_config.h"

namespace tw {

// Where each item of a list is after a change, by its position before it; nothing for an
// item deleted.
using ListMoves = std::vector<std::optional<std::size_t>>;

class ListEdit {
 public:
  // `limit`: the most items the list may hold (0: no limit).
  ListEdit(ConfigRows rows, std::size_t limit = 0);

  const ConfigRows& rows() const { return rows_; }
  bool empty() const { return rows_.empty(); }
  // The current item; 0 when the list is empty.
  std::size_t current() const { return current_; }
  bool full() const { return limit_ != 0 && rows_.size() >= limit_; }

  void Select(std::size_t index);  // ignored outside the list
  // Changes a field of the current item; nothing while the list is empty.
  void SetField(std::size_t column, const std::string& value);
  // Append or insert before the current item; the new item becomes current. False (and
  // nothing added) when the list is full.
  bool Add(std::vector<std::string> row);
  bool Insert(std::vector<std::string> row);
  // Removes the current item; the one before it becomes current, or the first.
  void Delete();
  // Swap the current item with its neighbour; nothing at the ends.
  void MoveUp();
  void MoveDown();

  // How the last change moved the items (every item in place after a field edit).
  const ListMoves& moves() const { return moves_; }

 private:
  void Unmoved(std::size_t before);

  ConfigRows rows_;
  ListMoves moves_;
  std::size_t current_ = 0;
  std::size_t limit_;
};

// How the password list shows a letter: "A - Clock" ... "Z - Keyboard Button"; a letter
// that names no object is shown as it is ("a - ?").
std::string PasswordStepCaption(const std::string& letter);

// The exit password as list rows (one letter each) and back.
ConfigRows PasswordRows(const std::string& password);
std::string PasswordFromRows(const ConfigRows& rows);

}  // namespace tw
