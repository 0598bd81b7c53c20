// JavaScript strings handed to the C interface as UTF-16 units, in buffers reused from
// call to call so that screening a chat line allocates nothing.
#pragma once

#include <napi.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace chatsieve_node {

struct Units {
  const uint16_t* data;
  size_t length;
};

// The units of `value`, valid until the next ReadUnits on this thread. Throws a
// TypeError naming `what` when `value` is not a string.
Units ReadUnits(const Napi::Value& value, const char* what);

// A buffer for results of `capacity` units or elements, reused on this thread.
template <typename Element>
Element* ScratchOf(std::vector<Element>& scratch, size_t capacity) {
  if (scratch.size() < capacity) scratch.resize(capacity);
  return scratch.data();
}

}  // namespace chatsieve_node
