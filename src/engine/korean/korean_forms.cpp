#include "engine/korean/korean_forms.h"

#include <algorithm>
#include <array>
#include <optional>

#include "engine/text_char.h"
#include "text/hangul.h"

namespace chatsieve {
namespace {

constexpr size_t kMaxSyllablesForMixedInitials = 6;
// Fewer keys make ordinary English tokens too (sus is 년, whw is 좆).
constexpr size_t kMinKeystrokes = 4;

// Two-consonant chat abbreviations that a word's initials must never be read as: what
// chat types for thanks, good game, possible?, for real, bye, please, wait ..., and the
// emoticon ㅇㅅㅇ. ㅈㄴ and ㅁㅊ stand for the mild 존나 and 미친 far more often than for any
// severe word with those initials: a list that wants them lists them as written.
constexpr std::array<std::u32string_view, 34> kChatAbbreviations = {
    U"ㄱㄱ", U"ㄱㄴ", U"ㄱㄷ", U"ㄱㅅ", U"ㄳ",   U"ㄱㅇ", U"ㄱㅊ", U"ㄲㄲ", U"ㄴㄴ",
    U"ㄴㅁ", U"ㄴㅇ", U"ㄴㅈ", U"ㄷㄷ", U"ㄹㅇ", U"ㅁㄹ", U"ㅁㅊ", U"ㅂㄱ", U"ㅂㄹ",
    U"ㅂㅂ", U"ㅂㅇ", U"ㅅㄱ", U"ㅅㄹ", U"ㅅㅇ", U"ㅈㄴ", U"ㅈㅁ", U"ㅈㅂ", U"ㅈㅅ",
    U"ㅈㅇ", U"ㅈㅈ", U"ㅊㅊ", U"ㅊㅋ", U"ㅋㅋ", U"ㅎㅇ", U"ㅎㅎ"};

// The form with each pair of consonants that make a cluster written as the cluster,
// left to right, or nothing when no pair does.
std::optional<std::u32string> WithClusters(std::u32string_view form) {
  std::u32string clustered;
  bool any = false;
  for (size_t at = 0; at < form.size(); ++at) {
    if (at + 1 < form.size()) {
      const int joined = platform::JoinTails(platform::TailOfLetter(form[at]),
                                             platform::TailOfLetter(form[at + 1]));
      if (joined != 0) {
        clustered.push_back(platform::TailLetter(joined));
        any = true;
        ++at;
        continue;
      }
    }
    clustered.push_back(form[at]);
  }
  if (!any) return std::nullopt;
  return clustered;
}

class FormSink {
 public:
  explicit FormSink(std::vector<DerivedForm>& out) : out_(out), first_(out.size()) {}

  // Forms are only built while there is room for them, so that a long word costs time
  // linear in its length.
  bool Full() const { return out_.size() - first_ >= kMaxDerivedForms; }
  void Add(std::u32string form, bool whole_latin_token) {
    if (Full()) return;
    out_.push_back({std::move(form), whole_latin_token});
  }

