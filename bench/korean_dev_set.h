// The development set of the Korean options: disguised lines built by code from a word
// list, one kind per option, each with the options it needs to be undone.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace chatsieve::bench {

struct DisguiseKind {
  std::string name;
  uint32_t needs;                  // CHATSIEVE_ option bits that undo the disguise
  std::vector<std::string> lines;  // UTF-8, each holding one disguised word
};

// `lines_per_kind` lines of every kind, drawn with a fixed seed from `words` (UTF-8).
// Kinds that apply to Hangul draw the Hangul words, the others the Latin words.
std::vector<DisguiseKind> MakeDisguisedLines(const std::vector<std::string>& words,
                                             size_t lines_per_kind);

}  // namespace chatsieve::bench
