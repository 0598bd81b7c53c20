// The handle behind the C interface, and the guard every C function runs its body in.
#pragma once

#include <cstddef>
#include <new>
#include <stdexcept>

#include "chatsieve/filter.h"
#include "filter/filter_state.h"
#include "filter/load_failure.h"

struct chatsieve_filter {
  chatsieve::FilterState state;
};

namespace chatsieve {

// Copies `text` into a caller's message buffer, cut to fit and terminated.
void WriteMessage(const char* text, char* message, size_t capacity);

// Runs `body`, turning every exception into a result code (and a message when the
// caller gave a buffer): nothing thrown may cross the interface.
template <typename Body>
int Guarded(Body body, char* message = nullptr, size_t message_capacity = 0) noexcept {
  try {
    return body();
  } catch (const LoadFailure& failure) {
    WriteMessage(failure.what(), message, message_capacity);
    return failure.Code();
  } catch (const std::bad_alloc&) {
    WriteMessage("out of memory", message, message_capacity);
    return CHATSIEVE_E_MEMORY;
  } catch (const std::length_error&) {
    WriteMessage("the word list is too large", message, message_capacity);
    return CHATSIEVE_E_FORMAT;
  } catch (...) {
    WriteMessage("unexpected failure", message, message_capacity);
    return CHATSIEVE_E_MEMORY;
  }
}

}  // namespace chatsieve
