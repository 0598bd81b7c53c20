#include "json_requests.h"

#include <nlohmann/json.hpp>
#include <optional>

#include "text_positions.h"

namespace chatsieve::tool {
namespace {

using Json = nlohmann::json;

constexpr int kDeepestNesting = 32;

// The parser is iterative, but a client must not make the service build an arbitrarily
// deep tree: parsing stops at the first level too deep.
Json Parse(std::string_view body) {
  const auto limit_depth = [](int depth, Json::parse_event_t event, Json&) {
    const bool opens =
        event == Json::parse_event_t::object_start || event == Json::parse_event_t::array_start;
    if (opens && depth >= kDeepestNesting) {
      throw RequestError("the JSON nests deeper than " + std::to_string(kDeepestNesting) +
                         " levels");
    }
    return true;
  };
  try {
    return Json::parse(body.begin(), body.end(), limit_depth);
  } catch (const Json::parse_error& error) {
    // nlohmann's message after its "[json.exception.parse_error.101] " prefix.
    const std::string_view what = error.what();
    const size_t prefix = what.find("] ");
    throw RequestError("the body is not valid JSON: " +
                       std::string(what.substr(prefix == std::string_view::npos ? 0 : prefix + 2)));
  }
}

std::string TextOf(const Json& value, const char* what) {
  if (!value.is_string()) throw RequestError(std::string(what) + " must be a string");
  return value.get<std::string>();
}

}  // namespace

ScreeningRequest ParseScreeningRequest(std::string_view body, bool masking) {
  const Json json = Parse(body);
  if (!json.is_object()) throw RequestError("the body must be a JSON object");
  const auto text = json.find("text");
  const auto texts = json.find("texts");
  ScreeningRequest request;
  if (text != json.end() && texts != json.end()) {
    throw RequestError("give \"text\" or \"texts\", not both");
  } else if (text != json.end()) {
    request.texts.push_back(TextOf(*text, "\"text\""));
  } else if (texts != json.end()) {
    if (!texts->is_array()) throw RequestError("\"texts\" must be an array of strings");
    if (texts->size() > kMostTextsInBatch) {
      throw RequestError("\"texts\" holds more than " + std::to_string(kMostTextsInBatch) +
                         " texts");
    }
    request.batch = true;
    request.texts.reserve(texts->size());
    for (const Json& item : *texts)
      request.texts.push_back(TextOf(item, "every item of \"texts\""));
  } else {
    throw RequestError("the body has no \"text\" or \"texts\"");
  }
  if (const auto speaker = json.find("speaker"); speaker != json.end()) {
    request.speaker = TextOf(*speaker, "\"speaker\"");
    if (request.speaker->empty() || request.speaker->size() > kLongestSpeaker) {
      throw RequestError("\"speaker\" must be from 1 to " + std::to_string(kLongestSpeaker) +
                         " bytes long");
    }
  }
  if (!masking) return request;
  if (const auto mask = json.find("char"); mask != json.end()) {
    const std::optional<char32_t> point =
        mask->is_string() ? OnlyCodePoint(mask->get_ref<const std::string&>()) : std::nullopt;
    if (!point) throw RequestError("\"char\" must be a string of one character");
    request.mask = *point;
  }
  if (const auto keep_first = json.find("keep_first"); keep_first != json.end()) {
    if (!keep_first->is_boolean()) throw RequestError("\"keep_first\" must be true or false");
    if (keep_first->get<bool>()) request.mask_style = MaskStyle::kKeepFirst;
  }
  return request;
}

}  // namespace chatsieve::tool
