#include <gtest/gtest.h>

#include <sys/stat.h>

#include <climits>
#include <span>
#include <string>
#include <vector>

#include "dictionary/bad_chat_man.h"
#include "dictionary/word_file_builder.h"
#include "dictionary/word_file_format.h"
#include "dictionary/word_file_test_support.h"
#include "support/temporary_directory.h"

namespace chatsieve {
namespace {

using testing::IndexWords;
using testing::TemporaryDirectory;
using Words = std::vector<std::u16string>;

testing::WordFileBuilder Narrow() {
  return testing::WordFileBuilder(word_file::RecordMask());
}

testing::WordFileBuilder Wide() {
  return testing::WordFileBuilder();
}

struct LoadCase {
  const char* what;
  std::string file;
  int32_t result;
  Words words;  // in index order
  int32_t word_count;
};

// Writes each case's file, loads it with `load` and checks what the filter object holds.
template <typename Load>
void ExpectLoads(std::span<const LoadCase> cases, Load load) {
  TemporaryDirectory directory;
  for (const LoadCase& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = directory.Write("list.bcd", c.file);
    BadChatMan filter;
    EXPECT_EQ(load(filter, path), c.result);
    EXPECT_EQ(IndexWords(filter), c.words);
    EXPECT_EQ(filter.WordCount(), c.word_count);
  }
}

// The plain text byte that is `file_byte` once masked.
char Plain(unsigned char file_byte) {
  return static_cast<char>(file_byte ^ word_file::RecordMask());
}

char16_t PlainUnit(unsigned char file_byte) {
  return static_cast<char16_t>(file_byte ^ word_file::RecordMask());
}

// `before`, the plain byte that masks to `file_byte`, then `after`.
std::string Around(std::string before, unsigned char file_byte, std::string_view after) {
  before.push_back(Plain(file_byte));
  before.append(after);
  return before;
}

// Code page 949 bytes of two Hangul syllables.
const std::string kGa = "\xB0\xA1";
const std::string kNa = "\xB3\xAA";

TEST(NarrowWordFile, LoadsAsTheByteRulesSay) {
  const LoadCase cases[] = {
      {"one record; what follows it is never read",
       Narrow().NarrowHead(1).NarrowRecord("abc").Bytes({0x1A, 0xFF}).Data(),
       1,
       {u"abc"},
       1},
      {"the prefix byte may hold anything",
       Narrow().NarrowHead(1, 0xFF).NarrowRecord("abc").Data(),
       1,
       {u"abc"},
       1},
      {"the signature at byte 0 is refused",
       Narrow().Text(testing::kWordFileSignature).Int32(1).NarrowRecord("abc").Data(),
       0,
       {},
       0x03000000},
      {"separators with bytes between the records",
       Narrow()
           .NarrowHead(3)
           .NarrowRecord("ab")
           .Bytes({0, 0, 0})
           .Separator()
           .NarrowRecord(kGa + kNa)
           .Bytes({0, 0x01, 0})
           .Separator()
           .NarrowRecord("abc")
           .Data(),
       1,
       {u"abc", u"ab", u"가나"},
       3},
      {"a 0x80 right after a record that followed a separator is the next separator",
       Narrow()
           .NarrowHead(3)
           .NarrowRecord("x")
           .Separator()
           .NarrowRecord("y")
           .Bytes({0x80})
           .NarrowRecord("z")
           .Data(),
       1,
       {u"x", u"y", u"z"},
       3},
      {"a 0x80 right after the first record is no separator",
       Narrow().NarrowHead(2).NarrowRecord("x").Bytes({0x80}).NarrowRecord("y").Data(),
       0,
       {u"x"},
       2},
      {"fewer records than the count: a failure that keeps the words, unsorted",
       Narrow().NarrowHead(3).NarrowRecord("ab").Separator().NarrowRecord("abc").Data(),
       0,
       {u"ab", u"abc"},
       3},
      {"a later record of length 0 counts as taken",
       Narrow().NarrowHead(2).NarrowRecord("ab").Separator().NarrowRecord("").Data(),
       1,
       {u"ab"},
       2},
      {"a failed record in the middle counts as taken",
       Narrow()
           .NarrowHead(3)
           .NarrowRecord("ab")
           .Separator()
           .NarrowRecord("")
           .Separator()
           .NarrowRecord("cd")
           .Data(),
       1,
       {u"ab", u"cd"},
       3},
      {"a first record of length 0 fails the load",
       Narrow().NarrowHead(2).NarrowRecord("").Separator().NarrowRecord("ab").Data(),
       0,
       {},
       2},
      {"a first record whose text begins with a zero byte fails the load",
       Narrow().NarrowHead(1).NarrowRecord(std::string("\0a", 2)).Data(),
       0,
       {},
       1},
      {"a zero byte ends the wide text; the narrow length counts on",
       Narrow().NarrowHead(1).NarrowRecord(std::string("ab\0c", 4)).Data(),
       1,
       {u"ab"},
       1},
      {"word count 0 is refused", Narrow().NarrowHead(0).NarrowRecord("ab").Data(), 0, {}, 0},
      {"word count 26 holds 0x1A, which ends the data before the count",
       Narrow().NarrowHead(26).NarrowRecord("ab").Data(),
       0,
       {},
       0},
      {"a negative count reads every record and fails",
       Narrow().NarrowHead(-1).NarrowRecord("ab").Separator().NarrowRecord("abc").Data(),
       0,
       {u"ab", u"abc"},
       -1},
      {"a duplicate counts as read; the first one loaded stays",
       Narrow().NarrowHead(2).NarrowRecord("abc").Separator().NarrowRecord("aBC").Data(),
       1,
       {u"abc"},
       2},
      {"a 0x1A inside a record before the last ends the data",
       Narrow()
           .NarrowHead(3)
           .NarrowRecord("ab")
           .Separator()
           .NarrowRecord(Around("c", 0x1A, "d"))
           .Separator()
           .NarrowRecord("ef")
           .Data(),
       0,
       {u"ab"},
       3},
      {"a 0x1A after the last record changes nothing",
       Narrow()
           .NarrowHead(2)
           .NarrowRecord("ab")
           .Separator()
           .NarrowRecord("cd")
           .Bytes({0x1A})
           .Data(),
       1,
       {u"ab", u"cd"},
       2},
      {"a CR LF pair in the masked text reads as LF, so the record takes one more byte",
       Narrow()
           .NarrowHead(1)
           .NarrowRecord(Around(Around("a", 0x0D, ""), 0x0A, "b"))
           .NarrowRecord("c")
           .Data(),
       1,
       {std::u16string{u'a', PlainUnit(0x0A), u'b', PlainUnit(0x01)}},
       1},
      {"a CR LF pair in the count reads as LF",
       Narrow()
           .Bytes({0})
           .Text(testing::kWordFileSignature)
           .Bytes({0x0D, 0x0A, 0, 0, 0})
           .Text(std::string(16, '\0'))
           .NarrowRecord("ab")
           .Data(),
       0,
       {u"ab"},
       0x0A},
      {"a CR LF pair in the skipped block reads as one byte",
       Narrow()
           .Bytes({0})
           .Text(testing::kWordFileSignature)
           .Int32(1)
           .Bytes({0x0D, 0x0A})
           .Text(std::string(15, '\0'))
           .NarrowRecord("ab")
           .Data(),
       1,
       {u"ab"},
       1},
      {"a length beyond the file's end fails before anything is allocated",
       Narrow().NarrowHead(1).NarrowRecordClaiming(INT32_MAX, "ab").Data(),
       0,
       {},
       1},
      {"a later record cut short is lost and reads the data to its end",
       Narrow()
           .NarrowHead(3)
           .NarrowRecord("ab")
           .Separator()
           .NarrowRecordClaiming(40, "cd")
           .Separator()
           .NarrowRecord("ef")
           .Data(),
       0,
       {u"ab"},
       3},
      {"a record cut short as the last one counted leaves a successful load",
       Narrow()
           .NarrowHead(2)
           .NarrowRecord("ab")
           .Separator()
           .NarrowRecordClaiming(INT32_MAX, "cd")
           .Data(),
       1,
       {u"ab"},
       2},
      {"a record cut short by a 0x1A inside its claimed length fails",
       Narrow()
           .NarrowHead(2)
           .NarrowRecord("ab")
           .Separator()
           .NarrowRecordClaiming(6, Around("cd", 0x1A, "efgh"))
           .Data(),
       1,
       {u"ab"},
       2},
      {"a short header: missing count bytes read as 0",
       Narrow().Bytes({0}).Text(testing::kWordFileSignature).Bytes({5}).Data(),
       0,
       {},
       5},
      {"an empty file", "", 0, {}, 0},
  };
  ExpectLoads(cases, [](BadChatMan& filter, const std::string& path) {
    return filter.LoadWordFile(path.c_str(), 1);
  });
}

TEST(NarrowWordFile, CollapsesRunsOfSpacesWhenAsked) {
  TemporaryDirectory directory;
  const std::string path =
      directory.Write("filter.bcd", Narrow().NarrowHead(1).NarrowRecord("a  b").Data());
  const struct {
    int32_t collapse;
    std::string narrow;
    std::u16string wide;
  } cases[] = {{1, "a b", u"a b"}, {0, "a  b", u"a  b"}};
  for (const auto& c : cases) {
    BadChatMan filter;
    ASSERT_EQ(filter.LoadWordFile(path.c_str(), c.collapse), 1);
    const BadWord* word = filter.FindWord(c.wide.c_str());
    ASSERT_NE(word, nullptr);
    EXPECT_EQ(std::string(word->NarrowText(), static_cast<size_t>(word->NarrowLength())), c.narrow);
    EXPECT_EQ(word->WideLength(), static_cast<int32_t>(c.wide.size()));
  }
}

TEST(NarrowWordFile, SortsBucketsByBytesThenUnits) {
  TemporaryDirectory directory;
  const std::string path = directory.Write(
      "filter.bcd",
      Narrow().NarrowHead(2).NarrowRecord("abcd").Separator().NarrowRecord("a" + kGa + kNa).Data());
  BadChatMan filter;
  ASSERT_EQ(filter.LoadWordFile(path.c_str(), 1), 1);
  EXPECT_EQ(IndexWords(filter), (Words{u"a가나", u"abcd"}));
}

TEST(WideWordFile, LoadsAsTheByteRulesSay) {
  const LoadCase cases[] = {
      {"records back to back; what follows is never read",
       Wide()
           .WideHead(3)
           .WideRecord(u"ab")
           .WideRecord(u"abcde")
           .WideRecord(u"abc")
           .Bytes({7})
           .Data(),
       1,
       {u"abcde", u"abc", u"ab"},
       3},
      {"byte 37 must be zero",
       Wide().Text(testing::kWordFileSignature).Bytes({1}).Int32(1).WideRecord(u"ab").Data(),
       0,
       {},
       1},
      {"a narrow head is refused",
       Wide().Bytes({0}).Text(testing::kWordFileSignature).Int32(1).WideRecord(u"ab").Data(),
       0,
       {},
       1},
      {"word count 0 is refused", Wide().WideHead(0).WideRecord(u"ab").Data(), 0, {}, 0},
      {"a negative count is a failed load with an empty index",
       Wide().WideHead(-1).WideRecord(u"ab").Data(),
       0,
       {},
       -1},
      {"fewer records than the count keep the words read, unsorted",
       Wide().WideHead(3).WideRecord(u"ab").WideRecord(u"abc").Data(),
       0,
       {u"ab", u"abc"},
       3},
      {"a unit count of 0 ends the load",
       Wide().WideHead(2).WideRecord(u"ab").Int32(0).WideRecord(u"cd").Data(),
       0,
       {u"ab"},
       2},
      {"a unit count beyond the file's end fails before anything is allocated",
       Wide().WideHead(1).Int32(INT32_MAX).Bytes({'a', 0}).Data(),
       0,
       {},
       1},
      {"a record cut short fails and keeps none of its units",
       Wide().WideHead(2).WideRecord(u"ab").Int32(3).Bytes({'c', 0, 'd', 0, 'e'}).Data(),
       0,
       {u"ab"},
       2},
      {"bytes a narrow file would translate are taken as they are",
       Wide().WideHead(1).WideRecord(u"\x0A0D\x1A1A").Data(),
       1,
       {u"\x0A0D\x1A1A"},
       1},
      {"zero units stay part of the word",
       Wide().WideHead(1).WideRecord(std::u16string(u"a\0b", 3)).Data(),
       1,
       {std::u16string(u"a\0b", 3)},
       1},
      {"a duplicate counts as read",
       Wide().WideHead(2).WideRecord(u"abc").WideRecord(u"aBC").Data(),
       1,
       {u"abc"},
       2},
      {"a short header: missing count bytes read as 0",
       Wide().Text(testing::kWordFileSignature).Bytes({0, 3}).Data(),
       0,
       {},
       3},
  };
  ExpectLoads(cases, [](BadChatMan& filter, const std::string& path) {
    return filter.LoadWordFileW(testing::WidePath(path).c_str(), 1);
  });
}

TEST(WordFileLoads, EachLoadReplacesTheWordsInForce) {
  TemporaryDirectory directory;
  const std::string narrow = directory.Write(
      "filter.bcd",
      Narrow().NarrowHead(2).NarrowRecord("ab").Separator().NarrowRecord("cd").Data());
  const std::string wide_name =
      directory.Write("filterW.bcd", Wide().WideHead(1).WideRecord(u"xy").Data());
  const std::u16string wide = testing::WidePath(wide_name);
  const std::string missing = (directory.Path() / "missing.bcd").string();

  BadChatMan filter;
  ASSERT_EQ(filter.LoadWordFile(narrow.c_str(), 1), 1);
  ASSERT_EQ(filter.LoadWordFileW(wide.c_str(), 1), 1);
  EXPECT_EQ(IndexWords(filter), Words{u"xy"});
  EXPECT_EQ(filter.WordCount(), 1);

  ASSERT_EQ(filter.LoadWordFile(narrow.c_str(), 1), 1);
  EXPECT_EQ(IndexWords(filter), (Words{u"ab", u"cd"}));

  // A file that can't be opened drops the words but keeps the count.
  EXPECT_EQ(filter.LoadWordFile(missing.c_str(), 1), 0);
  EXPECT_EQ(IndexWords(filter), Words{});
  EXPECT_EQ(filter.WordCount(), 2);
}

TEST(WordFileLoads, RefuseWhatIsNoRegularFile) {
  TemporaryDirectory directory;
  const std::string fifo = (directory.Path() / "fifo").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string paths[] = {directory.Path().string(), fifo, ""};
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    BadChatMan filter;
    EXPECT_EQ(filter.LoadWordFile(path.c_str(), 1), 0);
    EXPECT_EQ(filter.LoadWordFileW(testing::WidePath(path).c_str(), 1), 0);
  }
  BadChatMan filter;
  EXPECT_EQ(filter.LoadWordFile(nullptr, 1), 0);
  EXPECT_EQ(filter.LoadWordFileW(nullptr, 1), 0);
  EXPECT_EQ(filter.LoadWordFileW(u"\xD800", 1), 0);
}

}  // namespace
}  // namespace chatsieve
