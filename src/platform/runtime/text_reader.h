#pragma once

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>

#include "platform/runtime/variant.h"

namespace tf {

// Reads one project data file value by value, in the classic sequential text
// format (quoted and unquoted values, commas and line ends). The file is read
// a block at a time, so a read costs no more memory than the values it
// returns; every read past the data raises error 62.
class TextReader {
 public:
  // Opens a stored path through the file-name resolver; error 53 when missing.
  static TextReader Open(const std::string& storedPath);
  static TextReader FromBytes(std::string bytes);

  std::string ReadText();
  // Reads past a text value as ReadText would, without keeping it.
  void SkipText();
  int16_t ReadInt16();
  bool ReadBool();
  Variant ReadVariant();

  // True as long as any byte remains before the end (a Ctrl+Z ends the file).
  bool HasMoreData();

 private:
  // How an unquoted value ends: at a comma or line end (text), also at a blank
  // (number), or like a number when it is one and like text otherwise.
  enum class Termination { Text, Number, Variant };
  struct RawValue {
    std::string text;
    bool quoted = false;
  };

  TextReader(std::string bytes, std::unique_ptr<std::ifstream> file, uintmax_t fileSize,
             std::string storedPath);
  // Makes the next byte available; false at the end of the data.
  bool Fill();
  // The next value; a text read with `keep` false is only read past, and its
  // text stays empty.
  RawValue ReadRaw(Termination termination, bool keep = true);
  // Appends bytes up to a comma or line end (also a blank when asked) to
  // value, or only reads past them when it is null.
  void ScanUntil(bool stopAtBlank, std::string* value);
  // Appends bytes up to the next double quote (not taken) or the end to
  // value, or only reads past them when it is null.
  void ScanQuoted(std::string* value);
  // Appends count bytes of the block from `from` to value, if any. A value
  // that outgrows a block gets room for all the data left at once, so that a
  // long value is never copied while it grows.
  void Append(std::string* value, size_t from, size_t count) const;
  void SkipBlanks();
  void ConsumeSeparator();

  std::string block_;  // the bytes read and not yet consumed start at pos_
  size_t pos_ = 0;
  std::unique_ptr<std::ifstream> file_;  // null once the data has ended
  uintmax_t fileSize_ = 0;
  uintmax_t blockStart_ = 0;  // offset of block_ in the file
  std::string storedPath_;
};

}  // namespace tf
