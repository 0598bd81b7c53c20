#include "wordfile/bad_word.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>

#include "text/cp949.h"
#include "wordfile/word_rules.h"

namespace chatsieve {

int32_t BadWord::BuildFromNarrow(const char* text, bool collapse) {
  const size_t length = std::strlen(text);
  if (length >= INT32_MAX) return -1;
  narrow_length_ = static_cast<int32_t>(length);
  narrow_text_.reset(new (std::nothrow) char[length + 1]);
  if (!narrow_text_) return -1;
  if (collapse) {
    narrow_length_ = CollapseSpaces(text, narrow_text_.get(), narrow_length_);
  } else {
    std::memcpy(narrow_text_.get(), text, length);
  }
  narrow_text_[narrow_length_] = 0;
  if (!ConvertNarrowText()) return -1;
  return narrow_length_;
}

bool BadWord::ConvertNarrowText() {
  const int32_t needed = platform::DecodeCp949(narrow_text_.get(), -1, nullptr, 0);
  if (needed <= 0) return false;
  wide_text_.reset(new (std::nothrow) char16_t[static_cast<size_t>(needed)]);
  if (!wide_text_) return false;
  const int32_t converted = platform::DecodeCp949(narrow_text_.get(), -1, wide_text_.get(), needed);
  if (converted <= 1) {
    wide_text_.reset();
    wide_length_ = 0;
  } else {
    wide_length_ = converted - 1;
  }
  return true;
}

int32_t BadWord::BuildFromWide(const char16_t* text) {
  const size_t length = std::char_traits<char16_t>::length(text);
  if (length >= INT32_MAX) return -1;
  wide_text_.reset(new (std::nothrow) char16_t[length + 1]);
  if (!wide_text_) return -1;
  std::copy_n(text, length + 1, wide_text_.get());
  wide_length_ = static_cast<int32_t>(length);
  return wide_length_;
}

int32_t BadWord::TextLength() const {
  if (!wide_text_) return 0;
  const char16_t* begin = wide_text_.get();
  return static_cast<int32_t>(std::find(begin, begin + wide_length_, u'\0') - begin);
}

}  // namespace chatsieve
