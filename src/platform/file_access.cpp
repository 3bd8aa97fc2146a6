#include "platform/file_access.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>

namespace kestrel {
namespace {

int OpenRetrying(const char* path, int flags, mode_t mode) {
  int fd;
  do {
    fd = ::open(path, flags, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
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

// Six random letters or digits, as mkstemp uses, but the file is created by
// open() with mode 0644 so that the umask applies to a new file as usual.
std::string RandomSuffix() {
  static constexpr char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static std::mt19937_64 generator{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 2);
  std::string suffix(6, 'X');
  for (char& c : suffix) c = kAlphabet[pick(generator)];
  return suffix;
}

// Makes the rename durable: the folder's entry is written too.
void SyncFolder(const std::string& folder) {
  const int fd = OpenRetrying(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (fd < 0) return;
  ::fsync(fd);  // some file systems refuse this for folders; the rename stands
  ::close(fd);
}

}  // namespace

// ---------------------------------------------------------------- ExclusiveFile

ExclusiveFile::~ExclusiveFile() { Close(); }

bool ExclusiveFile::Open(const std::string& path, Mode mode) {
  Close();
  const int flags = mode == Mode::Read ? O_RDONLY : O_RDWR | O_CREAT;
  const int fd = OpenRetrying(path.c_str(), flags | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    ::close(fd);
    return false;
  }
  int locked;
  do {
    locked = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (locked != 0 && errno == EINTR);
  // Emptying waits for the lock, so a file another Kestrel holds is never
  // truncated under it.
  if (locked != 0 || (mode == Mode::CreateTruncate && ::ftruncate(fd, 0) != 0)) {
    ::close(fd);
    return false;
  }
  file_ = ::fdopen(fd, mode == Mode::Read ? "rb" : "r+b");
  if (file_ == nullptr) {
    ::close(fd);
    return false;
  }
  return true;
}

bool ExclusiveFile::Close() {
  if (file_ == nullptr) return true;
  const bool writeFailed = std::ferror(file_) != 0;
  // Closing the descriptor releases the lock.
  const bool closeFailed = std::fclose(file_) != 0;
  file_ = nullptr;
  return !writeFailed && !closeFailed;
}

// ---------------------------------------------------------------- AtomicFileWriter

AtomicFileWriter::~AtomicFileWriter() { Abandon(); }

bool AtomicFileWriter::Begin(const std::string& path) {
  Abandon();
  struct stat target {};
  const bool exists = ::stat(path.c_str(), &target) == 0;
  if (exists && S_ISDIR(target.st_mode)) return false;
  if (exists && !targetLock_.Open(path, ExclusiveFile::Mode::Read)) return false;

  const std::string stem = FolderOf(path) + "/." + NameOf(path) + ".";
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temporary_ = stem + RandomSuffix();
    fd = OpenRetrying(temporary_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    temporary_.clear();
    targetLock_.Close();
    return false;
  }
  // The saved file keeps the permissions the user gave the old one.
  if (exists) ::fchmod(fd, target.st_mode & 07777);
  file_ = ::fdopen(fd, "wb");
  if (file_ == nullptr) {
    ::close(fd);
    Abandon();
    return false;
  }
  target_ = path;
  return true;
}

bool AtomicFileWriter::Commit() {
  if (file_ == nullptr) return false;
  bool ok = std::fflush(file_) == 0 && std::ferror(file_) == 0;
  ok = ok && ::fsync(::fileno(file_)) == 0;
  ok = std::fclose(file_) == 0 && ok;
  file_ = nullptr;
  ok = ok && std::rename(temporary_.c_str(), target_.c_str()) == 0;
  if (!ok) {
    Abandon();
    return false;
  }
  temporary_.clear();
  SyncFolder(FolderOf(target_));
  targetLock_.Close();
  return true;
}

void AtomicFileWriter::Abandon() {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  if (!temporary_.empty()) {
    ::unlink(temporary_.c_str());
    temporary_.clear();
  }
  targetLock_.Close();
}

// ---------------------------------------------------------------- whole files

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
  AtomicFileWriter writer;
  if (!writer.Begin(path)) return false;
  if (std::fwrite(bytes.data(), 1, bytes.size(), writer.Get()) != bytes.size()) {
    writer.Abandon();
    return false;
  }
  return writer.Commit();
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  ExclusiveFile file;
  if (!file.Open(path, ExclusiveFile::Mode::Read)) return std::nullopt;
  std::string bytes;
  struct stat info {};
  if (::fstat(::fileno(file.Get()), &info) == 0 && info.st_size > 0) {
    bytes.reserve(static_cast<std::size_t>(info.st_size));
  }
  char chunk[64 * 1024];
  std::size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file.Get())) > 0) bytes.append(chunk, got);
  if (std::ferror(file.Get())) return std::nullopt;
  return bytes;
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

std::optional<std::uint64_t> FileSize(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return std::nullopt;
  return static_cast<std::uint64_t>(info.st_size);
}

}  // namespace kestrel
