// Screening one text for `check` or `mask`, through whichever engine the settings chose.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "screening_settings.h"
#include "text_source.h"

namespace chatsieve::tool {

// One occurrence of a listed word: byte offsets [begin, end) in the text.
struct FoundWord {
  size_t begin = 0;
  size_t end = 0;
  uint32_t word = 0;          // the word's index among the list's entries
  std::string_view text;      // the listed word, UTF-8
  std::string_view category;  // "" for none
  int severity = 2;
  // With --conversation, the 1-based lines the word spans, earliest first.
  std::vector<size_t> lines;
};

struct Screening {
  bool listed = false;
  std::vector<FoundWord> found;  // only for --format json
  std::string masked;            // only for mask
};

class Screener {
 public:
  virtual ~Screener() = default;
  // Nothing when the text cannot be screened; the reason is then on standard error.
  virtual std::optional<Screening> Screen(const Text& text) = 0;
};

// Loads the words the settings name. Throws std::runtime_error with the reason.
std::unique_ptr<Screener> MakeScreener(const ScreeningSettings& settings);

}  // namespace chatsieve::tool
