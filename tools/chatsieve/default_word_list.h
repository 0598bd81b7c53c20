// The sample word lists installed beside the library, which a host's load with a null
// path finds.
#pragma once

#include <string>

#include "word_list_format.h"

namespace chatsieve::tool {

// filter.bcd or filterW.bcd in the library's directory. Throws std::runtime_error when
// the library cannot tell where it is.
std::string DefaultWordListPath(WordListFormat format);

}  // namespace chatsieve::tool
