#pragma once
// Where the MP3 parsers get their bytes: an open file or a block of memory,
// so tests and fuzz targets can feed bytes without touching the disk.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tovix {

// Random-access reads over a fixed-size byte sequence.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Total length in bytes.
  virtual std::int64_t Size() const = 0;
  // Copies up to n bytes starting at offset into buf and returns how many
  // were copied (fewer only at the end). Throws IoError when reading fails.
  virtual std::size_t Read(std::int64_t offset, void* buf, std::size_t n) = 0;
};

// Bytes held by the caller; the view must outlive the source.
class MemorySource : public ByteSource {
 public:
  explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
  std::int64_t Size() const override { return static_cast<std::int64_t>(bytes_.size()); }
  std::size_t Read(std::int64_t offset, void* buf, std::size_t n) override;

 private:
  std::string_view bytes_;
};

// A regular file opened through the platform layer. Unbuffered: the parsers
// do their own buffering, so each Read is one pread and opening costs one
// fstat.
class FileSource : public ByteSource {
 public:
  enum class Mode { kRead, kReadWrite };
  // Opens the existing regular file path (Windows-1252); throws IoError with
  // the system's error number when that fails (ENOENT for a FIFO or device).
  FileSource(const std::string& path, Mode mode);
  ~FileSource() override;
  // Opens an existing file for reading: the name as given, as it nearly
  // always is, else a name that differs only in letter case. Null when
  // there is no such file; throws IoError when it cannot be opened. A
  // folder may open; reading it then fails with EISDIR.
  static std::unique_ptr<FileSource> OpenExisting(const std::string& path);
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  std::int64_t Size() const override { return size_; }
  std::size_t Read(std::int64_t offset, void* buf, std::size_t n) override;
  // Writes all n bytes at offset; throws IoError on a short write.
  void Write(std::int64_t offset, const void* buf, std::size_t n);
  // Closes; throws IoError when the system reports a failure (for instance
  // a delayed write that did not fit). Safe to call twice.
  void Close();
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  int fd_ = -1;
  std::int64_t size_ = 0;
};

// Keeps the last read that reached the end of the source, so the tag read
// after the header scan takes the file's tail from memory.
class TailCachedSource : public ByteSource {
 public:
  explicit TailCachedSource(ByteSource& source) : source_(source) {}
  std::int64_t Size() const override { return source_.Size(); }
  std::size_t Read(std::int64_t offset, void* buf, std::size_t n) override;

 private:
  ByteSource& source_;
  std::string tail_;
  std::int64_t tailStart_ = -1;
};

}  // namespace tovix
