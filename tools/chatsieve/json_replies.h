// The JSON the service answers with.
#pragma once

#include <string>
#include <string_view>

#include "json_requests.h"
#include "speaker_conversation.h"
#include "word_generations.h"

namespace chatsieve::tool {

enum class Screening { kCheck, kFind, kMask };

// {"listed": bool} for check; with "matches" for find, each with its code point and
// byte offsets, word, category and severity; with "masked" for mask. A batch request is
// answered {"results": [...]}, one object a text, in order.
std::string ScreeningReply(Screening screening, const WordGeneration& words,
                           const ScreeningRequest& request);

// The same for a request with a speaker, its texts screened as the speaker's next
// messages: each answer also says how many earlier messages it "repeats", and each match
// of find the "parts" it spans, {"message": how many messages back, "start", "end"} in
// code points of that message.
std::string ConversationReply(Screening screening, SpeakerConversation& conversation,
                              const ScreeningRequest& request, Conversation::Time time);

// {"error": "..."}
std::string ErrorReply(std::string_view message);

// {"status": "ok", "generation": N, "words": N}, and the same after a reload.
std::string GenerationReply(const WordGeneration& words);

// {"error": "...", "generation": N}: a reload that failed, and the words still in force.
std::string FailedReloadReply(std::string_view reason, const WordGeneration& in_force);

}  // namespace chatsieve::tool
