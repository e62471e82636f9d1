#include "platform/runtime/val.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string>

#include "platform/runtime/runtime_error.h"

namespace tf {

namespace {

constexpr long long kExponentCap = 100000;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int DigitValue(char c, int base) {
  int digit = -1;
  if (IsDigit(c)) {
    digit = c - '0';
  } else if (c >= 'a' && c <= 'f') {
    digit = c - 'a' + 10;
  } else if (c >= 'A' && c <= 'F') {
    digit = c - 'A' + 10;
  }
  return digit < base ? digit : -1;
}

// Walks the characters of a number; Val skips blanks between them, the strict
// parse does not.
class Cursor {
 public:
  Cursor(std::string_view text, bool skipInnerBlanks)
      : text_(text), skipInnerBlanks_(skipInnerBlanks) {}

  char Peek() {
    if (skipInnerBlanks_) {
      SkipBlanks();
    }
    return pos_ < text_.size() ? text_[pos_] : '\0';
  }
  void Next() { ++pos_; }
  void SkipBlanks() {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) {
      ++pos_;
    }
  }
  bool AtEnd() const { return pos_ >= text_.size(); }

 private:
  std::string_view text_;
  bool skipInnerBlanks_;
  size_t pos_ = 0;
};

// Significant digits beyond these can't change a double: the longest
// decimal that decides a rounding has 767 of them. The rest are counted, and
// a non-zero one among them is kept as one more digit, so that the rounding
// still sees it.
constexpr size_t kKeptDigits = 800;

// The digits of a number as far as they matter: its value is `significant`
// (without leading zeros) times ten to the `shift`, whatever the length of
// the text.
struct DecimalParts {
  bool negative = false;
  bool hasDigits = false;
  std::string significant;
  long long shift = 0;
  bool droppedNonZero = false;
  bool hasPoint = false;
  bool hasExponentMark = false;
  bool exponentNegative = false;
  bool hasExponentDigits = false;
  long long exponent = 0;  // capped at kExponentCap

  void AddDigit(char c, bool fraction) {
    hasDigits = true;
    if (significant.empty() && c == '0') {
      if (fraction) --shift;
    } else if (significant.size() < kKeptDigits) {
      significant += c;
      if (fraction) --shift;
    } else {
      droppedNonZero = droppedNonZero || c != '0';
      if (!fraction) ++shift;
    }
  }
};

void ReadDigits(Cursor& in, DecimalParts& parts, bool fraction) {
  while (IsDigit(in.Peek())) {
    parts.AddDigit(in.Peek(), fraction);
    in.Next();
  }
}

bool ReadSign(Cursor& in) {
  char c = in.Peek();
  if (c == '+' || c == '-') {
    in.Next();
    return c == '-';
  }
  return false;
}

DecimalParts ScanDecimal(Cursor& in) {
  DecimalParts parts;
  parts.negative = ReadSign(in);
  ReadDigits(in, parts, false);
  if (in.Peek() == '.') {
    parts.hasPoint = true;
    in.Next();
    ReadDigits(in, parts, true);
  }
  char mark = in.Peek();
  if (parts.hasDigits && (mark == 'E' || mark == 'e' || mark == 'D' || mark == 'd')) {
    parts.hasExponentMark = true;
    in.Next();
    parts.exponentNegative = ReadSign(in);
    while (IsDigit(in.Peek())) {
      parts.hasExponentDigits = true;
      parts.exponent = std::min(parts.exponent * 10 + (in.Peek() - '0'), kExponentCap);
      in.Next();
    }
  }
  return parts;
}

double DecimalValue(const DecimalParts& parts) {
  if (parts.significant.empty()) return 0;
  std::string text = parts.significant;
  long long power = parts.shift + (parts.exponentNegative ? -parts.exponent : parts.exponent);
  if (parts.droppedNonZero) {
    text += '1';
    --power;
  }
  // Far beyond a double's range either way, whatever the digits.
  constexpr long long kPowerCap = 10 * kExponentCap;
  power = std::clamp(power, -kPowerCap, kPowerCap);
  // The digits before the decimal point, fewer than none for a fraction.
  const long long wholeDigits = static_cast<long long>(text.size()) + power;
  text += "e" + std::to_string(power);

  double value = 0;
  auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // Too large at 1 or more; below, too small to hold, and so 0.
    if (wholeDigits > 0) {
      RaiseError(kErrOverflow);
    }
    value = 0;
  }
  return parts.negative && value != 0 ? -value : value;
}

// &H / &O literals: up to 16 bits they read as a signed Integer, up to 32 bits
// as a signed Long (so "&HFFFF" is -1).
double RadixValue(Cursor& in, int base) {
  uint64_t value = 0;
  for (int digit = DigitValue(in.Peek(), base); digit >= 0; digit = DigitValue(in.Peek(), base)) {
    value = value * base + digit;
    if (value > UINT32_MAX) {
      RaiseError(kErrOverflow);
    }
    in.Next();
  }
  if (value <= UINT16_MAX) {
    return static_cast<int16_t>(static_cast<uint16_t>(value));
  }
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

}  // namespace

double Val(std::string_view text) {
  Cursor in(text, true);
  if (in.Peek() == '&') {
    in.Next();
    char prefix = in.Peek();
    if (prefix == 'H' || prefix == 'h') {
      in.Next();
      return RadixValue(in, 16);
    }
    if (prefix == 'O' || prefix == 'o') {
      in.Next();
      return RadixValue(in, 8);
    }
    return 0;
  }
  DecimalParts parts = ScanDecimal(in);
  return parts.hasDigits ? DecimalValue(parts) : 0;
}

namespace {

// Plain whole numbers (an optional sign and up to 15 digits, exact in a
// double) make up nearly every value of a data file; they skip the general
// scan.
std::optional<NumberText> ParseWholeNumber(std::string_view text) {
  size_t first = 0;
  while (first < text.size() && IsBlank(text[first])) ++first;
  size_t last = text.size();
  while (last > first && IsBlank(text[last - 1])) --last;
  const bool negative = first < last && text[first] == '-';
  if (first < last && (text[first] == '-' || text[first] == '+')) ++first;
  if (first == last || last - first > 15) return std::nullopt;
  int64_t value = 0;
  for (size_t i = first; i < last; ++i) {
    if (!IsDigit(text[i])) return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  return NumberText{static_cast<double>(negative ? -value : value), true};
}

}  // namespace

std::optional<NumberText> ParseNumber(std::string_view text) {
  if (std::optional<NumberText> whole = ParseWholeNumber(text)) return whole;
  Cursor in(text, false);
  in.SkipBlanks();
  DecimalParts parts = ScanDecimal(in);
  in.SkipBlanks();
  if (!in.AtEnd() || !parts.hasDigits || (parts.hasExponentMark && !parts.hasExponentDigits)) {
    return std::nullopt;
  }
  return NumberText{DecimalValue(parts), !parts.hasPoint && !parts.hasExponentMark};
}

}  // namespace tf
