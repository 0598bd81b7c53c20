#include "engine/korean/lookalike_reading.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "text/hangul.h"

namespace chatsieve {
namespace {

// No run of ASCII letters and digits longer than this is read as shapes.
constexpr size_t kMaxShapeRun = 16;

// The first syllables of counters and units: 18세, 10분, 8강, 10진수, 18 개월.
constexpr std::u32string_view kCounters =
    U"세살년월일시분초개명번원층위점회차기대장권호등편주도배킬승패판연골만억천백조평인학강마가화"
    U"부곡줄칸단급표석잔통건벌종쪽면키달퍼프렙경박톤진비바픽글자행열때라";
// Particles after a number (10이, 18을), and the endings of units (18 시간, 18 센치).
constexpr std::u32string_view kParticles = U"이은는을를에의와과로으씩쯤정중뿐째까보처";
constexpr std::u32string_view kUnitEndings = U"간치터램러벨트";

bool Holds(std::u32string_view syllables, char32_t c) {
  return platform::IsSyllable(c) && syllables.find(c) != std::u32string_view::npos;
}

bool IsHangulLetter(char32_t c) {
  return platform::IsSyllable(c) || platform::IsCompatibilityJamo(c);
}

bool IsConsonantLetter(char32_t c) {
  return c >= 0x3131 && c <= 0x314E;
}

bool IsVowelLetter(char32_t c) {
  return c >= 0x314F && c <= 0x3163;
}

bool IsDigit(char32_t c) {
  return c - U'0' < 10;
}

bool IsAsciiLetterOrDigit(char32_t c) {
  return IsLatinLetter(c) || IsDigit(c);
}

// Joins digits into one number: 5.18, 18:30, 1/8, 18,000, 18-20, 18~20.
bool JoinsDigits(char32_t c) {
  return c == U'.' || c == U',' || c == U':' || c == U'/' || c == U'-' || c == U'~';
}

// May close a word that stands alone: 아 18!
bool ClosesWord(char32_t c) {
  return c == U'!' || c == U'?' || c == U'.' || c == U'~';
}

// The first character from `from` on that may begin a shape, or the count. The test is
// copied into locals, so that it stays in registers.
size_t NextThatMayStart(const LookalikeTable& table, const TextChars& chars, size_t from) {
  const ShapeStarts starts = table.Starts();
  const size_t count = chars.size();
  for (size_t k = from; k < count; ++k) {
    if (starts.MayStart(chars[k].code_point)) return k;
  }
  return count;
}

struct ShapeRead {
  const LookalikeShape* shape;
  size_t first;
  size_t end;
};

// One pass in place: what has been read is chars_[0, kept_), what is still to read is
// chars_[at_, size). Reading never lengthens the text, so kept_ never passes at_.
class LookalikeReader {
 public:
  LookalikeReader(const LookalikeTable& table, TextChars& chars) : table_(table), chars_(chars) {}

  // Most texts hold no shape: nothing moves before the first that may begin one, and
  // the characters between such places are moved, if at all, as a block.
  // Returns whether any shape was read.
  bool Read() {
    bool read_any = false;
    KeepUntil(RunStart(NextThatMayStart(table_, chars_, 0)));
    while (at_ < chars_.size()) {
      const char32_t c = At(at_);
      if (IsAsciiLetterOrDigit(c)) {
        size_t end = at_ + 1;
        while (end < chars_.size() && IsAsciiLetterOrDigit(At(end)))
          ++end;
        if (!table_.MayStart(c) || !(ReadNumber(end) || ReadShapes(end))) {
          KeepUntil(end);
        } else {
          read_any = true;
        }
      } else if (!table_.MayStart(c) || !ReadOtherShape()) {
        KeepUntil(at_ + 1);
      } else {
        read_any = true;
      }
      KeepUntil(RunStart(NextThatMayStart(table_, chars_, at_)));
    }
    chars_.resize(kept_);
    return read_any;
  }

 private:
  // A character still to read, 0 past the end.
  char32_t At(size_t k) const { return k < chars_.size() ? chars_[k].code_point : 0; }
  // The last character read, 0 before the first.
  char32_t Before() const { return kept_ > 0 ? chars_[kept_ - 1].code_point : 0; }

  // Where the run of ASCII letters and digits that `k` stands in starts (from at_ on):
  // a shape's ASCII letters are read only with their whole run.
  size_t RunStart(size_t k) const {
    while (k > at_ && IsAsciiLetterOrDigit(At(k - 1)))
      --k;
    return k;
  }

  void KeepUntil(size_t end) {
    if (kept_ != at_)
      std::copy(chars_.begin() + static_cast<ptrdiff_t>(at_),
                chars_.begin() + static_cast<ptrdiff_t>(end),
                chars_.begin() + static_cast<ptrdiff_t>(kept_));
    kept_ += end - at_;
    at_ = end;
  }
  // Reads chars_[first, end) as one character. Everything after `first` is still unread.
  void Write(char32_t code_point, size_t first, size_t end) {
    const TextChar read{code_point, chars_[first].begin, chars_[end - 1].end};
    chars_[kept_++] = read;
  }

  const LookalikeShape* ShapeAt(size_t k, size_t end) const {
    return table_.LongestAt([&](size_t n) { return At(k + n); }, end - k);
  }
  bool VowelAt(size_t k) const {
    if (IsVowelLetter(At(k))) return true;
    const LookalikeShape* shape = k < chars_.size() ? ShapeAt(k, chars_.size()) : nullptr;
    return shape != nullptr && shape->kind == ShapeKind::kVowel;
  }

