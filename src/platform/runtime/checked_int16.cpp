#include "platform/runtime/checked_int16.h"

#include <cmath>
#include <limits>

#include "platform/runtime/runtime_error.h"

namespace tf {

namespace {

// Independent of the floating-point rounding mode in effect.
double RoundHalfToEven(double value) {
  double floor = std::floor(value);
  double fraction = value - floor;
  if (fraction > 0.5) {
    return floor + 1;
  }
  if (fraction < 0.5) {
    return floor;
  }
  return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

double RoundInRange(double value, double low, double high) {
  if (std::isnan(value)) {
    RaiseError(kErrOverflow);
  }
  double rounded = RoundHalfToEven(value);
  if (rounded < low || rounded > high) {
    RaiseError(kErrOverflow);
  }
  return rounded;
}

}  // namespace

int16_t ToInt16(double value) {
  return static_cast<int16_t>(RoundInRange(value, std::numeric_limits<int16_t>::min(),
                                           std::numeric_limits<int16_t>::max()));
}

int16_t ToInt16(long long value) {
  if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max()) {
    RaiseError(kErrOverflow);
  }
  return static_cast<int16_t>(value);
}

int16_t MulInt16(int16_t a, int16_t b) { return ToInt16(static_cast<long long>(a) * b); }

int16_t AddInt16(int16_t a, int16_t b) { return ToInt16(static_cast<long long>(a) + b); }

int16_t SubInt16(int16_t a, int16_t b) { return ToInt16(static_cast<long long>(a) - b); }

int32_t ToInt32(double value) {
  return static_cast<int32_t>(RoundInRange(value, std::numeric_limits<int32_t>::min(),
                                           std::numeric_limits<int32_t>::max()));
}

int32_t AddInt32(int32_t a, int32_t b) {
  int32_t sum = 0;
  if (__builtin_add_overflow(a, b, &sum)) RaiseError(kErrOverflow);
  return sum;
}

int32_t SubInt32(int32_t a, int32_t b) {
  int32_t difference = 0;
  if (__builtin_sub_overflow(a, b, &difference)) RaiseError(kErrOverflow);
  return difference;
}

}  // namespace tf
