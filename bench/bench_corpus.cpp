#include "bench_corpus.h"

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <stdexcept>

#include "legacy/bad_chat_man.h"
#include "text/utf8.h"

namespace chatsieve::bench {
namespace {

std::string ReadFile(const std::string& name) {
  const std::string path = std::string(CHATSIEVE_BENCH_DATA) + "/" + name;
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

std::u16string Wide(const std::string& utf8) {
  auto wide = platform::Utf8ToUtf16(utf8);
  if (!wide) throw std::runtime_error("benchmark data is not UTF-8");
  return *wide;
}

std::vector<std::u16string> ShippedWords(const std::string& name) {
  std::vector<std::u16string> words;
  for (const std::string& line : Lines(ReadFile(name)))
    words.push_back(Wide(line));
  return words;
}

std::vector<std::u16string> ExtendedWords(size_t size) {
  std::vector<std::u16string> words = ShippedWords("words-10000.txt");
  std::set<std::u16string> seen(words.begin(), words.end());
  std::vector<char16_t> syllables;
  for (const auto& word : words) {
    for (char16_t unit : word) {
      if (unit >= 0xAC00 && unit <= 0xD7A3) syllables.push_back(unit);
    }
  }
  std::mt19937 random(20261208);
  std::uniform_int_distribution<size_t> pick(0, syllables.size() - 1);
  // Three syllables or more: random two-syllable words would be found in most lines.
  std::uniform_int_distribution<int> length(3, 5);
  while (words.size() < size) {
    std::u16string word;
    for (int i = length(random); i > 0; --i)
      word.push_back(syllables[pick(random)]);
    if (seen.insert(word).second) words.push_back(word);
  }
  return words;
}

void PutInt32(std::ofstream& out, int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  const char bytes[4] = {static_cast<char>(bits), static_cast<char>(bits >> 8),
                         static_cast<char>(bits >> 16), static_cast<char>(bits >> 24)};
  out.write(bytes, 4);
}

}  // namespace

const ChatCorpus& Chat() {
  static const ChatCorpus corpus = [] {
    ChatCorpus loaded;
    for (const std::string& line : Lines(ReadFile("chat.txt"))) {
      loaded.wide_lines.push_back(Wide(line));
      loaded.wide_bytes += loaded.wide_lines.back().size() * sizeof(char16_t);
    }
    loaded.narrow_lines = Lines(ReadFile("chat.cp949.txt"));
    for (const std::string& line : loaded.narrow_lines)
      loaded.narrow_bytes += line.size();
    return loaded;
  }();
  return corpus;
}

const std::vector<std::u16string>& Words(size_t size) {
  static std::map<size_t, std::vector<std::u16string>> lists;
  auto [entry, added] = lists.try_emplace(size);
  if (added) {
    if (size == 1000) {
      entry->second = ShippedWords("words-1000.txt");
    } else if (size == 10000) {
      entry->second = ShippedWords("words-10000.txt");
    } else {
      entry->second = ExtendedWords(size);
    }
  }
  return entry->second;
}

std::u16string LongText(const std::string& name) {
  std::string text = ReadFile(name);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
    text.pop_back();
  return Wide(text);
}

void Fill(LegacyWordList& filter, const std::vector<std::u16string>& words) {
  filter.ClearWords();
  for (const auto& word : words)
    filter.AddWord(word.c_str());
  filter.SortBuckets();
}

void WriteWideListFile(const std::string& path, const std::vector<std::u16string>& words) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  const std::string signature = "KORVASTEL PROGRAM (bad word database)";
  out.write(signature.data(), static_cast<std::streamsize>(signature.size()));
  out.put('\0');
  PutInt32(out, static_cast<int32_t>(words.size()));
  for (const auto& word : words) {
    PutInt32(out, static_cast<int32_t>(word.size()));
    for (char16_t unit : word) {
      out.put(static_cast<char>(unit & 0xFF));
      out.put(static_cast<char>(unit >> 8));
    }
  }
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace chatsieve::bench
