#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "support/non_regular_file.h"
#include "support/temporary_directory.h"
#include "support/word_file_builder.h"
#include "text/utf8.h"
#include "wordfile/legacy_word_list.h"
#include "wordfile/word_file_format.h"
#include "wordfile/word_file_reader.h"
#include "wordfile/word_file_test_support.h"

namespace chatsieve {
namespace {

using testing::IndexWords;
using testing::Narrow;
using testing::NarrowList;
using testing::TemporaryDirectory;
using testing::Wide;
using testing::WideList;
using Words = std::vector<std::u16string>;

struct LoadCase {
  const char* what;
  int32_t result;
  Words words;  // in index order
  int32_t word_count;
  std::string file;
};

LoadCase Case(const char* what, int32_t result, Words words, int32_t word_count, std::string file) {
  return {what, result, std::move(words), word_count, std::move(file)};
}

// What a reader takes from a file: whether it loaded, the declared count, every record.
struct Reading {
  bool loaded;
  int32_t declared = 0;
  Words records;
  bool operator==(const Reading&) const = default;
};

template <typename Read>
Reading ReadRecords(Read read) {
  Reading reading{};
  reading.loaded = read(reading.declared, [&](std::unique_ptr<BadWord>& record) {
    reading.records.emplace_back(record->WideText(), static_cast<size_t>(record->WideLength()));
    return true;
  });
  return reading;
}

// The filter reads a file's bytes from memory: each reader must take from them exactly what
// it takes from the file.
void ExpectBytesReadAsTheFile(const std::string& path, const std::string& bytes) {
  using Sink = const RecordSink&;
  const std::u16string wide_path = platform::Utf8ToUtf16(path).value();
  EXPECT_EQ(
      ReadRecords([&](int32_t& n, Sink take) { return ReadNarrowWordBytes(bytes, true, n, take); }),
      ReadRecords(
          [&](int32_t& n, Sink take) { return ReadNarrowWordFile(path.c_str(), true, n, take); }));
  EXPECT_EQ(ReadRecords([&](int32_t& n, Sink take) { return ReadWideWordBytes(bytes, n, take); }),
            ReadRecords([&](int32_t& n, Sink take) {
              return ReadWideWordFile(wide_path.c_str(), n, take);
            }));
}

// Writes each case's file, loads it with `load` and checks what the filter object holds.
template <typename Load>
void ExpectLoads(std::span<const LoadCase> cases, Load load) {
  TemporaryDirectory directory;
  for (const LoadCase& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = directory.Write("list.bcd", c.file);
    LegacyWordList filter;
    EXPECT_EQ(load(filter, path), c.result);
    EXPECT_EQ(IndexWords(filter), c.words);
    EXPECT_EQ(filter.WordCount(), c.word_count);
    ExpectBytesReadAsTheFile(path, c.file);
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
const std::string kGaNa = "\xB0\xA1\xB3\xAA";

TEST(NarrowWordFile, LoadsAsTheByteRulesSay) {
  const std::string sig(testing::kWordFileSignature);
  const LoadCase cases[] = {
      Case("one record; what follows it is never read", 1, {u"abc"}, 1,
           Narrow().NarrowHead(1).NarrowRecord("abc").Bytes({0x1A, 0xFF}).Data()),
      Case("the prefix byte may hold anything", 1, {u"abc"}, 1,
           Narrow().NarrowHead(1, 0xFF).NarrowRecord("abc").Data()),
      Case("the signature at byte 0 is refused", 0, {}, 0x03000000,
           Narrow().Text(sig).Int32(1).NarrowRecord("abc").Data()),
      Case("separators with bytes between the records", 1, {u"abc", u"ab", u"가나"}, 3,
           Narrow()
               .NarrowHead(3)
               .NarrowRecord("ab")
               .Bytes({0, 0, 0})
               .Separator()
               .NarrowRecord(kGaNa)
               .Bytes({0, 0x01, 0})
               .Separator()
               .NarrowRecord("abc")
               .Data()),
      Case("a 0x80 right after a record that followed a separator is the next separator", 1,
           {u"x", u"y", u"z"}, 3,
           NarrowList(3, {"x", "y"}) + Narrow().Bytes({0x80}).NarrowRecord("z").Data()),
      Case("a 0x80 right after the first record is no separator", 0, {u"x"}, 2,
           Narrow().NarrowHead(2).NarrowRecord("x").Bytes({0x80}).NarrowRecord("y").Data()),
      Case("fewer records than the count: a failure that keeps the words, unsorted", 0,
           {u"ab", u"abc"}, 3, NarrowList(3, {"ab", "abc"})),
      Case("a later record of length 0 counts as taken", 1, {u"ab"}, 2, NarrowList(2, {"ab", ""})),
      Case("a failed record in the middle counts as taken", 1, {u"ab", u"cd"}, 3,
           NarrowList(3, {"ab", "", "cd"})),
      Case("a first record of length 0 fails the load", 0, {}, 2, NarrowList(2, {"", "ab"})),
      Case("a first record whose text begins with a zero byte fails the load", 0, {}, 1,
           NarrowList(1, {std::string("\0a", 2)})),
      Case("a zero byte ends the wide text; the narrow length counts on", 1, {u"ab"}, 1,
           NarrowList(1, {std::string("ab\0c", 4)})),
      Case("word count 0 is refused", 0, {}, 0, NarrowList(0, {"ab"})),
      Case("word count 26 holds 0x1A, which ends the data before the count", 0, {}, 0,
           NarrowList(26, {"ab"})),
      Case("a negative count reads every record and fails", 0, {u"ab", u"abc"}, -1,
           NarrowList(-1, {"ab", "abc"})),
      Case("a duplicate counts as read; the first one loaded stays", 1, {u"abc"}, 2,
           NarrowList(2, {"abc", "aBC"})),
      Case("a 0x1A inside a record before the last ends the data", 0, {u"ab"}, 3,
           NarrowList(3, {"ab", Around("c", 0x1A, "d"), "ef"})),
      Case("a 0x1A after the last record changes nothing", 1, {u"ab", u"cd"}, 2,
           NarrowList(2, {"ab", "cd"}) + "\x1A"),
      Case("a CR LF pair in the masked text reads as LF, so the record takes one more byte", 1,
           {std::u16string{u'a', PlainUnit(0x0A), u'b', PlainUnit(0x01)}}, 1,
           NarrowList(1, {Around(Around("a", 0x0D, ""), 0x0A, "b"), "c"})),
      Case("a CR LF pair in the count reads as LF", 0, {u"ab"}, 0x0A,
           Narrow()
               .Bytes({0})
               .Text(sig)
               .Bytes({0x0D, 0x0A, 0, 0, 0})
               .Text(std::string(16, '\0'))
               .NarrowRecord("ab")
               .Data()),
      Case("a CR LF pair in the skipped block reads as one byte", 1, {u"ab"}, 1,
           Narrow()
               .Bytes({0})
               .Text(sig)
               .Int32(1)
               .Bytes({0x0D, 0x0A})
               .Text(std::string(15, '\0'))
               .NarrowRecord("ab")
               .Data()),
      Case("a length beyond the file's end fails before anything is allocated", 0, {}, 1,
           Narrow().NarrowHead(1).NarrowRecordClaiming(INT32_MAX, "ab").Data()),
      Case("a later record cut short is lost and reads the data to its end", 0, {u"ab"}, 3,
           NarrowList(3, {"ab"}) + Narrow()
                                       .Separator()
                                       .NarrowRecordClaiming(40, "cd")
                                       .Separator()
                                       .NarrowRecord("ef")
                                       .Data()),
      Case("a record cut short as the last one counted leaves a successful load", 1, {u"ab"}, 2,
           NarrowList(2, {"ab"}) +
               Narrow().Separator().NarrowRecordClaiming(INT32_MAX, "cd").Data()),
      Case("a record cut short by a 0x1A inside its claimed length fails", 1, {u"ab"}, 2,
           NarrowList(2, {"ab"}) +
               Narrow().Separator().NarrowRecordClaiming(6, Around("cd", 0x1A, "efgh")).Data()),
      Case("a short header: missing count bytes read as 0", 0, {}, 5,
           Narrow().Bytes({0}).Text(sig).Bytes({5}).Data()),
      Case("an empty file", 0, {}, 0, ""),
  };
  ExpectLoads(cases, [](LegacyWordList& filter, const std::string& path) {
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
    LegacyWordList filter;
    ASSERT_EQ(filter.LoadWordFile(path.c_str(), c.collapse), 1);
    filter.ForEachBucket([&c](char16_t, LegacyWordList::Words bucket) {
      ASSERT_EQ(bucket.size(), 1u);
      const BadWord& word = *bucket[0];
      EXPECT_EQ(std::string(word.NarrowText(), static_cast<size_t>(word.NarrowLength())), c.narrow);
      EXPECT_EQ(std::u16string(word.WideText(), static_cast<size_t>(word.WideLength())), c.wide);
    });
  }
}

TEST(NarrowWordFile, SortsBucketsByBytesThenUnits) {
  TemporaryDirectory directory;
  const std::string path = directory.Write("filter.bcd", Narrow()
                                                             .NarrowHead(2)
                                                             .NarrowRecord("abcd")
                                                             .Separator()
                                                             .NarrowRecord(std::string("a") + kGaNa)
                                                             .Data());
  LegacyWordList filter;
  ASSERT_EQ(filter.LoadWordFile(path.c_str(), 1), 1);
  EXPECT_EQ(IndexWords(filter), (Words{u"a가나", u"abcd"}));
}

TEST(WideWordFile, LoadsAsTheByteRulesSay) {
  const std::string sig(testing::kWordFileSignature);
  const LoadCase cases[] = {
      Case("records back to back; what follows is never read", 1, {u"abcde", u"abc", u"ab"}, 3,
           WideList(3, {u"ab", u"abcde", u"abc"}) + "\x07"),
      Case("byte 37 must be zero", 0, {}, 1,
           Wide().Text(sig).Bytes({1}).Int32(1).WideRecord(u"ab").Data()),
      Case("a narrow head is refused", 0, {}, 1,
           Wide().Bytes({0}).Text(sig).Int32(1).WideRecord(u"ab").Data()),
      Case("word count 0 is refused", 0, {}, 0, WideList(0, {u"ab"})),
      Case("a negative count is a failed load with an empty index", 0, {}, -1,
           WideList(-1, {u"ab"})),
      Case("fewer records than the count keep the words read, unsorted", 0, {u"ab", u"abc"}, 3,
           WideList(3, {u"ab", u"abc"})),
      Case("a unit count of 0 ends the load", 0, {u"ab"}, 2, WideList(2, {u"ab", u"", u"cd"})),
      Case("a unit count beyond the file's end fails before anything is allocated", 0, {}, 1,
           Wide().WideHead(1).Int32(INT32_MAX).Bytes({'a', 0}).Data()),
      Case("a record cut short fails and keeps none of its units", 0, {u"ab"}, 2,
           WideList(2, {u"ab"}) + Wide().Int32(3).Bytes({'c', 0, 'd', 0, 'e'}).Data()),
      Case("bytes a narrow file would translate are taken as they are", 1, {u"\x0A0D\x1A1A"}, 1,
           WideList(1, {u"\x0A0D\x1A1A"})),
      Case("zero units stay part of the word", 1, {std::u16string(u"a\0b", 3)}, 1,
           WideList(1, {std::u16string(u"a\0b", 3)})),
      Case("a duplicate counts as read", 1, {u"abc"}, 2, WideList(2, {u"abc", u"aBC"})),
      Case("a short header: missing count bytes read as 0", 0, {}, 3,
           Wide().Text(sig).Bytes({0, 3}).Data()),
  };
  ExpectLoads(cases, [](LegacyWordList& filter, const std::string& path) {
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

  LegacyWordList filter;
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
  const std::string paths[] = {directory.Path().string(), testing::NonRegularFileIn(directory), ""};
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    LegacyWordList filter;
    EXPECT_EQ(filter.LoadWordFile(path.c_str(), 1), 0);
    EXPECT_EQ(filter.LoadWordFileW(testing::WidePath(path).c_str(), 1), 0);
  }
  LegacyWordList filter;
  EXPECT_EQ(filter.LoadWordFile(nullptr, 1), 0);
  EXPECT_EQ(filter.LoadWordFileW(nullptr, 1), 0);
  EXPECT_EQ(filter.LoadWordFileW(u"\xD800", 1), 0);
}

}  // namespace
}  // namespace chatsieve
