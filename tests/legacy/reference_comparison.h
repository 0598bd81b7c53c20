// Every legacy operation of an index on one text, held against the reference engine:
// detection at each level and of the stripped text, both masking passes and the level
// composition, and in-place masking, in UTF-16 and, where the text has one, in its code
// page 949 form. Destinations get a few guard units past their capacity, and the whole
// buffers, guards included, must agree.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "legacy/bad_chat_man.h"
#include "legacy/detection_test_support.h"
#include "legacy/level_masking.h"
#include "reference_engine.h"

namespace chatsieve::test_support {

template <typename Char>
void ExpectMaskingAsReference(const BadChatMan& filter, const reference::ReferenceEngine& engine,
                              const std::basic_string<Char>& text, Char mask) {
  using Text = std::basic_string<Char>;
  using Capacity = std::conditional_t<sizeof(Char) == 1, int32_t, uint32_t>;
  // Room for the text, and a little less than it takes.
  for (const size_t room : {text.size() + 3, text.size()}) {
    const auto capacity = static_cast<Capacity>(room);
    const Text guarded(room + 4, Char{'#'});
    for (const bool keep_all : {true, false}) {
      Text by_library = guarded;
      Text by_reference = guarded;
      const MaskedUnits units = keep_all ? MaskedUnits::kAll : MaskedUnits::kKeptOnly;
      EXPECT_EQ(MaskWords(filter.Keys(), text.c_str(), by_library.data(), capacity, mask, units),
                engine.Pass(text.c_str(), by_reference.data(), capacity, mask, keep_all))
          << "keep_all " << keep_all << ", room " << room;
      EXPECT_EQ(by_library, by_reference) << "keep_all " << keep_all << ", room " << room;
    }
    for (const int32_t level : {1, 2, 3}) {
      Text by_library = guarded;
      Text by_reference = guarded;
      EXPECT_EQ(MaskAtLevel(filter.Keys(), level, text.c_str(), by_library.data(), capacity, mask),
                engine.Mask(level, text.c_str(), by_reference.data(), capacity, mask))
          << "level " << level << ", room " << room;
      EXPECT_EQ(by_library, by_reference) << "level " << level << ", room " << room;
    }
  }
  Text by_library(text.size() + 1, Char{'#'});
  Text by_reference = by_library;
  EXPECT_EQ(MaskStrippedWords(filter.Keys(), text.c_str(), by_library.data()),
            engine.MaskInPlace(text.c_str(), by_reference.data()));
  EXPECT_EQ(by_library, by_reference) << "in place";
}

template <typename Char>
void ExpectDetectionAsReference(const BadChatMan& filter, const reference::ReferenceEngine& engine,
                                const Char* text) {
  for (const int32_t level : {1, 2, 3})
    EXPECT_EQ(DetectAtLevel(filter.Keys(), level, text), engine.Detect(level, text))
        << "level " << level;
}

// Returns whether the reference finds a word in the text at level 2.
inline bool ExpectAsReference(const BadChatMan& filter, const reference::ReferenceEngine& engine,
                              const std::u16string& text, char16_t mask = u'*') {
  SCOPED_TRACE(::testing::Message() << "text of " << text.size() << " units");
  ExpectDetectionAsReference(filter, engine, text.c_str());
  EXPECT_EQ(HoldsListedWord(filter.Keys(), text.c_str(), Scan::kStripped) != 0,
            engine.Holds(text, true));
  ExpectMaskingAsReference(filter, engine, text, mask);
  if (const auto narrow = NarrowFormOf(text)) {
    SCOPED_TRACE("code page 949");
    ExpectDetectionAsReference(filter, engine, narrow->c_str());
    ExpectMaskingAsReference(filter, engine, *narrow, static_cast<char>(mask));
  }
  return engine.Detect(2, text.c_str()) != 0;
}

}  // namespace chatsieve::test_support
