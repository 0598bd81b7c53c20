// Telling a narrow word-list file from a wide one by where its signature stands, and
// loading either into a filter object of the tool's own.
#pragma once

#include <cstdint>
#include <string>

namespace chatsieve {
class LegacyWordList;
}

namespace chatsieve::tool {

enum class WordListFormat { kNarrow, kWide, kNeither };

// Throws std::runtime_error, with the system's reason, when the file cannot be opened.
WordListFormat WordListFormatOf(const std::string& path);

// As WordListFormatOf, for the binary files the legacy loaders take: throws
// std::runtime_error for any other file.
WordListFormat BinaryFormatOf(const std::string& path);

// "PATH: cannot load: " and why: the system's reason the file does not open, or that
// its content is not a valid word list.
std::string LoadFailureMessage(const std::string& path);

// Loads a file of a known format with the loader the library uses for it (runs of spaces
// collapsed, as the loading exports do). Returns the loader's result.
int32_t LoadWordListFile(LegacyWordList& filter, const std::string& path, WordListFormat format);

}  // namespace chatsieve::tool
