// Detection speed on the chat corpus: the library's DetectAtLevel against the
// reference engine, with word lists of several sizes. Each
// benchmark screens whole passes over the corpus, so both see the same messages, and
// a summary after the run gives the speed-up of each pair and whether both found the
// same messages.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "bench_corpus.h"
#include "legacy/bad_chat_man.h"
#include "reference_engine.h"

namespace chatsieve::bench {
namespace {

constexpr size_t kListSizes[] = {1000, 10000, 50000};
constexpr int32_t kLevels[] = {1, 2};
constexpr int kLibraryPasses = 10;

struct Encoding {
  const char* name;
  bool wide;
};
constexpr Encoding kEncodings[] = {{"IsBadW", true}, {"IsBad", false}};

const BadChatMan& FilterOf(size_t size) {
  static std::map<size_t, std::unique_ptr<BadChatMan>> filters;
  auto& filter = filters[size];
  if (!filter) {
    LegacyWordList list;
    Fill(list, Words(size));
    filter = std::make_unique<BadChatMan>(std::move(list));
  }
  return *filter;
}

const reference::ReferenceEngine& ReferenceOf(size_t size) {
  static std::map<size_t, std::unique_ptr<reference::ReferenceEngine>> references;
  auto& engine = references[size];
  if (!engine) engine = std::make_unique<reference::ReferenceEngine>(FilterOf(size).Words());
  return *engine;
}

// Screens the corpus line after line, one message per iteration.
template <typename Detect>
void Screen(benchmark::State& state, bool wide, Detect detect) {
  const ChatCorpus& chat = Chat();
  const size_t lines = wide ? chat.wide_lines.size() : chat.narrow_lines.size();
  size_t line = 0;
  int64_t found = 0;
  for (auto _ : state) {
    found += wide ? detect(chat.wide_lines[line].c_str()) : detect(chat.narrow_lines[line].c_str());
    if (++line == lines) line = 0;
  }
  const auto passes = static_cast<int64_t>(state.iterations() / static_cast<int64_t>(lines));
  state.SetItemsProcessed(state.iterations());
  state.SetBytesProcessed(passes *
                          static_cast<int64_t>(wide ? chat.wide_bytes : chat.narrow_bytes));
  state.counters["found_per_pass"] = static_cast<double>(found / passes);
}

void RegisterScreening() {
  for (const Encoding& encoding : kEncodings) {
    const size_t lines = encoding.wide ? Chat().wide_lines.size() : Chat().narrow_lines.size();
    for (const int32_t level : kLevels) {
      for (const size_t size : kListSizes) {
        const std::string name = std::string(encoding.name) + "/level:" + std::to_string(level) +
                                 "/words:" + std::to_string(size);
        benchmark::RegisterBenchmark((name + "/chatsieve").c_str(),
                                     [=](benchmark::State& state) {
                                       const BadChatMan& filter = FilterOf(size);
                                       Screen(state, encoding.wide, [&](const auto* text) {
                                         return DetectAtLevel(filter.Keys(), level, text);
                                       });
                                     })
            ->Iterations(static_cast<int64_t>(lines) * kLibraryPasses)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((name + "/reference").c_str(),
                                     [=](benchmark::State& state) {
                                       const auto& reference = ReferenceOf(size);
                                       Screen(state, encoding.wide, [&](const auto* text) {
                                         return reference.Detect(level, text);
                                       });
                                     })
            ->Iterations(static_cast<int64_t>(lines))
            ->Unit(benchmark::kMillisecond);
      }
    }
  }
}

void LoadList(benchmark::State& state) {
  const auto& words = Words(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    LegacyWordList list;
    Fill(list, words);
    benchmark::DoNotOptimize(BadChatMan(std::move(list)).Keys());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(words.size()));
}

// Prints, after the usual report, how much faster the library screens than the
// reference, pair by pair.
class SpeedUpReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const std::string& name = run.run_name.function_name;
      const auto slash = name.rfind('/');
      const auto rate = run.counters.find("items_per_second");
      const auto found = run.counters.find("found_per_pass");
      if (rate == run.counters.end() || found == run.counters.end()) continue;
      Side& side = pairs_[name.substr(0, slash)][name.substr(slash + 1)];
      side.rate = rate->second.value;
      side.found = found->second.value;
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-28s %14s %14s %9s  %s\n", "speed-up", "chatsieve/s", "reference/s", "ratio",
                "same messages found");
    for (const auto& [pair, sides] : pairs_) {
      const auto library = sides.find("chatsieve");
      const auto reference = sides.find("reference");
      if (library == sides.end() || reference == sides.end()) continue;
      std::printf("%-28s %14.0f %14.0f %8.1fx  %s\n", pair.c_str(), library->second.rate,
                  reference->second.rate, library->second.rate / reference->second.rate,
                  library->second.found == reference->second.found ? "yes" : "NO");
    }
  }

 private:
  struct Side {
    double rate = 0;
    double found = 0;
  };
  std::map<std::string, std::map<std::string, Side>> pairs_;
};

}  // namespace
}  // namespace chatsieve::bench

BENCHMARK(chatsieve::bench::LoadList)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(50000)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  chatsieve::bench::RegisterScreening();
  chatsieve::bench::SpeedUpReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
