#pragma once
// Exclusive and atomic file access.
//
// "Exclusive sharing" is an advisory flock held for as long as a file is open
// here; a file another Kestrel holds cannot be opened (the call fails at once
// rather than waiting). Saving never leaves a half-written file: the bytes go
// to a temporary file in the same folder, which is flushed, fsync'ed and
// renamed over the target.
//
// Every failure keeps the operating system's reason (Reason(), the strerror
// text) so that the message the user sees can say why. A save never replaces a
// file the user made read-only, writes through a symbolic link to the file it
// names, and leaves no temporary file behind, not even one a killed save left.
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
  // Why the last Open or Close failed.
  const std::string& Reason() const { return reason_; }

 private:
  std::FILE* file_ = nullptr;
  std::string reason_;
};

class AtomicFileWriter {
 public:
  AtomicFileWriter() = default;
  // Removes the temporary file when Commit was not reached.
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // Creates the temporary file beside the file `path` names (the target of a
  // symbolic link) and takes the target's lock when the target exists. False
  // when the target or its folder is read-only, is locked, or the temporary
  // file cannot be made. Temporary files of earlier saves that were killed
  // are removed.
  bool Begin(const std::string& path);
  // The temporary file to write into.
  std::FILE* Get() const { return file_; }
  // Flushes, fsyncs and renames the temporary file over the target; false
  // (target untouched) when any step fails.
  bool Commit();
  // Gives up: the temporary file is removed, the target is untouched.
  void Abandon();
  // Why Begin or Commit failed, or why a write into Get() failed when the
  // caller calls NoteWriteFailure right after it.
  const std::string& Reason() const { return reason_; }
  void NoteWriteFailure();

 private:
  bool Fail(int error);
  void RemoveStaleTemporaries(const std::string& folder, const std::string& prefix);

  std::string target_;
  std::string temporary_;  // empty while the file has no name yet
  std::string folder_;
  std::FILE* file_ = nullptr;
  ExclusiveFile targetLock_;
  std::string reason_;
};

// The whole of `bytes` written atomically to `path`; `reason`, when given,
// receives why it failed.
bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                         std::string* reason = nullptr);

// The whole file, read under its lock; nullopt when it cannot be opened or a
// read failed (`reason`, when given, says why).
std::optional<std::string> ReadWholeFile(const std::string& path, std::string* reason = nullptr);

// The file a path names once symbolic links are followed (the path itself when
// it is no link, or a link to a file not yet made).
std::string FollowLinks(const std::string& path);

// What tells one version of a file from another: which file it is, its size
// and the times it was last written and changed. A file another program
// wrote, replaced or truncated has another stamp.
struct FileStamp {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t size = 0;
  std::int64_t modifiedNs = 0;
  std::int64_t changedNs = 0;
  bool operator==(const FileStamp&) const = default;
};

// The stamp of the file `path` names (links followed); nullopt when there is
// no such file.
std::optional<FileStamp> StampOf(const std::string& path);

// The operating system's text for an errno value, in Windows-1252.
std::string ErrorText(int error);

bool FileExists(const std::string& path);
// Size in bytes, or nullopt when the file does not exist.
std::optional<std::uint64_t> FileSize(const std::string& path);

}  // namespace kestrel
