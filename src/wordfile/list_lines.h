// The lines of a list's text one at a time, as every text list is read: numbered from 1,
// each without its line end (LF or CR LF) or a byte-order mark at its start.
#pragma once

#include <cstddef>
#include <string_view>

namespace chatsieve {

class ListLines {
 public:
  explicit ListLines(std::string_view text) : rest_(text) {}

  bool Next(std::string_view& line) {
    if (rest_.empty()) return false;
    const size_t newline = rest_.find('\n');
    line = rest_.substr(0, newline);
    rest_.remove_prefix(newline == std::string_view::npos ? rest_.size() : newline + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.starts_with(kByteOrderMark)) line.remove_prefix(kByteOrderMark.size());
    ++number_;
    return true;
  }
  size_t Number() const { return number_; }

  static constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

 private:
  std::string_view rest_;
  size_t number_ = 0;
};

}  // namespace chatsieve
