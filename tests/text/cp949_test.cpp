#include "text/cp949.h"

#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <iconv.h>
#endif

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "support/system_converter.h"

namespace chatsieve::platform {
namespace {

constexpr char16_t kFffd = 0xFFFD;

std::string Hex(const std::string& bytes) {
  std::string text;
  for (const char c : bytes) {
    char part[4];
    std::snprintf(part, sizeof part, "%02X ", static_cast<unsigned char>(c));
    text += part;
  }
  return text;
}

// Decodes through the size query and then a buffer of exactly that size, checking
// that both report the same count.
std::u16string Decode(const std::string& bytes, int32_t length) {
  const int32_t size = DecodeCp949(bytes.c_str(), length, nullptr, 0);
  std::u16string units(static_cast<size_t>(size), u'\0');
  EXPECT_EQ(DecodeCp949(bytes.c_str(), length, units.data(), size), size);
  return units;
}

std::string Encode(const std::u16string& units, int32_t length) {
  const int32_t size = EncodeCp949(units.c_str(), length, nullptr, 0);
  std::string bytes(static_cast<size_t>(size), '\0');
  EXPECT_EQ(EncodeCp949(units.c_str(), length, bytes.data(), size), size);
  return bytes;
}

int32_t Length(const std::string& s) {
  return static_cast<int32_t>(s.size());
}
int32_t Length(const std::u16string& s) {
  return static_cast<int32_t>(s.size());
}

TEST(Cp949, EveryHangulSyllableRoundTrips) {
  int round_trips = 0;
  for (char16_t unit = 0xAC00; unit <= 0xD7A3; ++unit) {
    const uint16_t pair = Cp949DoubleByteOf(unit);
    const std::string bytes{static_cast<char>(pair >> 8), static_cast<char>(pair & 0xFF)};
    if (Encode(std::u16string(1, unit), 1) == bytes && Decode(bytes, 2) == std::u16string(1, unit))
      ++round_trips;
    else
      ADD_FAILURE() << "U+" << std::hex << static_cast<int>(unit) << " <-> " << Hex(bytes);
  }
  RecordProperty("hangul_round_trips", round_trips);
  EXPECT_EQ(round_trips, 11172);
}

#if !defined(_WIN32)
// Our own table against another implementation of the same code page.
TEST(Cp949, EveryPairDecodesAsIconvDoes) {
  const iconv_t converter = iconv_open("UTF-16LE", "CP949");
  if (converter == reinterpret_cast<iconv_t>(static_cast<intptr_t>(-1)))
    GTEST_SKIP() << "iconv has no CP949 converter here; the pairs were not compared";
  int compared = 0;
  int agreed = 0;
  int ours_only = 0;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x41; trail <= 0xFE; ++trail) {
      std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
      char* in = bytes.data();
      size_t in_left = 2;
      unsigned char utf16[8];
      char* out = reinterpret_cast<char*>(utf16);
      size_t out_left = sizeof utf16;
      iconv(converter, nullptr, nullptr, nullptr, nullptr);
      const bool mapped =
          iconv(converter, &in, &in_left, &out, &out_left) != static_cast<size_t>(-1) &&
          in_left == 0 && out_left == sizeof utf16 - 2;
      const std::u16string ours = Decode(bytes, 2);
      if (!mapped) {
        if (ours.empty() || ours[0] != kFffd) ++ours_only;
        continue;
      }
      ++compared;
      const auto expected = static_cast<char16_t>(utf16[0] | utf16[1] << 8);
      if (ours == std::u16string(1, expected))
        ++agreed;
      else
        ADD_FAILURE() << Hex(bytes) << "iconv gives U+" << std::hex << static_cast<int>(expected);
    }
  }
  iconv_close(converter);
  std::printf("compared %d pairs with iconv: %d agreed; %d mapped only here\n", compared, agreed,
              ours_only);
  RecordProperty("pairs_compared", compared);
  RecordProperty("pairs_agreed", agreed);
  EXPECT_EQ(agreed, compared);
  EXPECT_EQ(ours_only, 0);
  EXPECT_GT(compared, 17000);
}
#endif

