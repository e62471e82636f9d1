#include "platform/runtime/text_reader.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
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
constexpr size_t kBlockSize = 64 * 1024;

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
Variant ClassifyUnquoted(std::string text) {
  if (text.empty()) {
    return Variant::Empty();
  }
  if (std::optional<NumberText> number = ParseNumber(text)) {
    return NumberVariant(*number);
  }
  if (text.size() >= 2 && text.front() == '#' && text.back() == '#') {
    std::string_view inner = std::string_view(text).substr(1, text.size() - 2);
    if (EqualsFolded(inner, "true") || EqualsFolded(inner, "false")) {
      return Variant::Boolean(EqualsFolded(inner, "true"));
    }
    if (EqualsFolded(inner, "null")) {
      return Variant::Null();
    }
    if (std::optional<int32_t> error = ErrorNumberOf(inner)) {
      return Variant::Error(*error);
    }
    if (IsDateText(inner)) {
      return Variant::Date(std::string(inner));
    }
  }
  return Variant::String(std::move(text));
}

}  // namespace

TextReader::TextReader(std::string bytes, std::unique_ptr<std::ifstream> file, uintmax_t fileSize,
                       std::string storedPath)
    : block_(std::move(bytes)),
      file_(std::move(file)),
      fileSize_(fileSize),
      storedPath_(std::move(storedPath)) {
  size_t mark = block_.find(kEndOfFileMark);
  if (mark != std::string::npos) block_.resize(mark);
}

TextReader TextReader::Open(const std::string& storedPath) {
  // A small file comes whole (and is kept for the rest of a frame opening);
  // a larger one is read a block at a time.
  if (std::optional<std::string> bytes = ReadStoredFileUpTo(storedPath, kBlockSize))
    return FromBytes(std::move(*bytes));
  std::filesystem::path path = ResolvePath(storedPath);
  std::error_code error;
  const uintmax_t size = std::filesystem::file_size(path, error);
  if (error) RaiseError(kErrFileNotFound, storedPath);
  auto file = std::make_unique<std::ifstream>(path, std::ios::binary);
  if (!file->is_open()) {
    RaiseError(kErrFileNotFound, storedPath);
  }
  return TextReader({}, std::move(file), size, storedPath);
}

TextReader TextReader::FromBytes(std::string bytes) {
  return TextReader(std::move(bytes), nullptr, 0, {});
}

bool TextReader::Fill() {
  if (pos_ < block_.size()) {
    return true;
  }
  if (!file_) {
    return false;
  }
  blockStart_ += block_.size();
  block_.resize(kBlockSize);
  file_->read(block_.data(), kBlockSize);
  if (file_->bad()) {
    RaiseError(kErrFileNotFound, storedPath_);
  }
  block_.resize(static_cast<size_t>(file_->gcount()));
  pos_ = 0;
  size_t mark = block_.find(kEndOfFileMark);
  if (mark != std::string::npos) {
    block_.resize(mark);
  }
  if (mark != std::string::npos || block_.size() < kBlockSize) {
    file_.reset();
  }
  return !block_.empty();
}

bool TextReader::HasMoreData() { return Fill(); }

void TextReader::SkipBlanks() {
  while (Fill() && IsBlank(block_[pos_])) {
    ++pos_;
  }
}

void TextReader::Append(std::string* value, size_t from, size_t count) const {
  if (!value) return;
  if (file_ && value->size() < kBlockSize && value->size() + count >= kBlockSize) {
    uintmax_t consumed = blockStart_ + from;
    if (fileSize_ > consumed) {
      value->reserve(value->size() + static_cast<size_t>(fileSize_ - consumed));
    }
  }
  value->append(block_, from, count);
}

void TextReader::ScanUntil(bool stopAtBlank, std::string* value) {
  while (Fill()) {
    size_t start = pos_;
    while (pos_ < block_.size()) {
      char c = block_[pos_];
      if (c == ',' || IsLineEnd(c) || (stopAtBlank && IsBlank(c))) {
        break;
      }
      ++pos_;
    }
    Append(value, start, pos_ - start);
    if (pos_ < block_.size()) {
      return;
    }
  }
}

void TextReader::ScanQuoted(std::string* value) {
  while (Fill()) {
    size_t close = block_.find('"', pos_);
    size_t stop = close == std::string::npos ? block_.size() : close;
    Append(value, pos_, stop - pos_);
    pos_ = stop;
    if (close != std::string::npos) {
      return;
    }
  }
}

void TextReader::ConsumeSeparator() {
  SkipBlanks();
  if (!Fill()) {
    return;
  }
  if (block_[pos_] == ',' || block_[pos_] == '\n') {
    ++pos_;
  } else if (block_[pos_] == '\r') {
    ++pos_;
    if (Fill() && block_[pos_] == '\n') {
      ++pos_;
    }
  }
}

TextReader::RawValue TextReader::ReadRaw(Termination termination, bool keep) {
  SkipBlanks();
  if (!Fill()) {
    RaiseError(kErrInputPastEndOfFile);
  }
  RawValue value;
  std::string* text = keep ? &value.text : nullptr;
  if (block_[pos_] == '"') {
    ++pos_;
    ScanQuoted(text);
    if (Fill()) {
      ++pos_;
    }
    value.quoted = true;
  } else {
    // A general value that isn't a number goes on past blanks, like text.
    ScanUntil(termination != Termination::Text, text);
    if (termination == Termination::Variant && !ParseNumber(value.text)) {
      ScanUntil(false, text);
    }
    value.text.erase(value.text.find_last_not_of(" \t") + 1);
  }
  // Gives back the room that a long value reserved beyond its end.
  if (value.text.capacity() > 2 * value.text.size() + kBlockSize) {
    value.text.shrink_to_fit();
  }
  ConsumeSeparator();
  return value;
}

std::string TextReader::ReadText() { return ReadRaw(Termination::Text).text; }

void TextReader::SkipText() { ReadRaw(Termination::Text, false); }

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
  const std::string& text = value.text;
  if (EqualsFolded(text, "#true#") || EqualsFolded(text, "true")) {
    return true;
  }
  if (EqualsFolded(text, "#false#") || EqualsFolded(text, "false") || text.empty()) {
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
  return ClassifyUnquoted(std::move(value.text));
}

}  // namespace tf
