// The filter's speed on the chat corpus next to the legacy calls it must keep up with,
// in the same run: check / find / mask as written against IsBadW / IsBadToRepW level 1,
// with separators against level 2 (detection and masking under the exports, and the
// IsBadW export itself); check of a list whose words carry a category and severity, with
// no policy and with one; screening while another thread reloads every 100 ms; two
// screening threads; building filters; the memory a snapshot takes per word; and with the
// built-in Korean lexicon, a conversation's check of each line (joined to the lines before
// it) next to a plain check of the line, and the memory an idle conversation holds. Where
// Hyperscan is installed, its literal matcher asks the check question too, at 1,000,
// 10,000 and 50,000 words, beside the filter's check and IsBadW at level 1.
#include <benchmark/benchmark.h>

#include <chatsieve/chatsieve.h>
#include <atomic>
#include <chatsieve/filter.hpp>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "bench_corpus.h"
#include "engine/utf8_wide_scan.h"
#include "filter/compiled_words.h"
#include "legacy/detecting.h"
#include "legacy/legacy_keys.h"
#include "legacy/level_masking.h"
#include "reference/reference_filter.h"
#include "text/utf8.h"
#include "wordfile/legacy_word_list.h"

#if defined(CHATSIEVE_BENCH_HYPERSCAN)
#include "hyperscan_check.h"
#endif

