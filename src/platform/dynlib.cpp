#include "platform/dynlib.h"

#include <dlfcn.h>

#include "platform/filesys.h"

namespace tovix::platform {

void* LoadDynLib(const std::string& path) {
  // RTLD_LOCAL: two libraries with the same entry points (a test double and
  // the real one) never see each other's symbols.
  return dlopen(ToNative(path).c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* DynLibSymbol(void* library, const char* name) {
  return library ? dlsym(library, name) : nullptr;
}

void FreeDynLib(void* library) {
  if (library) dlclose(library);
}

std::string DynLibError() {
  const char* text = dlerror();
  return text ? text : "";
}

}  // namespace tovix::platform
