#pragma once

#include <cstdint>
#include <fstream>
#include <string>

#include "platform/runtime/variant.h"

namespace tf {

// Writes values the way the sequential format's reader expects them: text in
// double quotes, numbers in plain decimal, commas between values on a line,
// CR LF after each line.
class TextWriter {
 public:
  // Creates or truncates the file (its folder resolved like any stored path);
  // error 53 / 52 when it cannot be created.
  static TextWriter Create(const std::string& storedPath);

  // A text holding a double quote or a Ctrl+Z could not be read back: error 5,
  // and nothing of it is written.
  void WriteText(const std::string& text);
  void WriteInt(int32_t value);
  void WriteBool(bool value);
  void WriteVariant(const Variant& value);
  void EndLine();
  // Flushes and closes; raises an error when the data could not be written.
  void Close();

  // The bytes of one value as it would be written; error 5 as for WriteText.
  static std::string Format(const Variant& value);

 private:
  explicit TextWriter(std::ofstream out);
  void Separate();
  std::ofstream out_;
  bool lineHasValue_ = false;
};

}  // namespace tf