namespace chatsieve::bench {
namespace {

constexpr size_t kWords = 10000;

// The list sizes the check is measured at beside Hyperscan.
constexpr size_t kPeerSizes[] = {1000, 10000, 50000};

std::string ListOf(const std::vector<std::u16string>& words) {
  std::string list;
  for (const std::u16string& word : words)
    list += platform::Utf16ToUtf8(word) + "\n";
  return list;
}

const std::vector<std::string>& Utf8Lines() {
  static const std::vector<std::string> lines = [] {
    std::vector<std::string> converted;
    for (const std::u16string& line : Chat().wide_lines)
      converted.push_back(platform::Utf16ToUtf8(line));
    return converted;
  }();
  return lines;
}

// A filter without options over the benchmark list of `words` words.
const Filter& PlainFilterOf(size_t words) {
  static std::map<size_t, Filter> filters;
  auto found = filters.find(words);
  if (found == filters.end()) {
    found = filters.emplace(words, Filter()).first;
    found->second.LoadText(ListOf(Words(words)));
  }
  return found->second;
}

const Filter& FilterOf(bool separators) {
  static std::map<bool, Filter> filters;
  auto found = filters.find(separators);
  if (found == filters.end()) {
    found =
        filters.emplace(separators, Filter(separators ? Options(Option::kSeparators) : Options()))
            .first;
    found->second.LoadText(ListOf(Words(kWords)));
  }
  return found->second;
}

// The same words, each with a category and a severity by its index: a third at each
// severity, four categories in turn, so that every policy below leaves a known share.
std::string ListWithFields(const std::vector<std::u16string>& words) {
  static constexpr const char* kCategories[] = {"insult", "family", "sexual", "hate"};
  std::string list;
  for (size_t k = 0; k < words.size(); ++k) {
    list += platform::Utf16ToUtf8(words[k]) + '\t' + kCategories[(k / 3) % 4] + '\t' +
            std::to_string(k % 3 + 1) + '\n';
  }
  return list;
}

enum class PolicyChoice { kNone, kMinSeverity2, kTwoCategories, kBoth };

const Filter& PolicyFilterOf(PolicyChoice choice) {
  static std::map<PolicyChoice, Filter> filters;
  auto found = filters.find(choice);
  if (found == filters.end()) {
    found = filters.emplace(choice, Filter()).first;
    Filter& filter = found->second;
    if (choice == PolicyChoice::kMinSeverity2 || choice == PolicyChoice::kBoth)
      filter.SetMinSeverity(2);
    if (choice == PolicyChoice::kTwoCategories || choice == PolicyChoice::kBoth)
      filter.SetCategories("insult,hate");
    filter.LoadText(ListWithFields(Words(kWords)));
  }
  return found->second;
}

const LegacyKeys& Legacy() {
  static const LegacyKeys* legacy = [] {
    LegacyWordList list;
    Fill(list, Words(kWords));
    return new LegacyKeys(list);
  }();
  return *legacy;
}

// One message per iteration, line after line; `found` counts lines with a word.
template <typename Lines, typename Screen>
void ScreenLines(benchmark::State& state, const Lines& lines, Screen screen) {
  size_t line = 0;
  int64_t found = 0;
  for (auto _ : state) {
    found += screen(lines[line]) ? 1 : 0;
    if (++line == lines.size()) line = 0;
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["found_per_pass"] = static_cast<double>(found) *
                                     static_cast<double>(lines.size()) /
                                     static_cast<double>(state.iterations());
}

template <typename Choice>
void Register(const std::string& name, void (*run)(benchmark::State&, Choice), Choice choice) {
  const int64_t iterations = static_cast<int64_t>(Utf8Lines().size()) * 10;
  benchmark::RegisterBenchmark(name.c_str(), run, choice)->Iterations(iterations);
}

void FilterCheck(benchmark::State& state, bool separators) {
  const Filter& filter = FilterOf(separators);
  ScreenLines(state, Utf8Lines(), [&](const std::string& line) { return filter.Check(line); });
}

void FilterCheckWithPolicy(benchmark::State& state, PolicyChoice choice) {
  const Filter& filter = PolicyFilterOf(choice);
  ScreenLines(state, Utf8Lines(), [&](const std::string& line) { return filter.Check(line); });
}

void FilterCheck16(benchmark::State& state, bool separators) {
  const Filter& filter = FilterOf(separators);
  ScreenLines(state, Chat().wide_lines,
              [&](const std::u16string& line) { return filter.Check(line); });
}

void FilterFind(benchmark::State& state, bool separators) {
  const Filter& filter = FilterOf(separators);
  ScreenLines(state, Utf8Lines(),
              [&](const std::string& line) { return !filter.Find(line).empty(); });
}

void FilterMask(benchmark::State& state, bool separators) {
  const Filter& filter = FilterOf(separators);
  std::vector<char> out(4096);
  ScreenLines(state, Utf8Lines(), [&](const std::string& line) {
    size_t length = 0;
    return chatsieve_mask(filter.Handle(), line.data(), line.size(), '*', out.data(), out.size(),
                          &length) == CHATSIEVE_FOUND;
  });
}

void LegacyCheck(benchmark::State& state, bool separators) {
  const LegacyKeys& legacy = Legacy();
  ScreenLines(state, Chat().wide_lines, [&](const std::u16string& line) {
    return DetectAtLevel(legacy, separators ? 2 : 1, line.c_str()) == 1;
  });
}

// Puts the benchmark list of `words` words in force as the process-wide list, loaded from a wide
// list file as a host loads it, unless they are already; false when the load failed.
bool UseLegacyList(size_t words) {
  static size_t in_force = 0;
  if (in_force == words) return true;
  const std::string path =
      (std::filesystem::temp_directory_path() / "chatsieve-filter-bench-filterW.bcd").string();
  WriteWideListFile(path, Words(words));
  const bool done = InitBadChatManW(platform::Utf8ToUtf16(path)->c_str()) == 1;
  std::filesystem::remove(path);
  in_force = done ? words : 0;
  return done;
}

// The legacy export itself, as a host calls it, the level set before the run.
void LegacyExportCheckOf(benchmark::State& state, size_t words, int level) {
  if (!UseLegacyList(words)) {
    state.SkipWithError("the word list did not load");
    return;
  }
  SetLevel(level);
  ScreenLines(state, Chat().wide_lines,
              [&](const std::u16string& line) { return IsBadW(line.c_str()) == 1; });
}

void LegacyExportCheck(benchmark::State& state, bool separators) {
  LegacyExportCheckOf(state, kWords, separators ? 2 : 1);
}

// The check question at a list size, asked three ways: the filter's UTF-8 check without
// options, IsBadW at level 1 (on the corpus as UTF-16, converted once), and Hyperscan.
void PeerFilterCheck(benchmark::State& state, size_t words) {
  const Filter& filter = PlainFilterOf(words);
  ScreenLines(state, Utf8Lines(), [&](const std::string& line) {
    return chatsieve_check(filter.Handle(), line.data(), line.size()) == CHATSIEVE_FOUND;
  });
}

void PeerLegacyCheck(benchmark::State& state, size_t words) {
  LegacyExportCheckOf(state, words, 1);
}

#if defined(CHATSIEVE_BENCH_HYPERSCAN)
std::vector<std::string> Utf8Words(size_t words) {
  std::vector<std::string> converted;
  for (const std::u16string& word : Words(words))
    converted.push_back(platform::Utf16ToUtf8(word));
  return converted;
}

const HyperscanCheck& HyperscanOf(size_t words) {
  static std::map<size_t, HyperscanCheck> checks;
  auto found = checks.find(words);
  if (found == checks.end()) found = checks.emplace(words, HyperscanCheck(Utf8Words(words))).first;
  return found->second;
}

void PeerHyperscanCheck(benchmark::State& state, size_t words) {
  const HyperscanCheck& check = HyperscanOf(words);
  HyperscanCheck::Scratch scratch(check);
  ScreenLines(state, Utf8Lines(),
              [&](const std::string& line) { return check.Check(scratch, line); });
}

// The three must give one answer on every line, or their speeds say nothing.
void CompareWithHyperscan() {
  for (const size_t words : kPeerSizes) {
    const Filter& filter = PlainFilterOf(words);
    const HyperscanCheck& check = HyperscanOf(words);
    HyperscanCheck::Scratch scratch(check);
    const bool legacy = UseLegacyList(words);
    SetLevel(1);
    size_t found = 0, filter_differs = 0, legacy_differs = 0;
    for (size_t k = 0; k < Utf8Lines().size(); ++k) {
      const std::string& line = Utf8Lines()[k];
      const bool peer = check.Check(scratch, line);
      found += peer ? 1 : 0;
      filter_differs += filter.Check(line) != peer ? 1 : 0;
      legacy_differs += legacy && ((IsBadW(Chat().wide_lines[k].c_str()) == 1) != peer) ? 1 : 0;
    }
    std::printf(
        "%zu words: Hyperscan finds a word in %zu of %zu lines; the filter's check differs on "
        "%zu, IsBadW level 1 on %zu%s\n",
        words, found, Utf8Lines().size(), filter_differs, legacy_differs,
        legacy ? "" : " (its list did not load)");
  }
}
#endif

void LegacyMask(benchmark::State& state, bool separators) {
  const LegacyKeys& legacy = Legacy();
  std::vector<char16_t> out(4096);
  ScreenLines(state, Chat().wide_lines, [&](const std::u16string& line) {
    return MaskAtLevel(legacy, separators ? 2 : 1, line.c_str(), out.data(), 4096, u'*') == 1;
  });
}

// Screening while another thread replaces the words every 100 ms.
void CheckUnderReload(benchmark::State& state) {
  Filter filter;
  const std::string list = ListOf(Words(kWords));
  filter.LoadText(list);
  std::atomic<bool> done{false};
  std::thread reloader([&] {
    while (!done) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      filter.LoadText(list);
    }
  });
  ScreenLines(state, Utf8Lines(), [&](const std::string& line) { return filter.Check(line); });
  done = true;
  reloader.join();
}

void CheckThreads(benchmark::State& state) {
  const Filter& filter = FilterOf(false);
  ScreenLines(state, Utf8Lines(), [&](const std::string& line) { return filter.Check(line); });
}

void Build(benchmark::State& state) {
  const std::string list = ListOf(Words(static_cast<size_t>(state.range(0))));
  for (auto _ : state) {
    Filter filter;
    filter.LoadText(list);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Texts and lists shaped to be costly, each of which once took time or memory out of
// proportion to its size: a long text dense with allowed words, a long word met at
// every position of a long text, many words of one key.
void HostileAllowedWords(benchmark::State& state) {
  Filter filter;
  filter.LoadText("a\n");
  filter.LoadText("aa\n", WordRole::kAllowed);
  const std::string text(200000, 'a');
  for (auto _ : state)
    benchmark::DoNotOptimize(filter.Find(text));
}

void HostileLongWord(benchmark::State& state) {
  Filter filter;
  filter.LoadText(std::string(100, 'a') + "\n");
  const std::string text(100000, 'a');
  for (auto _ : state)
    benchmark::DoNotOptimize(filter.Mask(text));
}

void HostileOneKeyList(benchmark::State& state) {
  std::string list;
  for (int k = 0; k < 500000; ++k)
    list += "a\n";
  for (auto _ : state) {
    Filter filter;
    filter.LoadText(list);
  }
}

// Distinct two-syllable words, drawn with a fixed seed.
WordList TwoSyllableWords(size_t count) {
  std::mt19937 random(5);
  std::uniform_int_distribution<int> syllable(0xAC00, 0xD7A3);
  std::vector<bool> used(11172 * 11172, false);
  WordList words;
  while (words.Size() < count) {
    const int first = syllable(random), second = syllable(random);
    const size_t slot =
        static_cast<size_t>(first - 0xAC00) * 11172 + static_cast<size_t>(second - 0xAC00);
    if (used[slot]) continue;
    used[slot] = true;
    words.Add(platform::Utf16ToUtf8(
        std::u16string{static_cast<char16_t>(first), static_cast<char16_t>(second)}));
  }
  return words;
}

const Filter& KoreanFilter() {
  static const Filter filter = Filter::Korean();
  return filter;
}

void KoreanCheck(benchmark::State& state, bool conversation) {
  if (!conversation) {
    ScreenLines(state, Utf8Lines(),
                [&](const std::string& line) { return KoreanFilter().Check(line); });
    return;
  }
  Conversation speaker(KoreanFilter());
  ScreenLines(state, Utf8Lines(), [&](const std::string& line) { return speaker.Check(line); });
}

void ReportConversationMemory() {
  Conversation speaker(KoreanFilter());
  for (size_t k = 0; k < 10; ++k)
    speaker.Check(Utf8Lines()[k]);
  std::printf("an idle conversation with its default limits: %zu bytes\n", speaker.Memory());
}

void ReportMemory() {
  for (const size_t count : {size_t{50000}, size_t{1000000}}) {
    const auto compiled = CompileWords(TwoSyllableWords(count), MatchOptions()).compiled;
    const size_t bytes = compiled->words.MemoryBytes() + compiled->index.MemoryBytes();
    std::printf("snapshot of %zu two-syllable words: %.1f MB, %.1f bytes a word\n", count,
                bytes / 1e6, static_cast<double>(bytes) / static_cast<double>(count));
  }
}

// Checks the filter against the reference on a slice of the corpus and prints how
// much faster it is.
void CompareWithReference() {
  const std::vector<std::string>& lines = Utf8Lines();
  reference::Words words;
  for (const std::u16string& word : Words(1000))
    words.forbidden.push_back(platform::Utf16ToUtf8(word));
  Filter filter;
  filter.LoadText(ListOf(Words(1000)));
  const size_t slice = 2000;
  size_t differ = 0;
  const auto start = std::chrono::steady_clock::now();
  for (size_t k = 0; k < slice; ++k)
    differ += reference::Find(words, lines[k]).empty() == filter.Find(lines[k]).empty() ? 0 : 1;
  const auto reference_time = std::chrono::steady_clock::now() - start;
  const auto filter_start = std::chrono::steady_clock::now();
  size_t found = 0;
  for (size_t k = 0; k < slice; ++k)
    found += filter.Find(lines[k]).size();
  const auto filter_time = std::chrono::steady_clock::now() - filter_start;
  std::printf(
      "find, 1000 words, %zu lines: %zu differ from the reference; %.0fx faster than it (%zu "
      "found)\n",
      slice, differ,
      std::chrono::duration<double>(reference_time).count() /
          std::chrono::duration<double>(filter_time).count(),
      found);
}

class PairReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const auto rate = run.counters.find("items_per_second");
      if (rate != run.counters.end()) rates_[run.benchmark_name()] = rate->second.value;
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-44s %14s %14s %8s %8s\n", "filter vs what it must keep up with", "filter/s",
                "other/s", "ratio", "target");
    const struct {
      const char *filter, *other;
      double target;
    } pairs[] = {
        {"check/as_written/filter", "check/as_written/legacy", 1.0},
        {"check/separators/filter", "check/separators/legacy", 1.0},
        // The same, next to the export a host calls rather than the detection under it.
        {"check/as_written/filter", "check/as_written/IsBadW", 1.0},
        {"check/separators/filter", "check/separators/IsBadW", 1.0},
        {"check16/as_written/filter", "check/as_written/legacy", 1.0},
        {"check16/separators/filter", "check/separators/legacy", 1.0},
        {"find/as_written/filter", "check/as_written/filter", 0.8},
        {"find/separators/filter", "check/separators/filter", 0.8},
        {"mask/as_written/filter", "mask/as_written/legacy", 1.0},
        {"mask/separators/filter", "mask/separators/legacy", 1.0},
        // Fields on the words cost nothing without a policy; a policy keeps most of the speed.
        {"check/fields/no_policy", "check/as_written/filter", 1.0},
        {"check/fields/min_severity_2", "check/as_written/filter", 0.9},
        {"check/fields/two_categories", "check/as_written/filter", 0.9},
        {"check/fields/both", "check/as_written/filter", 0.9},
        // A line joined to the tails of the lines before it, next to the line alone.
        {"check/korean/conversation", "check/korean/filter", 0.5},
        // In real time, on one thread with and without a reload every 100 ms, and on two.
        {"check/under_reload/", "check/threads/iterations:400000/real_time/threads:1", 0.9},
        {"check/threads/iterations:200000/real_time/threads:2",
         "check/threads/iterations:400000/real_time/threads:1", 1.8},
    };
    for (const auto& pair : pairs)
      PrintPair(pair.filter, pair.other, pair.target);
    // Both doors' checks next to Hyperscan's literal matcher, where it ran.
    for (const size_t words : kPeerSizes) {
      const std::string at = "check/words_" + std::to_string(words) + "/";
      PrintPair(at + "filter", at + "hyperscan", 1.5);
      PrintPair(at + "IsBadW", at + "hyperscan", 1.5);
    }
  }

