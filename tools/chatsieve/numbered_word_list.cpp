#include "numbered_word_list.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "platform/file_problem.h"
#include "platform/raw_file_reader.h"

namespace chatsieve::tool {
namespace {

std::string ReadWholeFile(const std::string& path) {
  platform::RawFileReader file;
  if (!file.Open(path.c_str())) {
    throw std::runtime_error(path + ": cannot open: " + platform::WhyNotOpened(path));
  }
  std::string contents;
  if (file.BytesLeft() > contents.max_size()) throw std::runtime_error(path + ": too large");
  contents.resize(static_cast<size_t>(file.BytesLeft()));
  if (file.Read(contents.data(), contents.size()) != contents.size()) {
    throw std::runtime_error(path + ": cannot read the whole file");
  }
  return contents;
}

}  // namespace

// The library's own reader, given one line at a time so that every word keeps its
// line. Each line but the first keeps the line break before it: the reader drops a
// byte-order mark only at the start of the list.
NumberedWordList ReadNumberedWordList(const std::string& path) {
  const std::string contents = ReadWholeFile(path);
  NumberedWordList source;
  size_t number = 1;
  for (size_t start = 0; start < contents.size(); ++number) {
    const size_t newline = std::min(contents.find('\n', start), contents.size());
    const size_t from = start == 0 ? 0 : start - 1;
    const size_t before = source.words.Size();
    for (const WordListProblem& problem :
         ReadWordListText(std::string_view(contents).substr(from, newline - from), source.words)) {
      std::fprintf(stderr, "%s:%zu: %s\n", path.c_str(), number, problem.reason.c_str());
      source.usable = false;
    }
    if (source.words.Size() > before) source.lines.push_back(number);
    start = newline + 1;
  }
  return source;
}

}  // namespace chatsieve::tool
