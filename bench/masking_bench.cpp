// Masking speed: IsBadToRepW and IsBadToRep at filter levels 1 and 2 through the
// library's level composition, on chat lines with 10,000 listed words and on long
// texts dense with listed words, each against the reference engine in the
// same run. After the runs, every library figure is given as a multiple of its
// reference's speed.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "bench_corpus.h"
#include "legacy/bad_chat_man.h"
#include "legacy/level_masking.h"
#include "reference_engine.h"

namespace chatsieve::bench {
namespace {

constexpr size_t kWordCount = 10000;
// A host's buffer for one chat line: larger than any line of the corpus in either form.
constexpr size_t kChatCapacity = 1024;

const BadChatMan& Filter() {
  static const std::unique_ptr<BadChatMan> filter = [] {
    LegacyWordList list;
    Fill(list, Words(kWordCount));
    return std::make_unique<BadChatMan>(std::move(list));
  }();
  return *filter;
}

struct Library {
  static int32_t Mask(int32_t level, const char* text, char* destination, size_t capacity) {
    return MaskAtLevel(Filter().Keys(), level, text, destination, static_cast<int32_t>(capacity),
                       '*');
  }
  static int32_t Mask(int32_t level, const char16_t* text, char16_t* destination, size_t capacity) {
    return MaskAtLevel(Filter().Keys(), level, text, destination, static_cast<uint32_t>(capacity),
                       u'*');
  }
};

struct Reference {
  static const reference::ReferenceEngine& Masker() {
    static const reference::ReferenceEngine engine(Filter().Words());
    return engine;
  }
  static int32_t Mask(int32_t level, const char* text, char* destination, size_t capacity) {
    return Masker().Mask(level, text, destination, static_cast<int32_t>(capacity), '*');
  }
  static int32_t Mask(int32_t level, const char16_t* text, char16_t* destination, size_t capacity) {
    return Masker().Mask(level, text, destination, static_cast<uint32_t>(capacity), u'*');
  }
};

const std::vector<std::string>& ChatLines(char) {
  return Chat().narrow_lines;
}

const std::vector<std::u16string>& ChatLines(char16_t) {
  return Chat().wide_lines;
}

// One chat line a call, the lines in turn.
template <typename Masker, typename Char>
void MaskChat(benchmark::State& state, int32_t level) {
  const auto& lines = ChatLines(Char{});
  std::vector<Char> destination(kChatCapacity);
  size_t line = 0;
  size_t bytes = 0;
  int64_t masked = 0;
  for (auto _ : state) {
    const auto& text = lines[line];
    masked += Masker::Mask(level, text.c_str(), destination.data(), kChatCapacity);
    benchmark::DoNotOptimize(destination.data());
    bytes += text.size() * sizeof(Char);
    line = line + 1 == lines.size() ? 0 : line + 1;
  }
  state.SetItemsProcessed(state.iterations());
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
  state.counters["masked"] =
      benchmark::Counter(static_cast<double>(masked) / static_cast<double>(state.iterations()));
}

// One long text a call; the time per UTF-16 unit should not grow with the length.
template <typename Masker>
void MaskLong(benchmark::State& state, const std::string& name, int32_t level) {
  const std::u16string text = LongText(name);
  std::vector<char16_t> destination(text.size() + 1);
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        Masker::Mask(level, text.c_str(), destination.data(), destination.size()));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size() * 2));
  state.counters["per_unit"] = benchmark::Counter(
      static_cast<double>(text.size()),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Both maskers must give the same destination for every line, or the figures compare
// different work.
template <typename Char>
bool SameResults(int32_t level) {
  std::vector<Char> by_library(kChatCapacity);
  std::vector<Char> by_reference(kChatCapacity);
  for (const auto& text : ChatLines(Char{})) {
    const int32_t library = Library::Mask(level, text.c_str(), by_library.data(), kChatCapacity);
    const int32_t reference =
        Reference::Mask(level, text.c_str(), by_reference.data(), kChatCapacity);
    if (library != reference || by_library != by_reference) return false;
  }
  return true;
}

// The console output, then each library run as a multiple of its reference's speed.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    // With repetitions, the median stands for the benchmark.
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
      times_[run.run_name.str()] = run.GetAdjustedRealTime();
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    const std::string library = "/library";
    for (const auto& [name, time] : times_) {
      if (!name.ends_with(library)) continue;
      const std::string base = name.substr(0, name.size() - library.size());
      const auto reference = times_.find(base + "/reference");
      if (reference == times_.end()) continue;
      GetOutputStream() << base << ": " << reference->second / time << "x the reference\n";
    }
  }

 private:
  std::map<std::string, double> times_;
};

void RegisterAll() {
  for (const int32_t level : {1, 2}) {
    const std::string suffix = "/level:" + std::to_string(level);
    benchmark::RegisterBenchmark(("chat/IsBadToRepW" + suffix + "/library").c_str(),
                                 MaskChat<Library, char16_t>, level);
    benchmark::RegisterBenchmark(("chat/IsBadToRepW" + suffix + "/reference").c_str(),
                                 MaskChat<Reference, char16_t>, level);
    benchmark::RegisterBenchmark(("chat/IsBadToRep" + suffix + "/library").c_str(),
                                 MaskChat<Library, char>, level);
    benchmark::RegisterBenchmark(("chat/IsBadToRep" + suffix + "/reference").c_str(),
                                 MaskChat<Reference, char>, level);
  }
  for (const std::string name : {"long-1k", "long-10k", "long-100k"}) {
    for (const int32_t level : {1, 2}) {
      const std::string prefix = name + "/IsBadToRepW/level:" + std::to_string(level);
      benchmark::RegisterBenchmark((prefix + "/library").c_str(), MaskLong<Library>, name + ".txt",
                                   level);
      // The reference restarts from the first node after every word: quadratic.
      if (name == "long-100k") continue;
      benchmark::RegisterBenchmark((prefix + "/reference").c_str(), MaskLong<Reference>,
                                   name + ".txt", level);
    }
  }
}

}  // namespace
}  // namespace chatsieve::bench

int main(int argc, char** argv) {
  using namespace chatsieve::bench;
  benchmark::Initialize(&argc, argv);
  for (const int32_t level : {1, 2}) {
    if (!SameResults<char16_t>(level) || !SameResults<char>(level)) {
      std::fprintf(stderr, "the library and the reference mask chat lines differently\n");
      return 1;
    }
  }
  RegisterAll();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
