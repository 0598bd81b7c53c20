#include "json_replies.h"

#include <nlohmann/json.hpp>

#include "text_positions.h"

namespace chatsieve::tool {
namespace {

using Json = nlohmann::ordered_json;

// Words and texts are valid UTF-8 but for a word list's own bytes, which the service
// does not vouch for: anything else becomes U+FFFD rather than an exception.
std::string Dump(const Json& json) {
  return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

Json Matches(const Filter& filter, std::string_view text) {
  const std::vector<Match> found = filter.Find(text);
  std::vector<size_t> offsets;
  offsets.reserve(found.size() * 2);
  for (const Match& match : found) {
    offsets.push_back(match.begin);
    offsets.push_back(match.end);
  }
  const CodePointPositions positions(text, std::move(offsets));
  Json matches = Json::array();
  for (const Match& match : found) {
    matches.push_back({{"start", positions.At(match.begin)},
                       {"end", positions.At(match.end)},
                       {"byte_start", match.begin},
                       {"byte_end", match.end},
                       {"word", filter.Word(match.word)},
                       {"category", match.category},
                       {"severity", match.severity}});
  }
  return matches;
}

Json Screen(Screening screening, const Filter& filter, const ScreeningRequest& request,
            std::string_view text) {
  switch (screening) {
    case Screening::kCheck:
      return {{"listed", filter.Check(text)}};
    case Screening::kFind: {
      Json matches = Matches(filter, text);
      const bool listed = !matches.empty();
      return {{"listed", listed}, {"matches", std::move(matches)}};
    }
    case Screening::kMask: {
      // Asked apart: with keep_first, a word of one character is listed yet changes nothing.
      return {{"listed", filter.Check(text)},
              {"masked", filter.Mask(text, request.mask, request.mask_style)}};
    }
  }
  return {};
}

}  // namespace

std::string ScreeningReply(Screening screening, const WordGeneration& words,
                           const ScreeningRequest& request) {
  if (!request.batch) return Dump(Screen(screening, words.filter, request, request.texts.front()));
  Json results = Json::array();
  for (const std::string& text : request.texts)
    results.push_back(Screen(screening, words.filter, request, text));
  return Dump({{"results", std::move(results)}});
}

std::string ErrorReply(std::string_view message) {
  return Dump({{"error", message}});
}

std::string GenerationReply(const WordGeneration& words) {
  return Dump({{"status", "ok"}, {"generation", words.number}, {"words", words.words}});
}

std::string FailedReloadReply(std::string_view reason, const WordGeneration& in_force) {
  return Dump({{"error", reason}, {"generation", in_force.number}});
}

}  // namespace chatsieve::tool
