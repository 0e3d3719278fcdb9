#pragma once
// Loading a shared library at run time (LoadLibraryA, GetProcAddress and
// FreeLibrary on Windows; dlopen, dlsym and dlclose here).
#include <string>

namespace tovix::platform {

// Loads the library at path (Windows-1252); a path without a separator is
// looked up in the system's search order. Null on failure.
void* LoadDynLib(const std::string& path);
// The address of an exported name, or null.
void* DynLibSymbol(void* library, const char* name);
void FreeDynLib(void* library);
// Why the last load or lookup failed (empty when the system does not say).
std::string DynLibError();

}  // namespace tovix::platform
