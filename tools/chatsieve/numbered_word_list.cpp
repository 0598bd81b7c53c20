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

NumberedWordList ReadNumberedWordList(const std::string& path) {
  const std::string contents = ReadWholeFile(path);
  NumberedWordList source;
  WordListReading reading = ReadWordListText(contents, source.words);
  for (const WordListProblem& problem : reading.problems)
    std::fprintf(stderr, "%s:%zu: %s\n", path.c_str(), problem.line, problem.reason.c_str());
  source.usable = reading.problems.empty();
  source.lines.assign(reading.lines.begin(), reading.lines.end());
  return source;
}

}  // namespace chatsieve::tool
