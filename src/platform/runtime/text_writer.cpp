#include "platform/runtime/text_writer.h"

#include <filesystem>
#include <string_view>
#include <utility>

#include "platform/runtime/path_resolver.h"
#include "platform/runtime/runtime_error.h"

namespace tf {

TextWriter::TextWriter(std::ofstream out) : out_(std::move(out)) {}

TextWriter TextWriter::Create(const std::string& storedPath) {
  // The resolver keeps the stored name when no file matches it in any case.
  std::filesystem::path path = ResolvePath(storedPath);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out.is_open()) {
    std::error_code error;
    std::filesystem::path folder = path.parent_path();
    bool folderExists = folder.empty() || std::filesystem::is_directory(folder, error);
    RaiseError(folderExists ? kErrBadFileNameOrNumber : kErrFileNotFound, storedPath);
  }
  return TextWriter(std::move(out));
}

void TextWriter::Separate() {
  if (!out_.is_open()) {
    RaiseError(kErrBadFileNameOrNumber);
  }
  if (lineHasValue_) {
    out_ << ',';
  }
  lineHasValue_ = true;
}

void TextWriter::WriteText(const std::string& text) { WriteVariant(Variant::String(text)); }

void TextWriter::WriteInt(int32_t value) { WriteVariant(Variant::Long(value)); }

void TextWriter::WriteBool(bool value) { WriteVariant(Variant::Boolean(value)); }

void TextWriter::WriteVariant(const Variant& value) {
  std::string bytes = Format(value);
  Separate();
  out_ << bytes;
}

void TextWriter::EndLine() {
  if (!out_.is_open()) {
    RaiseError(kErrBadFileNameOrNumber);
  }
  out_ << "\r\n";
  lineHasValue_ = false;
}

void TextWriter::Close() {
  if (!out_.is_open()) {
    return;
  }
  out_.close();
  if (out_.fail()) {
    RaiseError(kErrBadFileNameOrNumber, "the file could not be written");
  }
}

std::string TextWriter::Format(const Variant& value) {
  switch (value.GetKind()) {
    case Variant::Kind::Empty:
      return {};
    case Variant::Kind::Null:
      return "#NULL#";
    case Variant::Kind::Boolean:
      return value.IsTrueFlag() ? "#TRUE#" : "#FALSE#";
    case Variant::Kind::Integer:
    case Variant::Kind::Long:
    case Variant::Kind::Double:
      return value.ToText();
    case Variant::Kind::String:
      // The reader ends a quoted text at the next quote and the data at a Ctrl+Z.
      if (value.Text().find_first_of("\"\x1A") != std::string::npos) {
        RaiseError(kErrInvalidCall, "a text with a double quote or Ctrl+Z can't be written");
      }
      return '"' + value.Text() + '"';
    case Variant::Kind::Date:
      return '#' + value.Text() + '#';
    case Variant::Kind::Error:
      return "#ERROR" + value.ToText().substr(std::string_view("Error").size()) + '#';
  }
  return {};
}

}  // namespace tf