  // The run [at_, end) touches a Hangul letter, or, when it may be a word of its own,
  // stands as a word between Hangul words (or a Hangul word and the text's end) with
  // spaces, and perhaps ! ? . ~ after it.
  bool AmongHangul(size_t end, bool may_stand_alone) const {
    if (IsHangulLetter(Before()) || IsHangulLetter(At(end))) return true;
    if (!may_stand_alone) return false;
    bool hangul = false;
    size_t k = kept_;
    if (k > 0) {
      if (chars_[k - 1].code_point != U' ') return false;
      while (k > 0 && chars_[k - 1].code_point == U' ')
        --k;
      if (k > 0 && !IsHangulLetter(chars_[k - 1].code_point)) return false;
      hangul = k > 0;
    }
    k = end;
    while (k < chars_.size() && ClosesWord(At(k)))
      ++k;
    while (k < chars_.size() && At(k) == U' ')
      ++k;
    if (k == chars_.size()) return hangul;
    return k > end && IsHangulLetter(At(k));
  }

  bool JoinedToDigits(size_t end) const {
    if (kept_ >= 2 && JoinsDigits(Before()) && IsDigit(chars_[kept_ - 2].code_point)) return true;
    const char32_t after = At(end);
    return after == U'%' || after == U'+' || (JoinsDigits(after) && IsDigit(At(end + 1)));
  }

  bool StaysNumber(size_t end) const {
    size_t k = end;
    while (At(k) == U' ')
      ++k;
    return KeepsNumber(At(k), At(k + 1), k > end);
  }

  bool ReadNumber(size_t end) {
    if (!IsDigit(At(at_)) || end - at_ > kMaxShapeLength) return false;
    const LookalikeShape* number = ShapeAt(at_, end);
    if (number == nullptr || number->kind != ShapeKind::kNumber ||
        number->shape.size() != end - at_ || JoinedToDigits(end) ||
        !AmongHangul(end, number->read_as.size() > 1) || StaysNumber(end)) {
      return false;
    }
    const std::u32string& syllables = number->read_as;
    for (size_t k = 0; k < syllables.size(); ++k)
      Write(syllables[k], at_ + k, k + 1 == syllables.size() ? end : at_ + k + 1);
    at_ = end;
    return true;
  }

  // Digits alone between two Hangul letters are left to the digits reading (ㅅ1ㅂ is
  // ㅅㅂ, 씨71발 is 씨발), which they would otherwise hide, unless a vowel jamo after
  // them makes them a syllable's lead (쓰레7ㅣ).
  bool LeftToDigits(size_t end) const {
    return IsHangulLetter(Before()) && IsHangulLetter(At(end)) && !IsVowelLetter(At(end));
  }
  bool AllDigits(size_t end) const {
    for (size_t k = at_; k < end; ++k) {
      if (!IsDigit(At(k))) return false;
    }
    return true;
  }

  bool ReadShapes(size_t end) {
    if (end - at_ > kMaxShapeRun || (LeftToDigits(end) && AllDigits(end))) return false;
    for (size_t k = at_; k < end; ++k) {
      if (!table_.HoldsAscii(At(k))) return false;
    }
    std::array<ShapeRead, kMaxShapeRun> read{};
    size_t count = 0;
    for (size_t k = at_; k < end;) {
      const LookalikeShape* shape = ShapeAt(k, end);
      if (shape == nullptr || shape->kind == ShapeKind::kNumber) return false;
      read[count++] = {shape, k, k + shape->shape.size()};
      k += shape->shape.size();
    }
    for (size_t i = 0; i < count; ++i) {
      const bool counts =
          read[i].shape->kind == ShapeKind::kConsonant
              ? (i + 1 < count ? read[i + 1].shape->kind == ShapeKind::kVowel : VowelAt(end))
              : (i > 0 ? read[i - 1].shape->kind == ShapeKind::kConsonant
                       : IsConsonantLetter(Before()));
      if (!counts) return false;
    }
    if (read[0].shape->kind == ShapeKind::kConsonant && !AmongHangul(end, true)) return false;
    for (size_t i = 0; i < count; ++i)
      Write(read[i].shape->read_as.front(), read[i].first, read[i].end);
    at_ = end;
    return true;
  }

  bool ReadOtherShape() {
    const LookalikeShape* shape = ShapeAt(at_, chars_.size());
    if (shape == nullptr) return false;
    const size_t end = at_ + shape->shape.size();
    const bool counts = shape->kind == ShapeKind::kVowel
                            ? IsConsonantLetter(Before())
                            : IsHangulLetter(Before()) || IsHangulLetter(At(end)) || VowelAt(end);
    if (!counts) return false;
    Write(shape->read_as.front(), at_, end);
    at_ = end;
    return true;
  }

  const LookalikeTable& table_;
  TextChars& chars_;
  size_t at_ = 0;
  size_t kept_ = 0;
};

}  // namespace

bool KeepsNumber(char32_t next, char32_t after_next, bool spaced) {
  if (!spaced) return Holds(kCounters, next) || Holds(kParticles, next);
  return Holds(kCounters, next) &&
         (!platform::IsSyllable(after_next) || Holds(kCounters, after_next) ||
          Holds(kParticles, after_next) || Holds(kUnitEndings, after_next));
}

bool ReadLookalikes(const LookalikeTable& table, TextChars& chars) {
  return LookalikeReader(table, chars).Read();
}

}  // namespace chatsieve
