#include "text_positions.h"

#include <algorithm>

namespace chatsieve::tool {
namespace {

bool StartsCharacter(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
}

}  // namespace

CodePointPositions::CodePointPositions(std::string_view text, std::vector<size_t> offsets)
    : bytes_(std::move(offsets)) {
  std::sort(bytes_.begin(), bytes_.end());
  bytes_.erase(std::unique(bytes_.begin(), bytes_.end()), bytes_.end());
  points_.reserve(bytes_.size());
  size_t byte = 0;
  size_t points = 0;
  for (const size_t offset : bytes_) {
    for (const size_t end = std::min(offset, text.size()); byte < end; ++byte)
      points += StartsCharacter(text[byte]) ? 1 : 0;
    points_.push_back(points);
  }
}

size_t CodePointPositions::At(size_t byte_offset) const {
  const auto found = std::lower_bound(bytes_.begin(), bytes_.end(), byte_offset);
  return points_[static_cast<size_t>(found - bytes_.begin())];
}

size_t CodePointsIn(std::string_view text) {
  return static_cast<size_t>(std::count_if(text.begin(), text.end(), StartsCharacter));
}

std::optional<char32_t> OnlyCodePoint(std::string_view text) {
  if (text.empty() || text.size() > 4) return std::nullopt;
  if (CodePointsIn(text) != 1) return std::nullopt;
  const auto lead = static_cast<unsigned char>(text.front());
  // The lead byte's payload bits, then six from each continuation byte.
  char32_t point = text.size() == 1 ? lead : lead & (0x7F >> text.size());
  for (const char byte : text.substr(1))
    point = (point << 6) | (static_cast<unsigned char>(byte) & 0x3F);
  return point;
}

}  // namespace chatsieve::tool
