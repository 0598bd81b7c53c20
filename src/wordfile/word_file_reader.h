// Reading the records of a word-list file in the order the file holds them. The legacy
// word list stores what it reads into buckets; the filter keeps the records' order, so that a
// word's index is its record's place in the file.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "wordfile/bad_word.h"

namespace chatsieve {

// Takes one record as read; false refuses it (a refused first narrow record fails the
// load, as the legacy loader's does).
using RecordSink = std::function<bool(std::unique_ptr<BadWord>& record)>;

// Reads every record the header's word count covers, giving each read record to `take`.
// `declared` receives the count the header declares. True when the whole file loaded;
// on failure `take` has seen the records read before it.
bool ReadNarrowWordFile(const char* path, bool collapse, int32_t& declared, const RecordSink& take);
bool ReadWideWordFile(const char16_t* path, int32_t& declared, const RecordSink& take);
// The same from a whole file's bytes already in memory.
bool ReadNarrowWordBytes(std::string_view bytes, bool collapse, int32_t& declared,
                         const RecordSink& take);
bool ReadWideWordBytes(std::string_view bytes, int32_t& declared, const RecordSink& take);

}  // namespace chatsieve
