// chatsieve filter, C++: a thin inline layer over filter.h, so that C++ hosts share the
// library's stable C interface and nothing but C names crosses the library boundary.
//
//   chatsieve::Filter filter(chatsieve::Option::kKorean | chatsieve::Option::kSeparators);
//   filter.Load("words.txt");
//   filter.Load("allowed.txt", chatsieve::WordRole::kAllowed);
//   if (filter.Check(message)) { ... }
//   for (const chatsieve::Match& m : filter.Find(message)) { ... }  // byte offsets
//   std::string shown = filter.Mask(message);
//
//   chatsieve::Conversation player(filter);  // one per speaker, freed before the filter
//   std::string shown = player.Mask(message, now);  // words sent in pieces masked too
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "chatsieve/filter.h"

namespace chatsieve {

enum class Option : uint32_t {
  kSeparators = CHATSIEVE_SEPARATORS,
  kWidth = CHATSIEVE_WIDTH,
  kInvisible = CHATSIEVE_INVISIBLE,
  kJamo = CHATSIEVE_JAMO,
  kInitials = CHATSIEVE_INITIALS,
  kKeyboard = CHATSIEVE_KEYBOARD,
  kDigits = CHATSIEVE_DIGITS,
  kRepeats = CHATSIEVE_REPEATS,
  kSpaces = CHATSIEVE_SPACES,
  kLookalike = CHATSIEVE_LOOKALIKE,
  kKorean = CHATSIEVE_KOREAN,            // every Korean option above
  kRecommended = CHATSIEVE_RECOMMENDED,  // Korean, separators and look-alikes
};

// A set of options; empty matches the text as written.
class Options {
 public:
  constexpr Options() = default;
  constexpr Options(Option option) : bits_(static_cast<uint32_t>(option)) {}  // NOLINT
  static constexpr Options FromBits(uint32_t bits) {
    Options options;
    options.bits_ = bits;
    return options;
  }
  // Names joined by commas ("korean,separators"); nothing for an unknown or empty name.
  static std::optional<Options> FromNames(std::string_view names) {
    uint32_t bits = 0;
    if (chatsieve_options_from_names(names.data(), names.size(), &bits) != CHATSIEVE_OK) {
      return std::nullopt;
    }
    return FromBits(bits);
  }
  // True when every option of `options` is set (kKorean is several).
  constexpr bool HasAll(Options options) const { return (bits_ & options.bits_) == options.bits_; }
  // The same as HasAll.
  constexpr bool Has(Option option) const { return HasAll(option); }
  constexpr uint32_t Bits() const { return bits_; }
  friend constexpr Options operator|(Options a, Options b) { return FromBits(a.bits_ | b.bits_); }

 private:
  uint32_t bits_ = 0;
};

constexpr Options operator|(Option a, Option b) {
  return Options(a) | Options(b);
}

enum class WordRole { kForbidden, kAllowed };

enum class MaskStyle {
  kWhole,      // every character of an occurrence masked
  kKeepFirst,  // the first character of an occurrence kept
};

// One occurrence: units [begin, end) of the text, the word's index, and what the list says
// of the word. `category` stays valid for the life of the process.
struct Match {
  size_t begin = 0;
  size_t end = 0;
  uint32_t word = 0;
  int severity = 2;
  std::string_view category;
};

// A failure of the library, with its CHATSIEVE_E_ code and the library's reason.
class Error : public std::runtime_error {
 public:
  Error(int code, const std::string& message) : std::runtime_error(message), code_(code) {}
  int Code() const { return code_; }

