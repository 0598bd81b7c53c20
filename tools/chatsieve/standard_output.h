// Output that cannot be written is an error for every command: a full disk or a closed
// pipe must not pass for success.
#pragma once

namespace chatsieve::tool {

// Flushes standard output. False, with a message on standard error, when any of what was
// printed could not be written.
bool FlushStandardOutput();

}  // namespace chatsieve::tool
