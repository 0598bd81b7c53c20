// A buffer owned by one call: inline for the short texts chat mostly sends, on the heap
// only for longer ones, so screening a message usually allocates nothing.
#pragma once

#include <cstddef>
#include <memory>
#include <new>

namespace chatsieve {

template <typename T, size_t kInline = 256>
class WorkBuffer {
 public:
  WorkBuffer() = default;
  WorkBuffer(const WorkBuffer&) = delete;
  WorkBuffer& operator=(const WorkBuffer&) = delete;

  // Makes room for `count` elements, dropping the previous contents. False when memory
  // runs out.
  bool Reserve(size_t count) {
    if (count <= kInline) {
      data_ = inline_;
      return true;
    }
    heap_.reset(new (std::nothrow) T[count]);
    data_ = heap_.get();
    return data_ != nullptr;
  }

  T* Data() { return data_; }
  const T* Data() const { return data_; }
  T& operator[](size_t index) { return data_[index]; }
  const T& operator[](size_t index) const { return data_[index]; }

 private:
  T inline_[kInline];
  std::unique_ptr<T[]> heap_;
  T* data_ = inline_;
};

}  // namespace chatsieve
