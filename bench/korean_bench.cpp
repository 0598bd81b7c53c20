// The Korean options measured: first how many disguised lines of each kind are found and
// how many clean and legitimate lines are flagged, under each option and the recommended
// combination (a table on standard output); then the screening and build speed with
// CHATSIEVE_KOREAN and 10,000 words, against the same words as written.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "chatsieve/filter.h"
#include "engine/screening.h"
#include "filter/builtin_lexicons.h"
#include "filter/compiled_words.h"
#include "filter/word_source.h"
#include "korean_dev_set.h"
#include "text/unicode_text.h"

namespace chatsieve::bench {
namespace {

std::vector<std::string> ReadLines(const std::string& path, bool skip_comments) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || (skip_comments && line[0] == '#')) continue;
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> BenchData(const std::string& name, bool skip_comments = false) {
  return ReadLines(std::string(CHATSIEVE_BENCH_DATA) + "/" + name, skip_comments);
}

std::vector<std::string> SampleData(const std::string& name) {
  return ReadLines(std::string(CHATSIEVE_SAMPLE_DATA) + "/" + name, true);
}

WordList ToWordList(const std::vector<std::string>& words) {
  WordList list;
  for (const std::string& word : words)
    list.Add(word);
  return list;
}

class Screener {
 public:
  Screener(const std::vector<std::string>& words, const std::vector<std::string>& allowed,
           uint32_t options)
      : options_(MatchOptions::FromBits(options)),
        forbidden_(CompileWords(ToWordList(words), options_).compiled),
        allowed_(CompileAllowedWords(ToWordList(allowed), options_).compiled) {}

  bool Holds(const std::string& line) const {
    return HoldsWord<Utf8>({forbidden_->index, allowed_->index, options_}, line);
  }
  size_t Flagged(const std::vector<std::string>& lines) const {
    size_t flagged = 0;
    for (const std::string& line : lines)
      flagged += Holds(line) ? 1 : 0;
    return flagged;
  }

