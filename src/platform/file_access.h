#pragma once
// Exclusive and atomic file access.
//
// "Exclusive sharing" is an advisory flock held for as long as a file is open
// here; a file another Kestrel holds cannot be opened (the call fails at once
// rather than waiting). Saving never leaves a half-written file: the bytes go
// to a temporary file in the same folder, which is flushed, fsync'ed and
// renamed over the target.
//
// Paths are native file-system strings (UTF-8 on Linux).
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

class ExclusiveFile {
 public:
  enum class Mode {
    Read,            // existing file, read only
    ReadWrite,       // existing file or a new one, not truncated
    CreateTruncate,  // created, or emptied when it exists
  };

  ExclusiveFile() = default;
  ~ExclusiveFile();
  ExclusiveFile(const ExclusiveFile&) = delete;
  ExclusiveFile& operator=(const ExclusiveFile&) = delete;

  // Opens and locks; false (with nothing open) when the file cannot be opened
  // in that mode or another process holds its lock.
  bool Open(const std::string& path, Mode mode);
  // Flushes and closes; false when a buffered write failed.
  bool Close();
  std::FILE* Get() const { return file_; }
  bool IsOpen() const { return file_ != nullptr; }

 private:
  std::FILE* file_ = nullptr;
};

class AtomicFileWriter {
 public:
  AtomicFileWriter() = default;
  // Removes the temporary file when Commit was not reached.
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // Creates the temporary file beside `path` and takes the target's lock when
  // the target exists. False when either fails.
  bool Begin(const std::string& path);
  // The temporary file to write into.
  std::FILE* Get() const { return file_; }
  // Flushes, fsyncs and renames the temporary file over the target; false
  // (target untouched) when any step fails.
  bool Commit();
  // Gives up: the temporary file is removed, the target is untouched.
  void Abandon();

 private:
  std::string target_;
  std::string temporary_;
  std::FILE* file_ = nullptr;
  ExclusiveFile targetLock_;
};

// The whole of `bytes` written atomically to `path`.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// The whole file, read under its lock; nullopt when it cannot be opened.
std::optional<std::string> ReadWholeFile(const std::string& path);

bool FileExists(const std::string& path);
// Size in bytes, or nullopt when the file does not exist.
std::optional<std::uint64_t> FileSize(const std::string& path);

}  // namespace kestrel
