#pragma once
// Folders for file-failure tests: a small or read-only disk. A real tmpfs is mounted when the tests
// run as root (and may mount); otherwise a small disk is imitated with the file-size limit.
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "platform/text_encoding.h"
#include "scratch_folder.h"

namespace kestrel::testing {

using ScratchDir = ScratchFolder;

// The system's reason for `error` as the program's messages give it
// (Windows-1252).
inline std::string Reason(int error) { return Utf8ToCp1252(std::strerror(error)); }

// A tmpfs of `kilobytes` mounted on a fresh folder, read-only when asked;
// Mounted() is false where the tests may not mount.
class TmpfsMount {
 public:
  TmpfsMount(std::size_t kilobytes, bool readOnly = false) {
    if (::geteuid() != 0) return;
    const std::string options = "size=" + std::to_string(kilobytes) + "k";
    mounted_ = ::mount("tmpfs", folder_.Path().c_str(), "tmpfs", readOnly ? MS_RDONLY : 0,
                       options.c_str()) == 0;
  }
  ~TmpfsMount() {
    if (mounted_) ::umount2(folder_.Path().c_str(), MNT_DETACH);
  }
  TmpfsMount(const TmpfsMount&) = delete;
  TmpfsMount& operator=(const TmpfsMount&) = delete;

  bool Mounted() const { return mounted_; }
  const ScratchDir& Folder() const { return folder_; }

 private:
  ScratchDir folder_;
  bool mounted_ = false;
};

// While alive, no file of this process may grow beyond `bytes`: writes past
// it fail with EFBIG as they would on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &previous_);
    previousHandler_ = ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = previous_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    ::signal(SIGXFSZ, previousHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit previous_{};
  sighandler_t previousHandler_ = SIG_DFL;
};

}  // namespace kestrel::testing
