#include "wordfile/word_file_format.h"

#include <algorithm>

namespace chatsieve::word_file {
namespace {

// The mask is kept as three parts and put together when it is needed.
const unsigned char kRecordMaskParts[3] = {
    CHATSIEVE_RECORD_MASK_PART_1, CHATSIEVE_RECORD_MASK_PART_2, CHATSIEVE_RECORD_MASK_PART_3};

bool HoldsSignatureAt(const Head& head, size_t offset) {
  return std::equal(kSignature.begin(), kSignature.end(), head.begin() + offset,
                    [](char expected, unsigned char byte) {
                      return static_cast<unsigned char>(expected) == byte;
                    });
}

}  // namespace

unsigned char RecordMask() {
  return kRecordMaskParts[0] ^ kRecordMaskParts[1] ^ kRecordMaskParts[2];
}

bool IsNarrowHead(const Head& head) {
  return HoldsSignatureAt(head, 1);
}

bool IsWideHead(const Head& head) {
  return HoldsSignatureAt(head, 0) && head[kSignature.size()] == 0;
}

}  // namespace chatsieve::word_file
