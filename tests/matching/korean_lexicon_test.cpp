// The built-in Korean lexicon (data/lexicon/ko): each line of a category file holds a
// word and its category, severity and where-rule, no word is listed twice, and every
// allowed word holds a listed word as the recommended reading reads both.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "chatsieve/filter.h"
#include "dictionary/word_list.h"
#include "filter/compiled_words.h"
#include "matching/screening.h"
#include "matching/unicode_text.h"

namespace chatsieve {
namespace {

const std::filesystem::path kLexicon =
    std::filesystem::path(CHATSIEVE_SAMPLE_DATA) / "lexicon" / "ko";

// The lines that are neither blank nor comments.
std::vector<std::string> Entries(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  EXPECT_TRUE(in) << file;
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.front() != '#') lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields(1);
  for (const char c : line) {
    if (c == '\t') {
      fields.emplace_back();
    } else {
      fields.back().push_back(c);
    }
  }
  return fields;
}

bool IsCategoryName(const std::string& name) {
  return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
  });
}

std::vector<std::filesystem::path> CategoryFiles() {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(kLexicon)) {
    const std::filesystem::path name = entry.path().filename();
    if (entry.path().extension() == ".txt" && name != "allowed.txt" && name != "lookalikes.txt")
      files.push_back(entry.path());
  }
  return files;
}

TEST(KoreanLexicon, ListsEachWordOnceWithItsFields) {
  const std::vector<std::filesystem::path> files = CategoryFiles();
  EXPECT_GE(files.size(), 5u);
  std::set<std::string> seen;
  for (const std::filesystem::path& file : files) {
    for (const std::string& line : Entries(file)) {
      const std::vector<std::string> fields = Fields(line);
      ASSERT_EQ(fields.size(), 4u) << file << ": " << line;
      EXPECT_TRUE(IsCategoryName(fields[1])) << line;
      EXPECT_TRUE(fields[2] == "1" || fields[2] == "2" || fields[2] == "3") << line;
      EXPECT_TRUE(fields[3] == "anywhere" || fields[3] == "start" || fields[3] == "whole") << line;
      std::string folded = fields[0];
      std::transform(folded.begin(), folded.end(), folded.begin(),
                     [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
      EXPECT_TRUE(seen.insert(folded).second) << "listed twice: " << fields[0];
    }
  }
}

// An allowed word that holds no listed word allows nothing: a typo or a stale entry; one
// that leaves a listed word it holds uncovered does not do its work.
TEST(KoreanLexicon, EveryAllowedWordHoldsAListedWord) {
  WordList listed, allowed_words;
  for (const std::filesystem::path& file : CategoryFiles()) {
    for (const std::string& line : Entries(file))
      listed.Add(Fields(line).front());
  }
  for (const std::string& line : Entries(kLexicon / "allowed.txt"))
    allowed_words.Add(line);
  ASSERT_GT(allowed_words.Size(), 100u);
  const MatchOptions options = MatchOptions::FromBits(CHATSIEVE_KOREAN | CHATSIEVE_SEPARATORS);
  const auto forbidden = CompileWords(std::move(listed), options).compiled;
  const auto none = CompileWords(WordList(), options).compiled;
  const auto allowed = CompileAllowedWords(allowed_words, options).compiled;
  for (size_t k = 0; k < allowed_words.Size(); ++k) {
    const std::string_view word = allowed_words[k];
    EXPECT_TRUE(HoldsWord<Utf8>({forbidden->index, none->index, options}, word)) << word;
    EXPECT_FALSE(HoldsWord<Utf8>({forbidden->index, allowed->index, options}, word)) << word;
  }
}

}  // namespace
}  // namespace chatsieve
