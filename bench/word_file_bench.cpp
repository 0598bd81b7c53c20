// Loading word-list files as the loading exports do, the words compiled into keys: what a
// host waits for at start-up and on every reload.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "bench_corpus.h"
#include "legacy/bad_chat_man.h"
#include "wordfile/legacy_word_list.h"

namespace chatsieve::bench {
namespace {

// The narrow and wide files of one word list, written once by the library's own writers.
struct ListFiles {
  std::string narrow;
  std::string wide;
  size_t narrow_bytes = 0;
  size_t wide_bytes = 0;
};

// A directory for the lists, removed when the program ends.
struct ListDirectory {
  ListDirectory() {
    path = (std::filesystem::temp_directory_path() / "chatsieve-bench-XXXXXX").string();
    if (::mkdtemp(path.data()) == nullptr) throw std::runtime_error("cannot make " + path);
  }
  ~ListDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::string path;
};

const ListFiles& FilesFor(size_t size) {
  static const ListDirectory directory;
  static std::map<size_t, ListFiles> files;
  auto [entry, added] = files.try_emplace(size);
  if (added) {
    auto filter = std::make_unique<LegacyWordList>();
    Fill(*filter, Words(size));
    ListFiles& list = entry->second;
    list.narrow = directory.path + "/filter-" + std::to_string(size) + ".bcd";
    list.wide = directory.path + "/filterW-" + std::to_string(size) + ".bcd";
    const std::u16string wide_path(list.wide.begin(), list.wide.end());
    std::string why;
    if (!filter->SaveWordFile(list.narrow.c_str(), &why) ||
        !filter->SaveWordFileW(wide_path.c_str(), &why)) {
      throw std::runtime_error("cannot write the benchmark lists: " + why);
    }
    list.narrow_bytes = std::filesystem::file_size(list.narrow);
    list.wide_bytes = std::filesystem::file_size(list.wide);
  }
  return entry->second;
}

void BM_LoadNarrowFile(benchmark::State& state) {
  const ListFiles& files = FilesFor(static_cast<size_t>(state.range(0)));
  auto filter = std::make_unique<BadChatMan>();
  for (auto _ : state)
    benchmark::DoNotOptimize(filter->LoadWordFile(files.narrow.c_str(), 1));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * files.narrow_bytes));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_LoadWideFile(benchmark::State& state) {
  const ListFiles& files = FilesFor(static_cast<size_t>(state.range(0)));
  const std::u16string path(files.wide.begin(), files.wide.end());
  auto filter = std::make_unique<BadChatMan>();
  for (auto _ : state)
    benchmark::DoNotOptimize(filter->LoadWordFileW(path.c_str(), 1));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * files.wide_bytes));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_LoadNarrowFile)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadWideFile)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace chatsieve::bench

BENCHMARK_MAIN();