struct DecodeCase {
  const char* name;
  std::string bytes;
  int32_t length;       // -1: up to and including the terminator that c_str() adds
  std::u16string ours;  // without the terminator, which -1 adds
  std::u16string wine;  // the system converter under wine: an ASCII trail is swallowed
};

// Ours never swallows ASCII or the terminator; the system converter keeps the terminator.
TEST(Cp949, MalformedInputIsReplaced) {
  CHATSIEVE_SKIP_ON_WINDOWS_ITSELF();
  const DecodeCase cases[] = {
      {"lead before space", "\x81 x", 3, {kFffd, u' ', u'x'}, u"?x"},
      {"lead before letter outside its trails",
       "\xC7"
       "A",
       2,
       {kFffd, u'A'},
       u"?"},
      {"lead before unmapped ASCII trail", "\x81[", 2, {kFffd, u'['}, u"?"},
      {"letter that is a trail",
       "\xB0"
       "A",
       2,
       {u'\xCE9A'},
       {u'\xCE9A'}},
      {"lead before zero", std::string("\xB0\0", 2), 2, {kFffd, u'\0'}, {u'?', u'\0'}},
      {"lead before terminator", "\xB0", -1, {kFffd}, u"?"},
      {"lead at end", "A\xB0", 2, {u'A', kFffd}, u"A?"},
      {"length cuts a pair", "A\xB0\xA1", 2, {u'A', kFffd}, u"A?"},
      {"lone 0x80",
       "\x80"
       "A",
       2,
       {kFffd, u'A'},
       {0x0080, u'A'}},
      {"lone 0xFF", "\xFF\xB0\xA1", 3, {kFffd, u'가'}, u"\xF8F7가"},
      {"unmapped high pair",
       "\xC9\xA1"
       "A",
       3,
       {kFffd, u'A'},
       u"\xE000"
       u"A"},
      {"trail 0xFF",
       "\x81\xFF"
       "A",
       3,
       {kFffd, u'A'},
       u"?A"},
      {"unmapped pair then lead at end", "\xC9\xB0\xA1", 3, {kFffd, kFffd}, u"\xE00F?"},
      {"ASCII runs around pairs",
       "0123456789\xB0\xA1"
       "abcdefgh\xB3\xAA\x81",
       -1, u"0123456789가abcdefgh나\xFFFD", u"0123456789가abcdefgh나?"},
  };
  const bool wine = test_support::TablesUnderTest() == test_support::SystemTables::kWine;
  for (const DecodeCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::u16string expected = wine ? c.wine : c.ours;
    if (c.length == -1) expected.push_back(u'\0');
    EXPECT_EQ(Decode(c.bytes, c.length), expected);
  }
}

TEST(Cp949, EncodesUnitsWithoutACodePageFormAsQuestionMark) {
  CHATSIEVE_SKIP_ON_WINDOWS_ITSELF();
  const std::u16string units = {u'A', u'가', 0xD800, kFffd, 0x0080, 0x0E01, u'\0', 0x20AC};
  // Ours has no form for U+0080; the system converter maps it to the byte 0x80.
  const std::string expected = test_support::TablesUnderTest() == test_support::SystemTables::kWine
                                   ? std::string("A\xB0\xA1??\x80?\0\xA2\xE6", 10)
                                   : std::string("A\xB0\xA1????\0\xA2\xE6", 10);
  EXPECT_EQ(Encode(units, Length(units)), expected);
  EXPECT_EQ(Cp949DoubleByteOf(u'A'), 0);
  EXPECT_EQ(Cp949DoubleByteOf(0x0080), 0);
  EXPECT_EQ(Cp949DoubleByteOf(0xFFFF), 0);
}

