#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tf::fuzz {

// The operations that read one kind of outside data, by target name; each
// takes the fuzzer's input as that data.
int RunGameFileTarget(const std::string& name, const uint8_t* data, size_t size);
int RunPictureTarget(const std::string& name, const uint8_t* data, size_t size);
int RunMediaTarget(const std::string& name, const uint8_t* data, size_t size);

}  // namespace tf::fuzz
