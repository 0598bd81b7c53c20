// The benchmark inputs: chat lines, word lists and long texts from bench/data.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace chatsieve {
class LegacyWordList;
}

namespace chatsieve::bench {

struct ChatCorpus {
  std::vector<std::u16string> wide_lines;  // from chat.txt
  std::vector<std::string> narrow_lines;   // from chat.cp949.txt
  size_t wide_bytes = 0;                   // UTF-16 bytes of all wide lines
  size_t narrow_bytes = 0;
};

const ChatCorpus& Chat();

// A list of `size` words: 1000 and 10000 are the shipped lists; larger sizes add
// words made of the shipped words' syllables, drawn with a fixed seed.
const std::vector<std::u16string>& Words(size_t size);

// One of long-1k.txt, long-10k.txt, long-100k.txt, as UTF-16.
std::u16string LongText(const std::string& name);

// Loads `words` into a filter object through the library's wide loader.
void Fill(LegacyWordList& filter, const std::vector<std::u16string>& words);

// Writes `words` as a wide word-list file at `path`, byte by byte as the format lays
// it out, for the library's own loader to read.
void WriteWideListFile(const std::string& path, const std::vector<std::u16string>& words);

}  // namespace chatsieve::bench