TEST(Cp949, RandomBytesNeverGrow) {
  std::mt19937 random(949);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> length(1, 40);
  for (int round = 0; round < 5000; ++round) {
    std::string bytes(static_cast<size_t>(length(random)), '\0');
    // Mostly high bytes, so that leads meet every kind of trail.
    for (char& c : bytes)
      c = static_cast<char>(byte(random) | (byte(random) % 3 ? 0x80 : 0));
    const std::u16string units = Decode(bytes, Length(bytes));
    ASSERT_LE(units.size(), bytes.size()) << Hex(bytes);
    ASSERT_LE(Encode(units, Length(units)).size(), bytes.size()) << Hex(bytes);

    const std::string terminated = bytes.substr(0, bytes.find('\0'));
    const std::u16string with_terminator = Decode(terminated, -1);
    ASSERT_LE(with_terminator.size(), terminated.size() + 1) << Hex(bytes);
    ASSERT_EQ(with_terminator.find(u'\0'), with_terminator.size() - 1) << Hex(bytes);
  }
}

TEST(Cp949, ExplicitLengthAndTerminator) {
  const std::string bytes =
      "\xB0\xA1"
      "A";
  EXPECT_EQ(DecodeCp949(bytes.c_str(), -1, nullptr, 0), 3);
  EXPECT_EQ(DecodeCp949(bytes.c_str(), 3, nullptr, 0), 2);
  EXPECT_EQ(DecodeCp949(bytes.c_str(), 2, nullptr, 0), 1);
  const std::u16string units = u"가A";
  EXPECT_EQ(EncodeCp949(units.c_str(), -1, nullptr, 0), 4);
  EXPECT_EQ(EncodeCp949(units.c_str(), 2, nullptr, 0), 3);
  EXPECT_EQ(Encode(u"", -1), std::string(1, '\0'));
}

TEST(Cp949, InvalidArgumentsGiveZero) {
  char16_t units[8];
  char bytes[8];
  EXPECT_EQ(DecodeCp949(nullptr, 1, units, 8), 0);
  EXPECT_EQ(DecodeCp949("A", 0, units, 8), 0);
  EXPECT_EQ(DecodeCp949("A", -2, units, 8), 0);
  EXPECT_EQ(DecodeCp949("A", 1, units, -1), 0);
  EXPECT_EQ(EncodeCp949(nullptr, 1, bytes, 8), 0);
  EXPECT_EQ(EncodeCp949(u"A", 0, bytes, 8), 0);
  EXPECT_EQ(EncodeCp949(u"A", -2, bytes, 8), 0);
  EXPECT_EQ(EncodeCp949(u"A", 1, bytes, -1), 0);
}

// Fills a buffer with guards, converts with the given capacity and checks that nothing
// past it changed.
template <typename Unit, typename Convert>
void ExpectCapacityKept(int32_t size, Convert convert) {
  constexpr Unit kGuard = static_cast<Unit>(0x5A);
  for (const int32_t capacity : {size - 1, size}) {
    std::vector<Unit> buffer(static_cast<size_t>(size) + 4, kGuard);
    EXPECT_EQ(convert(buffer.data(), capacity), capacity == size ? size : 0) << capacity;
    for (size_t i = static_cast<size_t>(capacity); i < buffer.size(); ++i)
      ASSERT_EQ(buffer[i], kGuard) << "capacity " << capacity << ", index " << i;
  }
}

TEST(Cp949, OutputOneShortFailsWithoutWritingPastCapacity) {
  const std::string inputs[] = {"\xB0\xA1", "abcdefghijklmnopq\xB0\xA1",
                                "\x81"
                                "A\xFF\xC9\xA1"};
  for (const std::string& bytes : inputs) {
    SCOPED_TRACE(Hex(bytes));
    const int32_t units = DecodeCp949(bytes.c_str(), -1, nullptr, 0);
    ExpectCapacityKept<char16_t>(units, [&](char16_t* out, int32_t capacity) {
      return DecodeCp949(bytes.c_str(), -1, out, capacity);
    });
    const std::u16string text = Decode(bytes, -1);
    const int32_t size = EncodeCp949(text.c_str(), -1, nullptr, 0);
    ExpectCapacityKept<char>(size, [&](char* out, int32_t capacity) {
      return EncodeCp949(text.c_str(), -1, out, capacity);
    });
  }
}

}  // namespace
}  // namespace chatsieve::platform