 private:
  int code_;
};

class Filter {
 public:
  explicit Filter(Options options = {}) : handle_(chatsieve_filter_new(options.Bits())) {
    if (handle_ == nullptr)
      throw Error(CHATSIEVE_E_ARGUMENT, "unknown filter options or no memory");
  }
  ~Filter() { chatsieve_filter_free(handle_); }
  Filter(Filter&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  Filter& operator=(Filter&& other) noexcept {
    std::swap(handle_, other.handle_);
    return *this;
  }
  Filter(const Filter&) = delete;
  Filter& operator=(const Filter&) = delete;

  // A ready Korean filter: the built-in Korean lexicon under the recommended reading, with
  // the general-chat policy (words of severity 2 and 3 count).
  static Filter Korean() {
    Filter filter(Option::kRecommended);
    filter.LoadBuiltin("ko");
    filter.SetMinSeverity(2);
    return filter;
  }

  // A filter with the same options and the words in force now, which later loads into
  // this one do not change: match indices found with it resolve through it.
  Filter Pin() const {
    chatsieve_filter* pinned = chatsieve_filter_clone(handle_);
    if (pinned == nullptr) throw std::bad_alloc();
    return Filter(pinned);
  }

  // Replace the forbidden (or allowed) words with those of a word-list file, or of a
  // UTF-8 list held in memory. Throws Error with the reason; nothing changes then.
  // Returns a note on entries the filter left out or merged, or "" when there are none.
  std::string Load(const std::string& path, WordRole role = WordRole::kForbidden) {
    char message[512];
    Throw(chatsieve_filter_load(handle_, path.c_str(), role == WordRole::kAllowed, message,
                                sizeof message),
          message);
    return message;
  }
  std::string LoadText(std::string_view list, WordRole role = WordRole::kForbidden) {
    char message[512];
    Throw(chatsieve_filter_load_text(handle_, list.data(), list.size(), role == WordRole::kAllowed,
                                     message, sizeof message),
          message);
    return message;
  }

  // Read look-alike shapes with the built-in table and those of a table file added ("":
  // the built-in table alone); the words in force are compiled again. Throws Error with
  // the reason; nothing changes then. Returns a note as Load does.
  std::string LoadLookalikes(const std::string& path) {
    char message[512];
    Throw(chatsieve_filter_load_lookalikes(handle_, path.empty() ? nullptr : path.c_str(), message,
                                           sizeof message),
          message);
    return message;
  }

  // Which forbidden words count for Check, Find and Mask: those of at least this severity
  // (1 to 3), of these comma-separated categories ("" for every word). Held through
  // loads; throws Error for values out of range, and nothing changes then.
  void SetMinSeverity(int severity) { Throw(chatsieve_filter_set_min_severity(handle_, severity)); }
  void SetCategories(const std::string& names) {
    Throw(chatsieve_filter_set_categories(handle_, names.c_str()));
  }

  // Replace the forbidden and the allowed words by a lexicon compiled into the library
  // ("ko"). Throws Error; returns a note as Load does.
  std::string LoadBuiltin(const std::string& name) {
    char message[512];
    Throw(chatsieve_filter_load_builtin(handle_, name.c_str(), message, sizeof message), message);
    return message;
  }

  // The UTF-8 list of a built-in lexicon (or its allow-list); empty for an unknown name.
  static std::string_view BuiltinList(const std::string& name, WordRole role) {
    size_t length = 0;
    const char* list = chatsieve_builtin_list(name.c_str(), role == WordRole::kAllowed, &length);
    return list != nullptr ? std::string_view(list, length) : std::string_view();
  }

  size_t WordCount() const { return chatsieve_word_count(handle_); }
  // What the list says of a forbidden word: severity 1 to 3 (0 for an index out of range)
  // and category ("" for none, valid for the life of the process).
  int WordSeverity(uint32_t word) const {
    const int severity = chatsieve_word_severity(handle_, word);
    return severity > 0 ? severity : 0;
  }
  std::string_view WordCategory(uint32_t word) const {
    const char* category = chatsieve_word_category(handle_, word);
    return category != nullptr ? category : std::string_view();
  }
  // A forbidden word by index, UTF-8; empty when out of range. Valid until the next load.
  std::string_view Word(uint32_t word) const {
    size_t length = 0;
    const char* text = chatsieve_word(handle_, word, &length);
    return text != nullptr ? std::string_view(text, length) : std::string_view();
  }

  bool Check(std::string_view text) const {
    return Throw(chatsieve_check(handle_, text.data(), text.size())) == CHATSIEVE_FOUND;
  }
  bool Check(std::u16string_view text) const {
    return Throw(chatsieve_check16(handle_, Units(text), text.size())) == CHATSIEVE_FOUND;
  }

  // Every occurrence, in text order, with byte (UTF-8) or unit (UTF-16) offsets.
  std::vector<Match> Find(std::string_view text) const {
    return Collect([&](chatsieve_match_details* out, size_t capacity, size_t* count) {
      return chatsieve_find_details(handle_, text.data(), text.size(), out, capacity, count);
    });
  }
  std::vector<Match> Find(std::u16string_view text) const {
    return Collect([&](chatsieve_match_details* out, size_t capacity, size_t* count) {
      return chatsieve_find_details16(handle_, Units(text), text.size(), out, capacity, count);
    });
  }

  std::string Mask(std::string_view text, char32_t mask = U'*',
                   MaskStyle style = MaskStyle::kWhole) const {
    return Produce<std::string>(text.size(), [&](char* out, size_t capacity, size_t* length) {
      return chatsieve_mask(handle_, text.data(), text.size(), MaskCode(mask, style), out, capacity,
                            length);
    });
  }
  std::u16string Mask(std::u16string_view text, char32_t mask = U'*',
                      MaskStyle style = MaskStyle::kWhole) const {
    return Produce<std::u16string>(
        text.size(), [&](char16_t* out, size_t capacity, size_t* length) {
          return chatsieve_mask16(handle_, Units(text), text.size(), MaskCode(mask, style),
                                  reinterpret_cast<uint16_t*>(out), capacity, length);
        });
  }

  const chatsieve_filter* Handle() const { return handle_; }

 private:
  friend class Conversation;

  explicit Filter(chatsieve_filter* handle) : handle_(handle) {}

  static const uint16_t* Units(std::u16string_view text) {
    return reinterpret_cast<const uint16_t*>(text.data());
  }
  static uint32_t MaskCode(char32_t mask, MaskStyle style) {
    return static_cast<uint32_t>(mask) |
           (style == MaskStyle::kKeepFirst ? CHATSIEVE_MASK_KEEP_FIRST : 0);
  }
  static int Throw(int result, const char* message = nullptr) {
    if (result >= 0) return result;
    if (result == CHATSIEVE_E_MEMORY) throw std::bad_alloc();
    throw Error(result,
                message != nullptr && message[0] != '\0' ? message : chatsieve_strerror(result));
  }

  // A first try into a buffer on the stack: most texts hold few words or none, and then
  // nothing is allocated.
  template <typename Call>
  static std::vector<Match> Collect(Call call) {
    std::array<chatsieve_match_details, 8> first;
    size_t count = 0;
    int result = call(first.data(), first.size(), &count);
    if (result != CHATSIEVE_E_SPACE) {
      Throw(result);
      return Matches(first.data(), count);
    }
    std::vector<chatsieve_match_details> found(count);
    for (;;) {
      result = call(found.data(), found.size(), &count);
      if (result != CHATSIEVE_E_SPACE) {
        Throw(result);
        return Matches(found.data(), count);
      }
      found.resize(count);
    }
  }
  static std::vector<Match> Matches(const chatsieve_match_details* found, size_t count) {
    std::vector<Match> matches;
    matches.reserve(count);
    for (size_t k = 0; k < count; ++k) {
      matches.push_back({found[k].match.begin, found[k].match.end, found[k].match.word,
                         found[k].severity, found[k].category});
    }
    return matches;
  }

  template <typename Text, typename Call>
  static Text Produce(size_t expected, Call call) {
    Text out(expected, 0);
    for (;;) {
      size_t length = 0;
      const int result = call(out.data(), out.size(), &length);
      if (result != CHATSIEVE_E_SPACE) {
        Throw(result);
        out.resize(length);
        return out;
      }
      out.resize(length);
    }
  }

  chatsieve_filter* handle_;
};

// Limits of a Conversation; a field left 0 takes the library's default (3 messages,
// 12 code points, no time window).
struct ConversationLimits {
  size_t messages = 0;
  size_t characters = 0;
  std::chrono::milliseconds window{0};
};

// A message a word found in a conversation spans: `message` counts back from the new one
// (0), and [begin, end) are units of that message.
struct ConversationPart {
  size_t message = 0;
  size_t begin = 0;
  size_t end = 0;
};

// A word that ends in the new message: begin and end are its part in the new message,
// `parts` every message it spans, earliest first and the new one last.
struct ConversationMatch : Match {
  std::vector<ConversationPart> parts;
};

// One speaker's conversation with a filter: each call takes the next message, with the time
// it was sent when the limits have a window, and finds the words it completes, begun in the
// speaker's earlier messages or not. Move-only; used by one thread at a time, and destroyed
// before its filter. Screens with the filter's words and policy in force at each call.
class Conversation {
 public:
  explicit Conversation(const Filter& filter, ConversationLimits limits = {}) {
    chatsieve_conversation_options options{sizeof options, limits.messages, limits.characters,
                                           static_cast<int64_t>(limits.window.count())};
    handle_ = chatsieve_conversation_new(filter.Handle(), &options);
    if (handle_ == nullptr)
      throw Error(CHATSIEVE_E_ARGUMENT, "conversation limits out of range or no memory");
  }
  ~Conversation() { chatsieve_conversation_free(handle_); }
  Conversation(Conversation&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  Conversation& operator=(Conversation&& other) noexcept {
    std::swap(handle_, other.handle_);
    return *this;
  }
  Conversation(const Conversation&) = delete;
  Conversation& operator=(const Conversation&) = delete;

  using Time = std::chrono::milliseconds;

  bool Check(std::string_view message, Time time = {}) {
    return Filter::Throw(chatsieve_conversation_check(handle_, message.data(), message.size(),
                                                      time.count())) == CHATSIEVE_FOUND;
  }
  bool Check(std::u16string_view message, Time time = {}) {
    return Filter::Throw(chatsieve_conversation_check16(
               handle_, Filter::Units(message), message.size(), time.count())) == CHATSIEVE_FOUND;
  }
  std::vector<ConversationMatch> Find(std::string_view message, Time time = {}) {
    return Collect([&](chatsieve_conversation_match* out, size_t capacity, size_t* count) {
      return chatsieve_conversation_find(handle_, message.data(), message.size(), time.count(), out,
                                         capacity, count);
    });
  }
  std::vector<ConversationMatch> Find(std::u16string_view message, Time time = {}) {
    return Collect([&](chatsieve_conversation_match* out, size_t capacity, size_t* count) {
      return chatsieve_conversation_find16(handle_, Filter::Units(message), message.size(),
                                           time.count(), out, capacity, count);
    });
  }
  // The new message with its part of every word masked.
  std::string Mask(std::string_view message, Time time = {}, char32_t mask = U'*',
                   MaskStyle style = MaskStyle::kWhole) {
    return Filter::Produce<std::string>(
        message.size(), [&](char* out, size_t capacity, size_t* length) {
          return chatsieve_conversation_mask(handle_, message.data(), message.size(), time.count(),
                                             Filter::MaskCode(mask, style), out, capacity, length);
        });
  }
  std::u16string Mask(std::u16string_view message, Time time = {}, char32_t mask = U'*',
                      MaskStyle style = MaskStyle::kWhole) {
    return Filter::Produce<std::u16string>(
        message.size(), [&](char16_t* out, size_t capacity, size_t* length) {
          return chatsieve_conversation_mask16(handle_, Filter::Units(message), message.size(),
                                               time.count(), Filter::MaskCode(mask, style),
                                               reinterpret_cast<uint16_t*>(out), capacity, length);
        });
  }

  // How many of the remembered messages before it the last message repeats.
  size_t Repeats() const { return chatsieve_conversation_repeats(handle_); }
  // Forgets every message, as if new.
  void Forget() { chatsieve_conversation_forget(handle_); }
  // The bytes the conversation holds.
  size_t Memory() const { return chatsieve_conversation_memory(handle_); }

 private:
  // A failed call remembers nothing, so a call short of room is made again with more.
  template <typename Call>
  static std::vector<ConversationMatch> Collect(Call call) {
    std::array<chatsieve_conversation_match, 4> first;
    size_t count = 0;
    int result = call(first.data(), first.size(), &count);
    if (result != CHATSIEVE_E_SPACE) {
      Filter::Throw(result);
      return Matches(first.data(), count);
    }
    std::vector<chatsieve_conversation_match> found(count);
    for (;;) {
      result = call(found.data(), found.size(), &count);
      if (result != CHATSIEVE_E_SPACE) {
        Filter::Throw(result);
        return Matches(found.data(), count);
      }
      found.resize(count);
    }
  }
  static std::vector<ConversationMatch> Matches(const chatsieve_conversation_match* found,
                                                size_t count) {
    std::vector<ConversationMatch> matches(count);
    for (size_t k = 0; k < count; ++k) {
      const chatsieve_match_details& details = found[k].details;
      matches[k].begin = details.match.begin;
      matches[k].end = details.match.end;
      matches[k].word = details.match.word;
      matches[k].severity = details.severity;
      matches[k].category = details.category;
      for (size_t p = 0; p < found[k].part_count; ++p) {
        const chatsieve_conversation_part& part = found[k].parts[p];
        matches[k].parts.push_back({part.message, part.begin, part.end});
      }
    }
    return matches;
  }

  chatsieve_conversation* handle_;
};

}  // namespace chatsieve
