// One fuzz target: TF_FUZZ_RUN names the runner, TF_FUZZ_TARGET the target.

#include <cstddef>
#include <cstdint>

#include "fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return tf::fuzz::TF_FUZZ_RUN(TF_FUZZ_TARGET, data, size);
}
