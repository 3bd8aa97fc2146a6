#include "platform/file_access.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "platform/text_encoding.h"

namespace kestrel {
namespace {

// Symbolic links followed before giving up, as the kernel does.
constexpr int kMostLinks = 40;

int OpenRetrying(const char* path, int flags, mode_t mode) {
  int fd;
  do {
    fd = ::open(path, flags, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

bool LockRetrying(int fd, int operation) {
  int locked;
  do {
    locked = ::flock(fd, operation);
  } while (locked != 0 && errno == EINTR);
  return locked == 0;
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Six random letters or digits, as mkstemp uses.
std::string RandomSuffix() {
  static constexpr char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static std::mt19937_64 generator{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 2);
  std::string suffix(6, 'X');
  for (char& c : suffix) c = kAlphabet[pick(generator)];
  return suffix;
}

constexpr std::size_t kSuffixLength = 6;

// Makes the rename durable: the folder's entry is written too.
void SyncFolder(const std::string& folder) {
  const int fd = OpenRetrying(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (fd < 0) return;
  ::fsync(fd);  // some file systems refuse this for folders; the rename stands
  ::close(fd);
}

// Whether we may change the file or folder. The owner's write bit decides for
// the owner, so that a file the user made read-only is refused even for the
// administrator, whom the permission check itself would let through.
bool MayWrite(const std::string& path, const struct stat& info) {
  if (::geteuid() == info.st_uid) return (info.st_mode & S_IWUSR) != 0;
  return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// Gives the unnamed file `fd` the name `path`.
bool LinkUnnamed(int fd, const std::string& path) {
  if (::linkat(fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0) return true;
  if (errno == EEXIST) return false;
  // Without the privilege that AT_EMPTY_PATH needs, the descriptor's /proc
  // entry names the file.
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

}  // namespace

// Messages hold Windows-1252 text; the system's text may be translated.
std::string ErrorText(int error) { return Utf8ToCp1252(std::strerror(error)); }

std::string FollowLinks(const std::string& path) {
  std::string current = path;
  for (int links = 0; links < kMostLinks; ++links) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
    std::string target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 4096) + 1, '\0');
    const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
    if (length < 0 || static_cast<std::size_t>(length) >= target.size()) return current;
    target.resize(static_cast<std::size_t>(length));
    current = target.starts_with('/') ? target : FolderOf(current) + "/" + target;
  }
  return current;
}

// ---------------------------------------------------------------- ExclusiveFile

ExclusiveFile::~ExclusiveFile() { Close(); }

bool ExclusiveFile::Open(const std::string& path, Mode mode) {
  Close();
  reason_.clear();
  const int flags = mode == Mode::Read ? O_RDONLY : O_RDWR | O_CREAT;
  const int fd = OpenRetrying(path.c_str(), flags | O_CLOEXEC, 0666);
  if (fd < 0) {
    reason_ = ErrorText(errno);
    return false;
  }
  const auto fail = [&](std::string reason) {
    reason_ = std::move(reason);
    ::close(fd);
    return false;
  };
  struct stat info {};
  if (::fstat(fd, &info) != 0) return fail(ErrorText(errno));
  if (S_ISDIR(info.st_mode)) return fail(ErrorText(EISDIR));
  // A file the user made read-only is not written, even by the administrator.
  if (mode != Mode::Read && !MayWrite(path, info)) return fail(ErrorText(EACCES));
  if (!LockRetrying(fd, LOCK_EX | LOCK_NB)) {
    return fail(errno == EWOULDBLOCK ? "the file is in use by another program" : ErrorText(errno));
  }
  // Emptying waits for the lock, so a file another Kestrel holds is never
  // truncated under it.
  if (mode == Mode::CreateTruncate && ::ftruncate(fd, 0) != 0) return fail(ErrorText(errno));
  file_ = ::fdopen(fd, mode == Mode::Read ? "rb" : "r+b");
  if (file_ == nullptr) return fail(ErrorText(errno));
  return true;
}

bool ExclusiveFile::Close() {
  if (file_ == nullptr) return true;
  const bool writeFailed = std::ferror(file_) != 0;
  const int writeError = errno;
  // Closing the descriptor releases the lock.
  const bool closeFailed = std::fclose(file_) != 0;
  if (closeFailed) {
    reason_ = ErrorText(errno);
  } else if (writeFailed) {
    reason_ = ErrorText(writeError != 0 ? writeError : EIO);
  }
  file_ = nullptr;
  return !writeFailed && !closeFailed;
}

// ---------------------------------------------------------------- AtomicFileWriter

AtomicFileWriter::~AtomicFileWriter() { Abandon(); }

bool AtomicFileWriter::Fail(int error) {
  reason_ = ErrorText(error);
  Abandon();
  return false;
}

void AtomicFileWriter::NoteWriteFailure() { reason_ = ErrorText(errno != 0 ? errno : EIO); }

bool AtomicFileWriter::Begin(const std::string& path) {
  Abandon();
  reason_.clear();
  const std::string target = FollowLinks(path);
  struct stat info {};
  const bool exists = ::stat(target.c_str(), &info) == 0;
  if (!exists && errno != ENOENT) return Fail(errno);
  if (exists && S_ISDIR(info.st_mode)) return Fail(EISDIR);
  if (exists && !MayWrite(target, info)) return Fail(EACCES);
  folder_ = FolderOf(target);
  struct stat folderInfo {};
  if (::stat(folder_.c_str(), &folderInfo) != 0) return Fail(errno);
  if (!MayWrite(folder_, folderInfo)) return Fail(EACCES);
  if (exists && !targetLock_.Open(target, ExclusiveFile::Mode::Read)) {
    reason_ = targetLock_.Reason();
    return false;
  }

  // The bytes go into a file without a name until they are complete, so that
  // a save killed while writing leaves nothing behind. Where the file system
  // cannot do that, the file is named at once.
  const std::string prefix = "." + NameOf(target) + ".";
  int fd = OpenRetrying(folder_.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0644);
  if (fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
      temporary_ = folder_ + "/" + prefix + RandomSuffix();
      fd = OpenRetrying(temporary_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
      if (fd < 0 && errno != EEXIST) break;
    }
  }
  if (fd < 0) {
    temporary_.clear();
    return Fail(errno);
  }
  // Held until the rename: a later save takes an unlocked temporary file for
  // one a killed save left and removes it.
  LockRetrying(fd, LOCK_EX);
  // The saved file keeps the permissions the user gave the old one.
  if (exists) ::fchmod(fd, info.st_mode & 07777);
  RemoveStaleTemporaries(folder_, prefix);
  file_ = ::fdopen(fd, "wb");
  if (file_ == nullptr) {
    const int error = errno;
    ::close(fd);
    return Fail(error);
  }
  target_ = target;
  return true;
}

void AtomicFileWriter::RemoveStaleTemporaries(const std::string& folder,
                                              const std::string& prefix) {
  DIR* listing = ::opendir(folder.c_str());
  if (listing == nullptr) return;
  const int folderFd = ::dirfd(listing);
  while (const dirent* entry = ::readdir(listing)) {
    const std::string_view name = entry->d_name;
    if (!name.starts_with(prefix) || name.size() != prefix.size() + kSuffixLength) continue;
    const int fd = ::openat(folderFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat info {};
    // A file a running save holds is locked; one a killed save left is not.
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && LockRetrying(fd, LOCK_EX | LOCK_NB)) {
      ::unlinkat(folderFd, entry->d_name, 0);
    }
    ::close(fd);
  }
  ::closedir(listing);
}

bool AtomicFileWriter::Commit() {
  if (file_ == nullptr) return false;
  const int fd = ::fileno(file_);
  if (std::ferror(file_) != 0) {
    if (reason_.empty()) NoteWriteFailure();
    Abandon();
    return false;
  }
  if (std::fflush(file_) != 0 || ::fsync(fd) != 0) return Fail(errno);
  if (temporary_.empty()) {
    std::string name;
    bool linked = false;
    for (int attempt = 0; attempt < 100 && !linked; ++attempt) {
      name = folder_ + "/." + NameOf(target_) + "." + RandomSuffix();
      linked = LinkUnnamed(fd, name);
      if (!linked && errno != EEXIST) return Fail(errno);
    }
    if (!linked) return Fail(EEXIST);
    temporary_ = name;
  }
  // Renamed while still open, so the temporary file stays locked until it
  // has become the target.
  if (std::rename(temporary_.c_str(), target_.c_str()) != 0) return Fail(errno);
  temporary_.clear();
  std::fclose(file_);  // flushed and synced above: nothing is left to fail
  file_ = nullptr;
  SyncFolder(folder_);
  targetLock_.Close();
  return true;
}

void AtomicFileWriter::Abandon() {
  if (!temporary_.empty()) {
    ::unlink(temporary_.c_str());
    temporary_.clear();
  }
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  targetLock_.Close();
}

// ---------------------------------------------------------------- whole files

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* reason) {
  AtomicFileWriter writer;
  bool written = writer.Begin(path);
  if (written && std::fwrite(bytes.data(), 1, bytes.size(), writer.Get()) != bytes.size()) {
    writer.NoteWriteFailure();
  }
  written = written && writer.Commit();
  if (!written && reason != nullptr) *reason = writer.Reason();
  return written;
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::string* reason) {
  ExclusiveFile file;
  if (!file.Open(path, ExclusiveFile::Mode::Read)) {
    if (reason != nullptr) *reason = file.Reason();
    return std::nullopt;
  }
  std::string bytes;
  struct stat info {};
  if (::fstat(::fileno(file.Get()), &info) == 0 && info.st_size > 0) {
    bytes.reserve(static_cast<std::size_t>(info.st_size));
  }
  char chunk[64 * 1024];
  std::size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file.Get())) > 0) bytes.append(chunk, got);
  if (std::ferror(file.Get())) {
    if (reason != nullptr) *reason = ErrorText(errno != 0 ? errno : EIO);
    return std::nullopt;
  }
  return bytes;
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

std::optional<FileStamp> StampOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  constexpr std::int64_t kNsPerSecond = 1'000'000'000;
  return FileStamp{
      .device = static_cast<std::uint64_t>(info.st_dev),
      .inode = static_cast<std::uint64_t>(info.st_ino),
      .size = static_cast<std::uint64_t>(info.st_size),
      .modifiedNs = info.st_mtim.tv_sec * kNsPerSecond + info.st_mtim.tv_nsec,
      .changedNs = info.st_ctim.tv_sec * kNsPerSecond + info.st_ctim.tv_nsec,
  };
}

std::optional<std::uint64_t> FileSize(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return std::nullopt;
  return static_cast<std::uint64_t>(info.st_size);
}

}  // namespace kestrel
