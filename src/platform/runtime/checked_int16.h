#pragma once

#include <cstdint>

namespace tf {

// 16-bit arithmetic as the data files and screen units need it: results
// outside -32768..32767 raise error 6 (Overflow).

// Rounds half to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2), then range-checks.
int16_t ToInt16(double value);
int16_t ToInt16(long long value);

int16_t MulInt16(int16_t a, int16_t b);
int16_t AddInt16(int16_t a, int16_t b);
int16_t SubInt16(int16_t a, int16_t b);

// Round half to even into a 32-bit integer, error 6 outside its range.
int32_t ToInt32(double value);

// 32-bit sums and differences, error 6 when the result does not fit.
int32_t AddInt32(int32_t a, int32_t b);
int32_t SubInt32(int32_t a, int32_t b);

}  // namespace tf
