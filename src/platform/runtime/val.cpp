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

struct DecimalParts {
  bool negative = false;
  std::string intDigits;
  std::string fracDigits;
  bool hasPoint = false;
  bool hasExponentMark = false;
  bool exponentNegative = false;
  std::string exponentDigits;

  bool HasMantissa() const { return !intDigits.empty() || !fracDigits.empty(); }
};

std::string ReadDigits(Cursor& in) {
  std::string digits;
  while (IsDigit(in.Peek())) {
    digits += in.Peek();
    in.Next();
  }
  return digits;
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
  parts.intDigits = ReadDigits(in);
  if (in.Peek() == '.') {
    parts.hasPoint = true;
    in.Next();
    parts.fracDigits = ReadDigits(in);
  }
  char mark = in.Peek();
  if (parts.HasMantissa() && (mark == 'E' || mark == 'e' || mark == 'D' || mark == 'd')) {
    parts.hasExponentMark = true;
    in.Next();
    parts.exponentNegative = ReadSign(in);
    parts.exponentDigits = ReadDigits(in);
  }
  return parts;
}

// Power of ten of the leading digit, used to tell overflow from underflow.
long long DecimalMagnitude(const DecimalParts& parts, long long exponent) {
  size_t firstInt = parts.intDigits.find_first_not_of('0');
  if (firstInt != std::string::npos) {
    return static_cast<long long>(parts.intDigits.size() - firstInt) + exponent;
  }
  size_t firstFrac = parts.fracDigits.find_first_not_of('0');
  return exponent - static_cast<long long>(firstFrac);
}

double DecimalValue(const DecimalParts& parts) {
  long long exponent = 0;
  for (char c : parts.exponentDigits) {
    exponent = std::min(exponent * 10 + (c - '0'), kExponentCap);
  }
  if (parts.exponentNegative) {
    exponent = -exponent;
  }
  std::string text = parts.intDigits.empty() ? "0" : parts.intDigits;
  if (!parts.fracDigits.empty()) {
    text += "." + parts.fracDigits;
  }
  text += "e" + std::to_string(exponent);

  double value = 0;
  auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    if (DecimalMagnitude(parts, exponent) > 0) {
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
  return parts.HasMantissa() ? DecimalValue(parts) : 0;
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
  if (!in.AtEnd() || !parts.HasMantissa() ||
      (parts.hasExponentMark && parts.exponentDigits.empty())) {
    return std::nullopt;
  }
  return NumberText{DecimalValue(parts), !parts.hasPoint && !parts.hasExponentMark};
}

}  // namespace tf
