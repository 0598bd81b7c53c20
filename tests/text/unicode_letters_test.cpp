#include "text/unicode_letters.h"

#include <gtest/gtest.h>

#include "support/system_converter.h"

namespace chatsieve::platform {
namespace {

struct LetterCase {
  char16_t unit;
  bool expected;
  const char* what;
};

TEST(UnicodeLetters, FollowsTheGeneralCategory) {
  CHATSIEVE_SKIP_ON_WINDOWS_ITSELF();
  const LetterCase cases[] = {
      {0x0041, true, "Latin capital A"},
      {0x00E9, true, "e with acute (Ll)"},
      {0x00D7, false, "multiplication sign (Sm)"},
      {0x0100, true, "A with macron, first unit past Latin-1"},
      {0x01C5, true, "Dz digraph (Lt)"},
      {0x02B0, true, "modifier letter h (Lm)"},
      {0x0301, false, "combining acute (Mn)"},
      {0x0378, false, "unassigned in Greek"},
      {0x03A9, true, "Greek Omega"},
      {0x0416, true, "Cyrillic Zhe"},
      {0x0628, true, "Arabic beh"},
      {0x0660, true, "Arabic-Indic zero (Nd)"},
      {0x0915, true, "Devanagari ka"},
      {0x0966, true, "Devanagari zero (Nd)"},
      {0x2014, false, "em dash"},
      {0x2160, test_support::ByTables(false, true), "Roman numeral one (Nl): wine calls it alpha"},
      {0x3000, false, "ideographic space"},
      {0x3042, true, "Hiragana a"},
      {0x3131, true, "Hangul compatibility jamo"},
      {0x3400, true, "first CJK extension A ideograph"},
      {0x4DBF, true, "last CJK extension A ideograph"},
      {0x4DC0, false, "hexagram symbol"},
      {0x4E00, true, "first CJK ideograph"},
      {0x9FFF, true, "last CJK ideograph"},
      {0xAC00, true, "first Hangul syllable"},
      {0xD7A3, true, "last Hangul syllable"},
      {0xD7A4, false, "unassigned after the syllables"},
      {0xD800, false, "high surrogate"},
      {0xDFFF, false, "low surrogate"},
      {0xE000, false, "private use"},
      {0xFF01, false, "fullwidth exclamation mark"},
      {0xFF10, true, "fullwidth digit zero"},
      {0xFF21, true, "fullwidth capital A"},
      {0xFFDC, true, "last halfwidth Hangul letter"},
      {0xFFFD, false, "replacement character"},
      {0xFFFF, false, "noncharacter U+FFFF"},
  };
  for (const LetterCase& c : cases) {
    EXPECT_EQ(IsUnicodeLetterOrDigit(c.unit), c.expected)
        << "U+" << std::hex << static_cast<int>(c.unit) << " " << c.what;
  }
}

}  // namespace
}  // namespace chatsieve::platform
