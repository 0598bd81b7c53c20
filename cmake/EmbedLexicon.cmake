# Writes a C++ source holding a built-in lexicon's files as byte arrays, so that the
# library carries its words with no file to find at run time.
#   cmake -DOUTPUT=file.cpp -DSYMBOL=name -DWORDS="a.txt;b.txt" -DALLOWED=allowed.txt -P EmbedLexicon.cmake
# The word files are joined in the order given: a word's index is its place among them.
include(${CMAKE_CURRENT_LIST_DIR}/EmbedBytes.cmake)

set(words "")
foreach(word_file ${WORDS})
  append_bytes(words ${word_file})
endforeach()
set(allowed "")
append_bytes(allowed ${ALLOWED})

file(WRITE ${OUTPUT}.tmp "// Generated from data/lexicon by cmake/EmbedLexicon.cmake: do not edit.
#include \"filter/builtin_lexicons.h\"

namespace chatsieve {
namespace {

// A zero byte closes each array, so that an empty file still makes one.
constexpr unsigned char kWords[] = {
${words}  0};
constexpr unsigned char kAllowed[] = {
${allowed}  0};

}  // namespace

const BuiltinLexicon ${SYMBOL}{
    {reinterpret_cast<const char*>(kWords), sizeof kWords - 1},
    {reinterpret_cast<const char*>(kAllowed), sizeof kAllowed - 1}};

}  // namespace chatsieve
")
configure_file(${OUTPUT}.tmp ${OUTPUT} COPYONLY)
