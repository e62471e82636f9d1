#include "platform/runtime/variant.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>
#include <utility>

#include "platform/runtime/checked_int16.h"
#include "platform/runtime/runtime_error.h"
#include "platform/runtime/val.h"

namespace tf {

namespace {

std::string_view TrimBlanks(std::string_view text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) {
    return {};
  }
  size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i] >= 'A' && a[i] <= 'Z' ? a[i] - 'A' + 'a' : a[i];
    char y = b[i] >= 'A' && b[i] <= 'Z' ? b[i] - 'A' + 'a' : b[i];
    if (x != y) {
      return false;
    }
  }
  return true;
}

// 15 significant digits, exponent form with a capital E for very large or
// small values ("2.5", "1E+20").
std::string FormatDouble(double value) {
  if (value == 0) {
    return "0";
  }
  char buffer[64];
  auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  std::string text(buffer, result.ptr);
  for (char& c : text) {
    if (c == 'e') {
      c = 'E';
    }
  }
  return text;
}

}  // namespace

Variant Variant::Null() {
  Variant v;
  v.kind_ = Kind::Null;
  return v;
}

Variant Variant::Boolean(bool value) {
  Variant v;
  v.kind_ = Kind::Boolean;
  v.number_ = value ? -1 : 0;
  return v;
}

Variant Variant::Integer(int16_t value) {
  Variant v;
  v.kind_ = Kind::Integer;
  v.number_ = value;
  return v;
}

Variant Variant::Long(int32_t value) {
  Variant v;
  v.kind_ = Kind::Long;
  v.number_ = value;
  return v;
}

Variant Variant::Double(double value) {
  Variant v;
  v.kind_ = Kind::Double;
  v.number_ = value;
  return v;
}

Variant Variant::String(std::string value) {
  Variant v;
  v.kind_ = Kind::String;
  v.text_ = std::move(value);
  return v;
}

Variant Variant::Date(std::string text) {
  Variant v;
  v.kind_ = Kind::Date;
  v.text_ = std::move(text);
  return v;
}

Variant Variant::Error(int32_t number) {
  Variant v;
  v.kind_ = Kind::Error;
  v.number_ = number;
  return v;
}

bool Variant::IsNumeric() const {
  return kind_ == Kind::Boolean || kind_ == Kind::Integer || kind_ == Kind::Long ||
         kind_ == Kind::Double;
}

double Variant::ToDouble() const {
  if (IsNumeric()) {
    return number_;
  }
  if (kind_ == Kind::Empty) {
    return 0;
  }
  if (kind_ == Kind::String) {
    if (std::optional<NumberText> number = ParseNumber(text_)) {
      return number->value;
    }
  }
  RaiseError(kErrTypeMismatch);
}

int16_t Variant::ToInt16() const { return tf::ToInt16(ToDouble()); }

int32_t Variant::ToInt32() const { return tf::ToInt32(ToDouble()); }

std::string Variant::ToText() && {
  if (kind_ == Kind::String || kind_ == Kind::Date) return std::move(text_);
  return std::as_const(*this).ToText();
}

std::string Variant::ToText() const& {
  switch (kind_) {
    case Kind::Empty:
      return {};
    case Kind::Null:
      return "Null";
    case Kind::Boolean:
      return number_ != 0 ? "True" : "False";
    case Kind::Integer:
    case Kind::Long:
      return std::to_string(static_cast<int32_t>(number_));
    case Kind::Double:
      return FormatDouble(number_);
    case Kind::Error:
      return "Error " + std::to_string(static_cast<int32_t>(number_));
    case Kind::String:
    case Kind::Date:
      return text_;
  }
  return {};
}

bool Variant::IsTrueFlag() const {
  if (IsNumeric()) {
    return number_ == -1;
  }
  if (kind_ != Kind::String) {
    return false;
  }
  if (std::optional<NumberText> number = ParseNumber(text_)) {
    return number->value == -1;
  }
  return EqualsIgnoringCase(TrimBlanks(text_), "True");
}

bool Variant::IsNonZero() const {
  if (IsNumeric()) {
    return number_ != 0;
  }
  if (kind_ == Kind::String) {
    std::optional<NumberText> number = ParseNumber(text_);
    return number && number->value != 0;
  }
  return false;
}

bool Variant::IsOne() const {
  if (IsNumeric()) {
    return number_ == 1;
  }
  if (kind_ == Kind::String) {
    std::optional<NumberText> number = ParseNumber(text_);
    return number && number->value == 1;
  }
  return false;
}

}  // namespace tf