 private:
  std::vector<DerivedForm>& out_;
  size_t first_;
};

void AddInitialForm(std::u32string form, FormSink& sink) {
  if (form.front() == platform::LeadLetter(platform::kSilentLead) || IsChatAbbreviation(form))
    return;
  std::optional<std::u32string> clustered = WithClusters(form);
  sink.Add(std::move(form), false);
  if (clustered && !IsChatAbbreviation(*clustered)) sink.Add(std::move(*clustered), false);
}

char32_t InitialOf(char32_t syllable) {
  return platform::LeadLetter(platform::SplitSyllable(syllable)->lead);
}

void AddInitialForms(std::u32string_view key, FormSink& sink) {
  std::vector<size_t> syllables;
  for (size_t at = 0; at < key.size(); ++at) {
    if (platform::IsSyllable(key[at])) syllables.push_back(at);
  }
  if (syllables.size() < 2) return;
  const auto form_of = [&](auto chosen) {
    std::u32string form(key);
    for (size_t k = 0; k < syllables.size(); ++k) {
      if (chosen(k)) form[syllables[k]] = InitialOf(key[syllables[k]]);
    }
    return form;
  };
  if (syllables.size() > kMaxSyllablesForMixedInitials) {
    AddInitialForm(form_of([](size_t) { return true; }), sink);
    return;
  }
  const uint32_t subsets = uint32_t{1} << syllables.size();
  for (uint32_t chosen = 1; chosen < subsets && !sink.Full(); ++chosen)
    AddInitialForm(form_of([chosen](size_t k) { return ((chosen >> k) & 1) != 0; }), sink);
}

void AddDrawnOutForms(std::u32string_view key, FormSink& sink) {
  for (size_t at = 0; at < key.size() && !sink.Full(); ++at) {
    const std::optional<platform::SyllableParts> parts = platform::SplitSyllable(key[at]);
    if (!parts || parts->tail == 0) continue;
    std::u32string form(key.substr(0, at));
    form.push_back(platform::JoinSyllable({parts->lead, parts->vowel, 0}));
    form.push_back(platform::JoinSyllable(
        {platform::kSilentLead, platform::DrawnOutVowel(parts->vowel), parts->tail}));
    form.append(key.substr(at + 1));
    sink.Add(std::move(form), false);
  }
}

void AppendKeys(char32_t letter, std::u32string& keys) {
  for (const char key : platform::KeysOfLetter(letter))
    keys.push_back(FoldCase(static_cast<char32_t>(key)));
}

void AddKeystrokeForm(std::u32string_view key, bool merge_repeats, FormSink& sink) {
  if (std::none_of(key.begin(), key.end(), platform::IsSyllable)) return;
  std::u32string keys;
  for (const char32_t c : key) {
    if (const std::optional<platform::SyllableParts> parts = platform::SplitSyllable(c)) {
      AppendKeys(platform::LeadLetter(parts->lead), keys);
      AppendKeys(platform::VowelLetter(parts->vowel), keys);
      if (parts->tail != 0) AppendKeys(platform::TailLetter(parts->tail), keys);
    } else if (platform::IsCompatibilityJamo(c)) {
      AppendKeys(c, keys);
    } else {
      return;
    }
  }
  // The text reads a run of one letter as one, so the keys must too.
  if (merge_repeats) keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
  if (keys.size() >= kMinKeystrokes) sink.Add(std::move(keys), true);
}

void AddNumberForms(std::u32string_view key, const LookalikeTable& lookalikes, FormSink& sink) {
  const auto letter = [](char32_t c) {
    return platform::IsSyllable(c) || platform::IsCompatibilityJamo(c);
  };
  for (size_t at = 1; at < key.size() && !sink.Full(); ++at) {
    if (!letter(key[at - 1]) || !letter(key[at])) continue;
    for (const std::u32string& syllables : lookalikes.NumberReadings()) {
      std::u32string form(key.substr(0, at));
      form += syllables;
      form += key.substr(at);
      sink.Add(std::move(form), false);
    }
  }
}

}  // namespace

bool IsChatAbbreviation(std::u32string_view form) {
  return std::find(kChatAbbreviations.begin(), kChatAbbreviations.end(), form) !=
         kChatAbbreviations.end();
}

void DeriveForms(std::u32string_view key, MatchOptions options, const LookalikeTable& lookalikes,
                 std::vector<DerivedForm>& out) {
  if (key.empty()) return;
  FormSink sink(out);
  if (options.Has(MatchOption::kKeyboard))
    AddKeystrokeForm(key, options.Has(MatchOption::kRepeats), sink);
  if (options.Has(MatchOption::kRepeats)) AddDrawnOutForms(key, sink);
  if (options.Has(MatchOption::kLookalike) && options.Has(MatchOption::kDigits))
    AddNumberForms(key, lookalikes, sink);
  if (options.Has(MatchOption::kInitials)) AddInitialForms(key, sink);
}

}  // namespace chatsieve
