#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/runtime/variant.h"

namespace tf {

// Reads one project data file value by value, in the classic sequential text
// format (quoted and unquoted values, commas and line ends). The whole file is
// read into memory when opened; every read past the data raises error 62.
class TextReader {
 public:
  // Opens a stored path through the file-name resolver; error 53 when missing.
  static TextReader Open(const std::string& storedPath);
  static TextReader FromBytes(std::string bytes);

  std::string ReadText();
  int16_t ReadInt16();
  bool ReadBool();
  Variant ReadVariant();

  // True as long as any byte remains before the end (a Ctrl+Z ends the file).
  bool HasMoreData() const;

 private:
  // How an unquoted value ends: at a comma or line end (text), also at a blank
  // (number), or like a number when it is one and like text otherwise.
  enum class Termination { Text, Number, Variant };
  struct RawValue {
    std::string text;
    bool quoted = false;
  };

  explicit TextReader(std::string bytes);
  RawValue ReadRaw(Termination termination);
  std::string_view ScanUntil(bool stopAtBlank);
  void SkipBlanks();
  void ConsumeSeparator();

  std::string bytes_;
  size_t pos_ = 0;
  size_t end_ = 0;
};

}  // namespace tf
