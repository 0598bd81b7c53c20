// The bodies of POST /v1/check, /v1/find and /v1/mask: {"text": "..."} or
// {"texts": ["...", ...]}, optionally "speaker", and for mask "char" and "keep_first".
// Keys the service does not know are ignored.
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "chatsieve/filter.hpp"

namespace chatsieve::tool {

// A batch holds at most this many texts.
constexpr size_t kMostTextsInBatch = 1000;
// A speaker's name is a key the service keeps, so its bytes are bounded.
constexpr size_t kLongestSpeaker = 256;

// A body the service cannot take; what() says why, for the client.
class RequestError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct ScreeningRequest {
  std::vector<std::string> texts;  // valid UTF-8; may hold U+0000
  bool batch = false;              // "texts": answered with "results"
  // The texts are this speaker's next messages, in order.
  std::optional<std::string> speaker;
  char32_t mask = U'*';
  MaskStyle mask_style = MaskStyle::kWhole;
};

// Throws RequestError for JSON that does not parse (text that is not valid UTF-8, lone
// surrogate escapes and nesting deeper than 32 included), or that lacks "text" or
// "texts", gives a value of the wrong type, or a speaker empty or longer than
// kLongestSpeaker bytes.
ScreeningRequest ParseScreeningRequest(std::string_view body, bool masking);

}  // namespace chatsieve::tool
