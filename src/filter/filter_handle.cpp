// Making, copying, freeing and loading filters through the C interface.
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "engine/match_option_names.h"
#include "filter/builtin_lexicons.h"
#include "filter/c_interface.h"
#include "filter/left_out_notes.h"
#include "filter/word_source.h"

namespace chatsieve {

void WriteMessage(const char* text, char* message, size_t capacity) {
  if (message == nullptr || capacity == 0) return;
  const size_t length = std::min(std::strlen(text), capacity - 1);
  std::memcpy(message, text, length);
  message[length] = '\0';
}

namespace {

int Load(chatsieve_filter* filter, int allowed, char* message, size_t capacity,
         ListedWords (*read)(const void*), const void* source) {
  WriteMessage("", message, capacity);
  return Guarded(
      [&] {
        ListedWords listed = read(source);
        const std::vector<LeftOutEntry> left_out = filter->state.Replace(
            allowed != 0 ? ListRole::kAllowed : ListRole::kForbidden, std::move(listed.words));
        WriteMessage(LeftOutNotes(listed, left_out, capacity).c_str(), message, capacity);
        return CHATSIEVE_OK;
      },
      message, capacity);
}

}  // namespace
}  // namespace chatsieve

using chatsieve::Guarded;

extern "C" {

chatsieve_filter* chatsieve_filter_new(uint32_t options) {
  if ((options & ~chatsieve::MatchOptions::kKnownBits) != 0) return nullptr;
  return new (std::nothrow)
      chatsieve_filter{chatsieve::FilterState(chatsieve::MatchOptions::FromBits(options))};
}

chatsieve_filter* chatsieve_filter_clone(const chatsieve_filter* filter) {
  if (filter == nullptr) return nullptr;
  return new (std::nothrow) chatsieve_filter{filter->state};
}

void chatsieve_filter_free(chatsieve_filter* filter) {
  delete filter;
}

int chatsieve_filter_load(chatsieve_filter* filter, const char* path, int allowed, char* message,
                          size_t message_capacity) {
  if (filter == nullptr || path == nullptr) {
    chatsieve::WriteMessage("no filter or no path given", message, message_capacity);
    return CHATSIEVE_E_NULL;
  }
  return chatsieve::Load(
      filter, allowed, message, message_capacity,
      [](const void* source) { return chatsieve::WordsOfFile(static_cast<const char*>(source)); },
      path);
}

int chatsieve_filter_load_text(chatsieve_filter* filter, const char* list, size_t length,
                               int allowed, char* message, size_t message_capacity) {
  if (length > static_cast<size_t>(PTRDIFF_MAX)) {
    chatsieve::WriteMessage("the list's length is larger than any buffer", message,
                            message_capacity);
    return CHATSIEVE_E_ARGUMENT;
  }
  if (filter == nullptr || (list == nullptr && length > 0)) {
    chatsieve::WriteMessage("no filter or no list given", message, message_capacity);
    return CHATSIEVE_E_NULL;
  }
  const std::string_view text = length > 0 ? std::string_view(list, length) : std::string_view();
  return chatsieve::Load(
      filter, allowed, message, message_capacity,
      [](const void* source) {
        return chatsieve::WordsOfText(*static_cast<const std::string_view*>(source), "<text>");
      },
      &text);
}

int chatsieve_filter_load_builtin(chatsieve_filter* filter, const char* name, char* message,
                                  size_t message_capacity) {
  chatsieve::WriteMessage("", message, message_capacity);
  if (filter == nullptr || name == nullptr) {
    chatsieve::WriteMessage("no filter or no name given", message, message_capacity);
    return CHATSIEVE_E_NULL;
  }
  const chatsieve::BuiltinLexicon* lexicon = chatsieve::BuiltinLexiconNamed(name);
  if (lexicon == nullptr) {
    const std::string why = std::string("no built-in lexicon is named '") + name +
                            "'; there are: " + chatsieve::BuiltinLexiconNames();
    chatsieve::WriteMessage(why.c_str(), message, message_capacity);
    return CHATSIEVE_E_ARGUMENT;
  }
  return Guarded(
      [&] {
        const std::string label = std::string("<built-in ") + name + ">";
        chatsieve::ListedWords words = chatsieve::WordsOfText(lexicon->words, label);
        chatsieve::ListedWords allowed =
            chatsieve::WordsOfText(lexicon->allowed, label + " allowed");
        const auto [words_left_out, allowed_left_out] =
            filter->state.ReplaceBoth(std::move(words.words), std::move(allowed.words));
        std::string note = chatsieve::LeftOutNotes(words, words_left_out, message_capacity);
        if (note.empty())
          note = chatsieve::LeftOutNotes(allowed, allowed_left_out, message_capacity);
        chatsieve::WriteMessage(note.c_str(), message, message_capacity);
        return CHATSIEVE_OK;
      },
      message, message_capacity);
}

const char* chatsieve_builtin_list(const char* name, int allowed, size_t* length) {
  if (name == nullptr || length == nullptr) return nullptr;
  const chatsieve::BuiltinLexicon* lexicon = chatsieve::BuiltinLexiconNamed(name);
  if (lexicon == nullptr) return nullptr;
  const std::string_view list = allowed != 0 ? lexicon->allowed : lexicon->words;
  *length = list.size();
  return list.data();
}

int chatsieve_filter_load_lookalikes(chatsieve_filter* filter, const char* path, char* message,
                                     size_t message_capacity) {
  chatsieve::WriteMessage("", message, message_capacity);
  if (filter == nullptr) {
    chatsieve::WriteMessage("no filter given", message, message_capacity);
    return CHATSIEVE_E_NULL;
  }
  return Guarded(
      [&] {
        std::shared_ptr<const chatsieve::LookalikeTable> table =
            path != nullptr
                ? chatsieve::LookalikesOfFile(path)
                : std::make_shared<chatsieve::LookalikeTable>(chatsieve::BuiltinLookalikes());
        const auto [words_left_out, allowed_left_out] =
            filter->state.ReplaceLookalikes(std::move(table));
        // The words are named by their place in their lists: their files are not at hand.
        std::string note = chatsieve::LeftOutNotes({{}, {}, "forbidden words", true},
                                                   words_left_out, message_capacity);
        if (note.empty())
          note = chatsieve::LeftOutNotes({{}, {}, "allowed words", true}, allowed_left_out,
                                         message_capacity);
        chatsieve::WriteMessage(note.c_str(), message, message_capacity);
        return CHATSIEVE_OK;
      },
      message, message_capacity);
}

size_t chatsieve_word_count(const chatsieve_filter* filter) {
  if (filter == nullptr) return 0;
  try {
    const chatsieve::FilterState::Reading snapshot(filter->state);
    return snapshot->forbidden->words.Size();
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

const char* chatsieve_word(const chatsieve_filter* filter, uint32_t word, size_t* length) {
  if (filter == nullptr || length == nullptr) return nullptr;
  try {
    // The words outlive the call: only a later load into the filter frees them.
    const chatsieve::FilterState::Reading snapshot(filter->state);
    const chatsieve::WordList& words = snapshot->forbidden->words;
    if (word >= words.Size()) return nullptr;
    const std::string_view text = words[word];
    *length = text.size();
    return text.data();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

int chatsieve_word_severity(const chatsieve_filter* filter, uint32_t word) {
  if (filter == nullptr) return CHATSIEVE_E_NULL;
  return Guarded([&] {
    const chatsieve::FilterState::Reading snapshot(filter->state);
    const chatsieve::WordList& words = snapshot->forbidden->words;
    if (word >= words.Size()) return CHATSIEVE_E_ARGUMENT;
    return static_cast<int>(words.Traits(word).severity);
  });
}

const char* chatsieve_word_category(const chatsieve_filter* filter, uint32_t word) {
  if (filter == nullptr) return nullptr;
  try {
    // As a word's text, its category outlives the call.
    const chatsieve::FilterState::Reading snapshot(filter->state);
    const chatsieve::WordList& words = snapshot->forbidden->words;
    if (word >= words.Size()) return nullptr;
    return words.CategoryName(words.Traits(word).category).c_str();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

int chatsieve_filter_set_min_severity(chatsieve_filter* filter, int severity) {
  if (filter == nullptr) return CHATSIEVE_E_NULL;
  if (severity < chatsieve::kLeastSeverity || severity > chatsieve::kGreatestSeverity)
    return CHATSIEVE_E_ARGUMENT;
  return Guarded([&] {
    filter->state.ChangePolicy([&](chatsieve::Policy& policy) { policy.min_severity = severity; });
    return CHATSIEVE_OK;
  });
}

int chatsieve_filter_set_categories(chatsieve_filter* filter, const char* names) {
  if (filter == nullptr) return CHATSIEVE_E_NULL;
  return Guarded([&] {
    std::optional<std::vector<std::string>> categories =
        chatsieve::CategoryNames(names != nullptr ? names : "");
    if (!categories) return CHATSIEVE_E_ARGUMENT;
    filter->state.ChangePolicy(
        [&](chatsieve::Policy& policy) { policy.categories = std::move(*categories); });
    return CHATSIEVE_OK;
  });
}

int chatsieve_options_from_names(const char* names, size_t length, uint32_t* options) {
  if (names == nullptr || options == nullptr) return CHATSIEVE_E_NULL;
  const std::optional<chatsieve::MatchOptions> named =
      chatsieve::MatchOptionsFromNames(std::string_view(names, length));
  if (!named) return CHATSIEVE_E_ARGUMENT;
  *options = named->Bits();
  return CHATSIEVE_OK;
}

const char* chatsieve_strerror(int code) {
  switch (code) {
    case CHATSIEVE_OK:
      return "success";
    case CHATSIEVE_FOUND:
      return "found";
    case CHATSIEVE_E_NULL:
      return "a required argument is null";
    case CHATSIEVE_E_SPACE:
      return "the output array or buffer is too small";
    case CHATSIEVE_E_OPEN:
      return "the word-list file cannot be opened or read";
    case CHATSIEVE_E_FORMAT:
      return "the word list is not valid";
    case CHATSIEVE_E_MEMORY:
      return "out of memory";
    case CHATSIEVE_E_ARGUMENT:
      return "an argument is out of range";
    default:
      return "unknown result code";
  }
}

}  // extern "C"
