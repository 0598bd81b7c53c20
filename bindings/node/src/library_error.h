// Errors carrying the library's reason, and its result code as `code`.
#pragma once

#include <napi.h>

#include <cstdint>
#include <string>

namespace chatsieve_node {

// An Error whose message is `reason` and whose `code` names the CHATSIEVE_E_ result.
Napi::Error LibraryError(Napi::Env env, int result, const std::string& reason);

// `result` itself when it is not below zero; screening results below zero are faults,
// thrown as a LibraryError.
int Checked(Napi::Env env, int result);

std::string ToHex(uint32_t value);

}  // namespace chatsieve_node
