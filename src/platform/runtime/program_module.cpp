#include "platform/runtime/program_module.h"

#include <dlfcn.h>

#include <filesystem>

namespace tf {

void* ProgramModuleSymbol(const char* fileName, const char* builtPath, const char* symbol,
                          bool global) {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  for (const std::filesystem::path& file :
       {program.parent_path() / fileName, std::filesystem::path(builtPath)}) {
    if (void* module = dlopen(file.c_str(), RTLD_NOW | (global ? RTLD_GLOBAL : RTLD_LOCAL)))
      return dlsym(module, symbol);
  }
  return nullptr;
}

}  // namespace tf
