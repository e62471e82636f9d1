#include "platform/runtime/text_reader.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>

#include "platform/runtime/case_fold.h"
#include "platform/runtime/checked_int16.h"
#include "platform/runtime/path_resolver.h"
#include "platform/runtime/runtime_error.h"
#include "platform/runtime/val.h"

namespace tf {

namespace {

constexpr char kEndOfFileMark = '\x1A';

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

bool IsDigits(std::string_view text, size_t count) {
  if (text.size() != count) {
    return false;
  }
  for (char c : text) {
    if (c < '0' || c > '9') {
      return false;
    }
  }
  return true;
}

int NumberOf(std::string_view digits) {
  int value = 0;
  for (char c : digits) {
    value = value * 10 + (c - '0');
  }
  return value;
}

// "yyyy-mm-dd"
bool IsDatePart(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !IsDigits(text.substr(0, 4), 4) ||
      !IsDigits(text.substr(5, 2), 2) || !IsDigits(text.substr(8, 2), 2)) {
    return false;
  }
  int month = NumberOf(text.substr(5, 2));
  int day = NumberOf(text.substr(8, 2));
  return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

// "hh:mm:ss"
bool IsTimePart(std::string_view text) {
  if (text.size() != 8 || text[2] != ':' || text[5] != ':' || !IsDigits(text.substr(0, 2), 2) ||
      !IsDigits(text.substr(3, 2), 2) || !IsDigits(text.substr(6, 2), 2)) {
    return false;
  }
  return NumberOf(text.substr(0, 2)) < 24 && NumberOf(text.substr(3, 2)) < 60 &&
         NumberOf(text.substr(6, 2)) < 60;
}

bool IsDateText(std::string_view text) {
  if (text.size() == 19 && text[10] == ' ') {
    return IsDatePart(text.substr(0, 10)) && IsTimePart(text.substr(11));
  }
  return IsDatePart(text) || IsTimePart(text);
}

// "#ERROR n#" without its # signs.
std::optional<int32_t> ErrorNumberOf(std::string_view inner) {
  constexpr std::string_view kPrefix = "error ";
  if (FoldCase(inner.substr(0, kPrefix.size())) != kPrefix) {
    return std::nullopt;
  }
  std::optional<NumberText> number = ParseNumber(inner.substr(kPrefix.size()));
  if (!number || !number->whole) {
    return std::nullopt;
  }
  return ToInt32(number->value);
}

Variant NumberVariant(const NumberText& number) {
  if (number.whole && number.value >= INT16_MIN && number.value <= INT16_MAX) {
    return Variant::Integer(static_cast<int16_t>(number.value));
  }
  if (number.whole && number.value >= INT32_MIN && number.value <= INT32_MAX) {
    return Variant::Long(static_cast<int32_t>(number.value));
  }
  return Variant::Double(number.value);
}

// The general value an unquoted text stands for.
Variant ClassifyUnquoted(std::string_view text) {
  if (text.empty()) {
    return Variant::Empty();
  }
  if (std::optional<NumberText> number = ParseNumber(text)) {
    return NumberVariant(*number);
  }
  if (text.size() >= 2 && text.front() == '#' && text.back() == '#') {
    std::string_view inner = text.substr(1, text.size() - 2);
    std::string folded = FoldCase(inner);
    if (folded == "true" || folded == "false") {
      return Variant::Boolean(folded == "true");
    }
    if (folded == "null") {
      return Variant::Null();
    }
    if (std::optional<int32_t> error = ErrorNumberOf(inner)) {
      return Variant::Error(*error);
    }
    if (IsDateText(inner)) {
      return Variant::Date(std::string(inner));
    }
  }
  return Variant::String(std::string(text));
}

}  // namespace

TextReader::TextReader(std::string bytes) : bytes_(std::move(bytes)) {
  end_ = std::min(bytes_.find(kEndOfFileMark), bytes_.size());
}

TextReader TextReader::Open(const std::string& storedPath) {
  return TextReader(ReadStoredFile(storedPath));
}

TextReader TextReader::FromBytes(std::string bytes) { return TextReader(std::move(bytes)); }

bool TextReader::HasMoreData() const { return pos_ < end_; }

void TextReader::SkipBlanks() {
  while (pos_ < end_ && IsBlank(bytes_[pos_])) {
    ++pos_;
  }
}

std::string_view TextReader::ScanUntil(bool stopAtBlank) {
  size_t start = pos_;
  while (pos_ < end_) {
    char c = bytes_[pos_];
    if (c == ',' || IsLineEnd(c) || (stopAtBlank && IsBlank(c))) {
      break;
    }
    ++pos_;
  }
  std::string_view value(bytes_.data() + start, pos_ - start);
  size_t last = value.find_last_not_of(" \t");
  return last == std::string_view::npos ? std::string_view() : value.substr(0, last + 1);
}

void TextReader::ConsumeSeparator() {
  SkipBlanks();
  if (pos_ >= end_) {
    return;
  }
  if (bytes_[pos_] == ',' || bytes_[pos_] == '\n') {
    ++pos_;
  } else if (bytes_[pos_] == '\r') {
    ++pos_;
    if (pos_ < end_ && bytes_[pos_] == '\n') {
      ++pos_;
    }
  }
}

TextReader::RawValue TextReader::ReadRaw(Termination termination) {
  SkipBlanks();
  if (pos_ >= end_) {
    RaiseError(kErrInputPastEndOfFile);
  }
  RawValue value;
  if (bytes_[pos_] == '"') {
    size_t start = pos_ + 1;
    size_t close = std::min(bytes_.find('"', start), end_);
    value.text = bytes_.substr(start, close - start);
    value.quoted = true;
    pos_ = std::min(close + 1, end_);
  } else if (termination == Termination::Variant) {
    size_t start = pos_;
    std::string_view number = ScanUntil(true);
    if (ParseNumber(number)) {
      value.text = number;
    } else {
      pos_ = start;
      value.text = ScanUntil(false);
    }
  } else {
    value.text = ScanUntil(termination == Termination::Number);
  }
  ConsumeSeparator();
  return value;
}

std::string TextReader::ReadText() { return ReadRaw(Termination::Text).text; }

int16_t TextReader::ReadInt16() {
  RawValue value = ReadRaw(Termination::Number);
  if (value.text.empty()) {
    return 0;
  }
  std::optional<NumberText> number = ParseNumber(value.text);
  if (!number) {
    RaiseError(kErrTypeMismatch, value.text);
  }
  return ToInt16(number->value);
}

bool TextReader::ReadBool() {
  RawValue value = ReadRaw(Termination::Variant);
  std::string folded = FoldCase(value.text);
  if (folded == "#true#" || folded == "true") {
    return true;
  }
  if (folded == "#false#" || folded == "false" || folded.empty()) {
    return false;
  }
  std::optional<NumberText> number = ParseNumber(value.text);
  if (!number) {
    RaiseError(kErrTypeMismatch, value.text);
  }
  return number->value != 0;
}

Variant TextReader::ReadVariant() {
  RawValue value = ReadRaw(Termination::Variant);
  if (value.quoted) {
    return Variant::String(std::move(value.text));
  }
  return ClassifyUnquoted(value.text);
}

}  // namespace tf
