#pragma once

#include <stdexcept>
#include <string>

namespace tf {

// The run-time error numbers that readers, conversions and controls raise.
enum ErrorNumber : int {
  kErrInvalidCall = 5,
  kErrOverflow = 6,
  kErrOutOfMemory = 7,
  kErrSubscriptOutOfRange = 9,
  kErrTypeMismatch = 13,
  kErrInternal = 51,
  kErrBadFileNameOrNumber = 52,
  kErrFileNotFound = 53,
  kErrInputPastEndOfFile = 62,
  kErrNoSuchArrayElement = 340,
  kErrAlreadyLoaded = 360,
  kErrCannotUnload = 362,
  kErrInvalidPropertyValue = 380,
  kErrInvalidPicture = 481,
};

// An error raised by a reader, a conversion or a platform call; the operation
// that traps it shows its own message.
class RuntimeError : public std::runtime_error {
 public:
  explicit RuntimeError(int number, const std::string& detail = {});
  int Number() const { return number_; }

 private:
  int number_;
};

// The standard description of an error number ("Overflow", "Type mismatch", ...).
std::string ErrorDescription(int number);

[[noreturn]] void RaiseError(int number, const std::string& detail = {});

// Runs one step of an operation that goes on whatever the step does: a
// run-time error in it is dropped.
template <class Step>
void IgnoringErrors(Step&& step) {
  try {
    step();
  } catch (const RuntimeError&) {
  }
}

}  // namespace tf
