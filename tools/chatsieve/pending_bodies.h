// The bytes of request bodies that connections gather before a thread takes them up,
// within one cap for all of them: a slow sender holds memory rather than a thread, and
// not without bound.
#pragma once

#include <atomic>
#include <cstddef>
#include <utility>

namespace chatsieve::tool {

class PendingBodies {
 public:
  // A part of the cap, given back when it goes.
  class Share {
   public:
    Share() = default;
    Share(Share&& other) noexcept
        : pool_(std::exchange(other.pool_, nullptr)), bytes_(std::exchange(other.bytes_, 0)) {}
    Share& operator=(Share&& other) noexcept {
      std::swap(pool_, other.pool_);
      std::swap(bytes_, other.bytes_);
      return *this;
    }
    Share(const Share&) = delete;
    Share& operator=(const Share&) = delete;
    ~Share() {
      if (pool_ != nullptr) pool_->held_.fetch_sub(bytes_);
    }
    explicit operator bool() const { return pool_ != nullptr; }

   private:
    friend class PendingBodies;
    Share(PendingBodies* pool, size_t bytes) : pool_(pool), bytes_(bytes) {}

    PendingBodies* pool_ = nullptr;
    size_t bytes_ = 0;
  };

  explicit PendingBodies(size_t cap) : cap_(cap) {}

  // A share of `bytes`; an empty one when the cap would be passed.
  Share Reserve(size_t bytes) {
    size_t held = held_.load();
    do {
      if (bytes > cap_ - held) return {};
    } while (!held_.compare_exchange_weak(held, held + bytes));
    return {this, bytes};
  }
  size_t Held() const { return held_.load(); }

 private:
  const size_t cap_;
  std::atomic<size_t> held_{0};
};

}  // namespace chatsieve::tool