 private:
  MatchOptions options_;
  std::shared_ptr<const CompiledWords> forbidden_;
  std::shared_ptr<const CompiledWords> allowed_;
};

constexpr uint32_t kSeparators = CHATSIEVE_SEPARATORS;
constexpr uint32_t kKorean = CHATSIEVE_KOREAN;
constexpr uint32_t kKoreanButSpaces = kKorean & ~uint32_t{CHATSIEVE_SPACES};
constexpr uint32_t kRecommended = CHATSIEVE_RECOMMENDED;

struct OptionSet {
  const char* name;
  uint32_t bits;
};

const OptionSet kOptionSets[] = {
    {"as written", 0},
    {"SEPARATORS", kSeparators},
    {"WIDTH", CHATSIEVE_WIDTH},
    {"INVISIBLE", CHATSIEVE_INVISIBLE},
    {"JAMO", CHATSIEVE_JAMO},
    {"INITIALS", CHATSIEVE_INITIALS},
    {"KEYBOARD", CHATSIEVE_KEYBOARD},
    {"DIGITS", CHATSIEVE_DIGITS},
    {"REPEATS", CHATSIEVE_REPEATS},
    {"SPACES", CHATSIEVE_SPACES},
    {"LOOKALIKE", CHATSIEVE_LOOKALIKE},
    {"KOREAN", kKorean},
    {"KOREAN|SEPARATORS", kKorean | kSeparators},
    {"KOREAN-SPACES|SEPARATORS", kKoreanButSpaces | kSeparators},
    {"RECOMMENDED", kRecommended},
};

double Percent(size_t part, size_t whole) {
  return whole == 0 ? 0.0 : 100.0 * static_cast<double>(part) / static_cast<double>(whole);
}

void PrintQuality() {
  const std::vector<std::string> words = SampleData("sample-words.txt");
  const std::vector<std::string> allowed = SampleData("sample-allowed.txt");
  const std::vector<std::string> clean = BenchData("chat.txt");
  const std::vector<std::string> traps = BenchData("korean-chat-traps.txt", true);
  const std::vector<std::string> legitimate = BenchData("korean-legitimate.txt", true);
  const std::vector<DisguiseKind> kinds = MakeDisguisedLines(words, 300);

  std::map<uint32_t, std::unique_ptr<Screener>> screeners;
  const auto screener = [&](uint32_t bits) -> const Screener& {
    auto& entry = screeners[bits];
    if (!entry) entry = std::make_unique<Screener>(words, allowed, bits);
    return *entry;
  };
  std::printf("Disguised lines found, %% (%zu words of data/sample-words.txt)\n", words.size());
  std::printf("%-30s %6s %10s %8s %8s %8s %8s %8s\n", "kind", "lines", "as written", "its opt",
              "KOREAN", "K|SEP", "K-SP|SEP", "RECOMM");
  size_t all = 0, found_korean = 0, found_separators = 0, found_without_spaces = 0,
         found_recommended = 0;
  for (const DisguiseKind& kind : kinds) {
    const size_t korean = screener(kKorean).Flagged(kind.lines);
    const size_t separators = screener(kKorean | kSeparators).Flagged(kind.lines);
    const size_t without_spaces = screener(kKoreanButSpaces | kSeparators).Flagged(kind.lines);
    const size_t recommended = screener(kRecommended).Flagged(kind.lines);
    std::printf("%-30s %6zu %10.1f %8.1f %8.1f %8.1f %8.1f %8.1f\n", kind.name.c_str(),
                kind.lines.size(), Percent(screener(0).Flagged(kind.lines), kind.lines.size()),
                Percent(screener(kind.needs).Flagged(kind.lines), kind.lines.size()),
                Percent(korean, kind.lines.size()), Percent(separators, kind.lines.size()),
                Percent(without_spaces, kind.lines.size()),
                Percent(recommended, kind.lines.size()));
    all += kind.lines.size();
    found_korean += korean;
    found_separators += separators;
    found_without_spaces += without_spaces;
    found_recommended += recommended;
  }
  std::printf("%-30s %6zu %10s %8s %8.1f %8.1f %8.1f %8.1f\n\n", "all kinds", all, "", "",
              Percent(found_korean, all), Percent(found_separators, all),
              Percent(found_without_spaces, all), Percent(found_recommended, all));

  std::printf(
      "Lines flagged (%zu clean chat lines, %zu chat abbreviations and English, %zu "
      "legitimate lines)\n",
      clean.size(), traps.size(), legitimate.size());
  std::printf("%-26s %9s %7s %6s %10s %10s\n", "options", "clean, %", "clean", "traps", "legit, %",
              "allowed, %");
  for (const OptionSet& set : kOptionSets) {
    const Screener& with_allowed = screener(set.bits);
    const Screener without_allowed(words, {}, set.bits);
    const size_t flagged_clean = with_allowed.Flagged(clean);
    std::printf("%-26s %9.3f %7zu %6zu %10.1f %10.1f\n", set.name,
                Percent(flagged_clean, clean.size()), flagged_clean, with_allowed.Flagged(traps),
                Percent(without_allowed.Flagged(legitimate), legitimate.size()),
                Percent(with_allowed.Flagged(legitimate), legitimate.size()));
  }
  std::printf("\n");
}

const std::vector<std::string>& TenThousandWords() {
  static const std::vector<std::string> words = BenchData("words-10000.txt");
  return words;
}

void BM_Screen(benchmark::State& state) {
  const auto options = static_cast<uint32_t>(state.range(0));
  const Screener screener(TenThousandWords(), {}, options);
  const std::vector<std::string> lines = BenchData("chat.txt");
  size_t line = 0;
  int64_t found = 0;
  for (auto _ : state) {
    found += screener.Holds(lines[line]) ? 1 : 0;
    if (++line == lines.size()) line = 0;
  }
  benchmark::DoNotOptimize(found);
  state.SetItemsProcessed(state.iterations());
  state.counters["lines/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Screen)
    ->ArgName("options")
    ->Arg(0)
    ->Arg(kSeparators)
    ->Arg(kKoreanButSpaces | kSeparators)
    ->Arg(kKorean)
    ->Arg(kKorean | kSeparators)
    ->Arg(kRecommended);

// The built-in Korean lexicon with its allow-list, as a host loads it, under the
// recommended reading and without look-alikes.
void BM_ScreenBuiltIn(benchmark::State& state) {
  const auto options = MatchOptions::FromBits(static_cast<uint32_t>(state.range(0)));
  const auto forbidden =
      CompileWords(WordsOfText(kKoreanLexicon.words, "ko").words, options).compiled;
  const auto allowed =
      CompileAllowedWords(WordsOfText(kKoreanLexicon.allowed, "ko").words, options).compiled;
  const ScreeningWords words{forbidden->index, allowed->index, options};
  const std::vector<std::string> lines = BenchData("chat.txt");
  size_t line = 0;
  int64_t found = 0;
  for (auto _ : state) {
    found += HoldsWord<Utf8>(words, lines[line]) ? 1 : 0;
    if (++line == lines.size()) line = 0;
  }
  benchmark::DoNotOptimize(found);
  state.counters["lines/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ScreenBuiltIn)->ArgName("options")->Arg(kKorean | kSeparators)->Arg(kRecommended);

void BM_Build(benchmark::State& state) {
  const auto options = MatchOptions::FromBits(static_cast<uint32_t>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(CompileWords(ToWordList(TenThousandWords()), options).compiled);
  }
}
BENCHMARK(BM_Build)
    ->ArgName("options")
    ->Arg(0)
    ->Arg(kKorean | kSeparators)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace chatsieve::bench

int main(int argc, char** argv) {
  chatsieve::bench::PrintQuality();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
