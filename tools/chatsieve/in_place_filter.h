// `chatsieve mask --in-place`: masking with '*' where the words stand, through the
// filter object's own interface rather than the exports.
#pragma once

#include "screening_input.h"

namespace chatsieve::tool {

// Loads the list the options name (or the default beside the library) into a filter
// object of the tool's own and masks every text in place. Returns the exit status.
int MaskInPlace(const ScreeningOptions& options);

}  // namespace chatsieve::tool
