#pragma once

#include <cstdint>
#include <string>

namespace tf {

// A general value as the data files hold it: what a read into an untyped
// target gives, decided by the form of the text.
class Variant {
 public:
  enum class Kind { Empty, Null, Boolean, Integer, Long, Double, String, Date, Error };

  Variant() = default;
  static Variant Empty() { return {}; }
  static Variant Null();
  static Variant Boolean(bool value);
  static Variant Integer(int16_t value);
  static Variant Long(int32_t value);
  static Variant Double(double value);
  static Variant String(std::string value);
  // A date as written between # signs, kept as its text.
  static Variant Date(std::string text);
  static Variant Error(int32_t number);

  Kind GetKind() const { return kind_; }
  bool IsEmpty() const { return kind_ == Kind::Empty; }
  bool IsNumeric() const;  // Boolean, Integer, Long or Double

  // The value as a number; Empty is 0, Boolean -1/0, a text that reads as a
  // number is that number, any other text raises error 13.
  double ToDouble() const;
  // Rounded half to even with error 6 outside the range, error 13 for text
  // that is not a number.
  int16_t ToInt16() const;
  int32_t ToInt32() const;
  // The text form: numbers in decimal, Boolean "True"/"False", Empty "".
  std::string ToText() const&;
  // The same, taking a text's own characters rather than copying them.
  std::string ToText() &&;

  // Flag tests of the data files.
  bool IsTrueFlag() const;  // -1, Boolean true, or text "-1" / "True"
  bool IsNonZero() const;   // numeric value not 0; text that is no number counts 0
  bool IsOne() const;       // numeric value exactly 1

  const std::string& Text() const { return text_; }
  bool operator==(const Variant& other) const = default;

 private:
  Kind kind_ = Kind::Empty;
  double number_ = 0;
  std::string text_;
};

}  // namespace tf
