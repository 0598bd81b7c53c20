#include "in_place_filter.h"

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "chatsieve/chatsieve.h"
#include "dictionary/bad_chat_man.h"
#include "platform/module_path.h"
#include "platform/utf8.h"
#include "word_list_format.h"

namespace chatsieve::tool {
namespace {

// The default list beside the shared library, as the library's own loading would find it.
std::string DefaultListPath(Encoding encoding) {
  std::string library = platform::ModuleFileNameOf(reinterpret_cast<const void*>(&SetLevel));
  const size_t slash = library.rfind(platform::kFolderSeparator);
  if (slash == std::string::npos) throw std::runtime_error("cannot tell where the library is");
  library.resize(slash + 1);
  return library + (encoding == Encoding::kUtf8 ? "filterW.bcd" : "filter.bcd");
}

void Load(BadChatMan& filter, const ScreeningOptions& options) {
  const std::string path = options.list ? *options.list : DefaultListPath(options.encoding);
  if (LoadWordListFile(filter, path, WordListFormatOf(path)) == 0) {
    throw std::runtime_error("cannot load the word list " + path);
  }
}

}  // namespace

int MaskInPlace(const ScreeningOptions& options) {
  BadChatMan filter;
  Load(filter, options);
  int status = 0;
  const bool read = ForEachText(options, [&](const std::string& text) {
    if (options.encoding == Encoding::kCp949) {
      std::vector<char> buffer(text.c_str(), text.c_str() + text.size() + 1);
      filter.ReplaceStripped(buffer.data(), buffer.data());
      std::printf("%s\n", buffer.data());
    } else if (const auto wide = WideTextOf(text)) {
      std::vector<char16_t> buffer(wide->c_str(), wide->c_str() + wide->size() + 1);
      filter.ReplaceStrippedW(buffer.data(), buffer.data());
      std::printf("%s\n", platform::Utf16ToUtf8(buffer.data()).c_str());
    } else {
      status = 2;
    }
  });
  return read ? status : 2;
}

}  // namespace chatsieve::tool
