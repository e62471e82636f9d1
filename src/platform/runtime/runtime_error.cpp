#include "platform/runtime/runtime_error.h"

namespace tf {

namespace {

// The detail is a value or path read from a data file: a damaged one may be
// megabytes long, and its start says as much.
constexpr size_t kLongestDetail = 1024;

std::string MessageFor(int number, const std::string& detail) {
  std::string message = ErrorDescription(number);
  if (!detail.empty()) {
    message += ": ";
    message.append(detail, 0, kLongestDetail);
    if (detail.size() > kLongestDetail) message += "...";
  }
  return message;
}

}  // namespace

RuntimeError::RuntimeError(int number, const std::string& detail)
    : std::runtime_error(MessageFor(number, detail)), number_(number) {}

std::string ErrorDescription(int number) {
  switch (number) {
    case kErrInvalidCall:
      return "Invalid procedure call or argument";
    case kErrOverflow:
      return "Overflow";
    case kErrOutOfMemory:
      return "Out of memory";
    case kErrSubscriptOutOfRange:
      return "Subscript out of range";
    case kErrTypeMismatch:
      return "Type mismatch";
    case kErrInternal:
      return "Internal error";
    case kErrBadFileNameOrNumber:
      return "Bad file name or number";
    case kErrFileNotFound:
      return "File not found";
    case kErrInputPastEndOfFile:
      return "Input past end of file";
    case kErrNoSuchArrayElement:
      return "Control array element doesn't exist";
    case kErrAlreadyLoaded:
      return "Object already loaded";
    case kErrCannotUnload:
      return "Can't unload controls created at design time";
    case kErrInvalidPropertyValue:
      return "Invalid property value";
    case kErrInvalidPicture:
      return "Invalid picture";
    default:
      return "Application-defined or object-defined error";
  }
}

void RaiseError(int number, const std::string& detail) { throw RuntimeError(number, detail); }

}  // namespace tf
