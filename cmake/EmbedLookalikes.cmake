# Writes a C++ source holding the look-alike table as bytes, so that the library reads
# its shapes with no file to find at run time.
#   cmake -DOUTPUT=file.cpp -DTABLE=lookalikes.txt -P EmbedLookalikes.cmake
include(${CMAKE_CURRENT_LIST_DIR}/EmbedBytes.cmake)

set(table "")
append_bytes(table ${TABLE})

file(WRITE ${OUTPUT}.tmp "// Generated from data/lexicon/ko/lookalikes.txt by cmake/EmbedLookalikes.cmake: do not edit.
#include \"engine/korean/lookalike_table.h\"

namespace chatsieve {
namespace {

constexpr unsigned char kTable[] = {
${table}  0};

}  // namespace

std::string_view BuiltinLookalikeText() {
  return {reinterpret_cast<const char*>(kTable), sizeof kTable - 1};
}

}  // namespace chatsieve
")
configure_file(${OUTPUT}.tmp ${OUTPUT} COPYONLY)
