#include "platform/dynlib.h"

#include <dlfcn.h>
#include <elf.h>
#include <fcntl.h>
#include <link.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <utility>

#include "platform/filesys.h"

namespace tovix::platform {

namespace {

thread_local std::string ownError;

// A library cut short (a broken copy or download) has load segments that
// reach past the end of its file; the loader touching those pages ends the
// process with SIGBUS. Anything that is no ELF file of this machine's
// class is left to dlopen to refuse.
bool CutShort(int fd, std::int64_t size) {
  ElfW(Ehdr) header;
  if (pread(fd, &header, sizeof header, 0) != static_cast<ssize_t>(sizeof header)) return false;
  if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 ||
      header.e_ident[EI_CLASS] != (sizeof(void*) == 8 ? ELFCLASS64 : ELFCLASS32) ||
      header.e_phentsize != sizeof(ElfW(Phdr)))
    return false;
  const auto fileSize = static_cast<std::uint64_t>(size);
  if (header.e_phoff + std::uint64_t{header.e_phnum} * sizeof(ElfW(Phdr)) > fileSize) return true;
  for (unsigned i = 0; i < header.e_phnum; ++i) {
    ElfW(Phdr) segment;
    const auto at = static_cast<off_t>(header.e_phoff + i * sizeof segment);
    if (pread(fd, &segment, sizeof segment, at) != static_cast<ssize_t>(sizeof segment))
      return true;
    if (segment.p_type == PT_LOAD &&
        (segment.p_offset > fileSize || segment.p_filesz > fileSize - segment.p_offset))
      return true;
  }
  return false;
}

}  // namespace

void* LoadDynLib(const std::string& path) {
  ownError.clear();
  // A FIFO or device under the library's name would block the load: like
  // a missing file, it is no library. A bare name is searched for instead.
  if (path.find(kPathSep) != std::string::npos) {
    std::int64_t size = 0;
    const int fd = OpenRegularFile(path, O_RDONLY, &size);
    if (fd < 0) {
      ownError = ToNative(path) + ": " + std::strerror(errno);
      return nullptr;
    }
    const bool cut = CutShort(fd, size);
    close(fd);
    if (cut) {
      ownError = ToNative(path) + ": the file ends before the library does (cut short)";
      return nullptr;
    }
  }
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
  if (!ownError.empty()) return std::exchange(ownError, {});
  const char* text = dlerror();
  return text ? text : "";
}

}  // namespace tovix::platform
