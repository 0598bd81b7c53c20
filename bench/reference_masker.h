// A straightforward masker, written as the masking rules read, for the benchmarks to
// measure the library against: the buckets in a std::map, the chain a std::list of
// pointers into the working copy, every bucket word compared in turn, and the walk
// starting over from the first node after every masked word.
#pragma once

#include <cstdint>
#include <list>
#include <map>
#include <string>
#include <vector>

namespace chatsieve {
class BadChatMan;
}

namespace chatsieve::bench {

class ReferenceMasker {
 public:
  // Takes the filter's words, bucket by bucket, in bucket order.
  explicit ReferenceMasker(const BadChatMan& filter);

  // As IsBadToRep and IsBadToRepW at filter level 1 or 2.
  int32_t Mask(int32_t level, const char* text, char* destination, int32_t capacity,
               char mask) const;
  int32_t MaskW(int32_t level, const char16_t* text, char16_t* destination, uint32_t capacity,
                char16_t mask) const;

  using Chain = std::list<char16_t*>;

 private:
  int32_t Pass(const char* source, char* destination, int32_t size, char mask, bool keep_all) const;
  int32_t PassW(const char16_t* source, char16_t* destination, uint32_t size, char16_t mask,
                bool keep_all) const;
  // The units matched by the first word of the bucket of `key` that matches at `at`.
  size_t MatchInBucket(char16_t key, Chain::iterator at, Chain::iterator end) const;
  // Masks the working copy in place; the number of words masked.
  int32_t MaskChain(std::u16string& text, bool keep_all, char16_t mask) const;

  std::map<char16_t, std::vector<std::u16string>> buckets_;
};

}  // namespace chatsieve::bench