 private:
  // Pairs where either side did not run are left out.
  void PrintPair(const std::string& filter_name, const std::string& other_name,
                 double target) const {
    const double filter = Rate(filter_name), other = Rate(other_name);
    if (filter == 0 || other == 0) return;
    std::printf("%-44s %14.0f %14.0f %7.2fx %7.2fx\n", filter_name.c_str(), filter, other,
                filter / other, target);
  }

  // The median of repetitions when there are any, else the one run.
  double Rate(const std::string& name) const {
    double rate = 0;
    for (const auto& [run, run_rate] : rates_) {
      if (!run.starts_with(name)) continue;
      if (run.ends_with("_median")) return run_rate;
      if (!run.ends_with("_mean") && !run.ends_with("_stddev") && !run.ends_with("_cv"))
        rate = run_rate;
    }
    return rate;
  }
  std::map<std::string, double> rates_;
};

}  // namespace
}  // namespace chatsieve::bench

int main(int argc, char** argv) {
  using namespace chatsieve::bench;
  benchmark::Initialize(&argc, argv);
  for (const bool separators : {false, true}) {
    const std::string how = separators ? "separators" : "as_written";
    Register("check/" + how + "/filter", FilterCheck, separators);
    Register("check/" + how + "/legacy", LegacyCheck, separators);
    Register("check/" + how + "/IsBadW", LegacyExportCheck, separators);
    Register("check16/" + how + "/filter", FilterCheck16, separators);
    Register("find/" + how + "/filter", FilterFind, separators);
    Register("mask/" + how + "/filter", FilterMask, separators);
    Register("mask/" + how + "/legacy", LegacyMask, separators);
  }
  for (const size_t words : kPeerSizes) {
    const std::string at = "check/words_" + std::to_string(words) + "/";
    Register(at + "filter", PeerFilterCheck, words);
    Register(at + "IsBadW", PeerLegacyCheck, words);
#if defined(CHATSIEVE_BENCH_HYPERSCAN)
    Register(at + "hyperscan", PeerHyperscanCheck, words);
#endif
  }
  Register("check/korean/filter", KoreanCheck, false);
  Register("check/korean/conversation", KoreanCheck, true);
  Register("check/fields/no_policy", FilterCheckWithPolicy, PolicyChoice::kNone);
  Register("check/fields/min_severity_2", FilterCheckWithPolicy, PolicyChoice::kMinSeverity2);
  Register("check/fields/two_categories", FilterCheckWithPolicy, PolicyChoice::kTwoCategories);
  Register("check/fields/both", FilterCheckWithPolicy, PolicyChoice::kBoth);
  benchmark::RegisterBenchmark("check/under_reload", CheckUnderReload)
      ->Iterations(400000)
      ->UseRealTime();
  benchmark::RegisterBenchmark("check/threads", CheckThreads)
      ->Iterations(400000)
      ->Threads(1)
      ->UseRealTime();
  benchmark::RegisterBenchmark("check/threads", CheckThreads)
      ->Iterations(200000)
      ->Threads(2)
      ->UseRealTime();
  benchmark::RegisterBenchmark("build", Build)
      ->Arg(10000)
      ->Arg(50000)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("hostile/allowed_words_200k", HostileAllowedWords)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("hostile/long_word_100k", HostileLongWord)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("hostile/one_key_500k", HostileOneKeyList)
      ->Unit(benchmark::kMillisecond);
  std::printf("The UTF-8 scan takes %s steps on this processor.\n",
              chatsieve::HasWideScan() ? "its wide (AVX-512)" : "one-at-a-time");
  PairReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  ReportMemory();
  ReportConversationMemory();
  CompareWithReference();
#if defined(CHATSIEVE_BENCH_HYPERSCAN)
  CompareWithHyperscan();
#endif
  benchmark::Shutdown();
  return 0;
}
