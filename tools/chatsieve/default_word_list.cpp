#include "default_word_list.h"

#include <stdexcept>

#include "chatsieve/chatsieve.h"
#include "platform/module_path.h"

namespace chatsieve::tool {

std::string DefaultWordListPath(WordListFormat format) {
  std::string library = platform::ModuleFileNameOf(reinterpret_cast<const void*>(&SetLevel));
  const size_t slash = library.rfind(platform::kFolderSeparator);
  if (slash == std::string::npos) throw std::runtime_error("cannot tell where the library is");
  library.resize(slash + 1);
  return library + (format == WordListFormat::kNarrow ? "filter.bcd" : "filterW.bcd");
}

}  // namespace chatsieve::tool
