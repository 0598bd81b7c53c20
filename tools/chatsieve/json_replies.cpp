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

template <typename Found>
std::vector<size_t> OffsetsOf(const std::vector<Found>& found) {
  std::vector<size_t> offsets;
  offsets.reserve(found.size() * 2);
  for (const Match& match : found) {
    offsets.push_back(match.begin);
    offsets.push_back(match.end);
  }
  return offsets;
}

Json MatchJson(const Filter& filter, const Match& match, const CodePointPositions& positions) {
  return {{"start", positions.At(match.begin)}, {"end", positions.At(match.end)},
          {"byte_start", match.begin},          {"byte_end", match.end},
          {"word", filter.Word(match.word)},    {"category", match.category},
          {"severity", match.severity}};
}

Json Matches(const Filter& filter, std::string_view text) {
  const std::vector<Match> found = filter.Find(text);
  const CodePointPositions positions(text, OffsetsOf(found));
  Json matches = Json::array();
  for (const Match& match : found)
    matches.push_back(MatchJson(filter, match, positions));
  return matches;
}

// Each match with the messages it spans, in code points as the match: the new message's
// part is the match's own.
Json ConversationMatches(SpeakerConversation& conversation, std::string_view text,
                         Conversation::Time time) {
  const std::vector<ConversationMatch> found = conversation.Find(text, time);
  const CodePointPositions positions(text, OffsetsOf(found));
  const auto at = [&](size_t message, size_t offset) {
    return message == 0 ? positions.At(offset) : conversation.CodePointsBefore(message, offset);
  };
  Json matches = Json::array();
  for (const ConversationMatch& match : found) {
    Json parts = Json::array();
    for (const ConversationPart& part : match.parts) {
      parts.push_back({{"message", part.message},
                       {"start", at(part.message, part.begin)},
                       {"end", at(part.message, part.end)}});
    }
    Json item = MatchJson(conversation.Words().filter, match, positions);
    item["parts"] = std::move(parts);
    matches.push_back(std::move(item));
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

// One call for the message, so that the conversation remembers it once.
Json ScreenInConversation(Screening screening, SpeakerConversation& conversation,
                          const ScreeningRequest& request, std::string_view text,
                          Conversation::Time time) {
  Json reply;
  switch (screening) {
    case Screening::kCheck:
      reply = {{"listed", conversation.Check(text, time)}};
      break;
    case Screening::kFind: {
      Json matches = ConversationMatches(conversation, text, time);
      const bool listed = !matches.empty();
      reply = {{"listed", listed}, {"matches", std::move(matches)}};
      break;
    }
    case Screening::kMask: {
      std::string masked = conversation.Mask(text, time, request.mask, request.mask_style);
      // A word of one character, kept by keep_first, changes nothing yet is listed; one
      // that ends in the message in pieces always has a masked character in it.
      const bool listed = masked != text || (request.mask_style == MaskStyle::kKeepFirst &&
                                             conversation.Words().filter.Check(text));
      reply = {{"listed", listed}, {"masked", std::move(masked)}};
      break;
    }
  }
  reply["repeats"] = conversation.Repeats();
  return reply;
}

// A single text's reply alone, a batch's as {"results": [...]}.
template <typename ScreenText>
std::string Reply(const ScreeningRequest& request, ScreenText screen) {
  if (!request.batch) return Dump(screen(request.texts.front()));
  Json results = Json::array();
  for (const std::string& text : request.texts)
    results.push_back(screen(text));
  return Dump({{"results", std::move(results)}});
}

}  // namespace

std::string ScreeningReply(Screening screening, const WordGeneration& words,
                           const ScreeningRequest& request) {
  return Reply(request, [&](std::string_view text) {
    return Screen(screening, words.filter, request, text);
  });
}

std::string ConversationReply(Screening screening, SpeakerConversation& conversation,
                              const ScreeningRequest& request, Conversation::Time time) {
  return Reply(request, [&](std::string_view text) {
    return ScreenInConversation(screening, conversation, request, text, time);
  });
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
