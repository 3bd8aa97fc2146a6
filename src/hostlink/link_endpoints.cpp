#include "hostlink/link_endpoints.h"

#include <dirent.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "hostlink/link_socket.h"

namespace kestrel {

namespace {

constexpr std::size_t kTitleLimit = 255;
constexpr const char* kTitleExtension = ".title";
constexpr const char* kSocketExtension = ".sock";

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string ReadTitle(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string title(kTitleLimit, '\0');
  in.read(title.data(), static_cast<std::streamsize>(kTitleLimit));
  title.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
  // The title ends at its first NUL, as it would in a window's title buffer.
  title.resize(std::strlen(title.c_str()));
  return title;
}

bool WriteTitle(const std::string& path, const std::string& title) {
  const std::string temporary = path + ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << title.substr(0, kTitleLimit);
    if (!out.flush()) return false;
  }
  return std::rename(temporary.c_str(), path.c_str()) == 0;
}

}  // namespace

std::optional<std::string> LinkFolder(std::string& error) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const std::string base = runtime != nullptr && *runtime != '\0' ? runtime : "/tmp";
  const std::string folder = base + "/kestrel-link-" + std::to_string(getuid());
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    error = "cannot create the link folder " + folder + ": " + std::strerror(errno);
    return std::nullopt;
  }
  struct stat info {};
  if (lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    error = "the link folder " + folder + " is not a folder";
    return std::nullopt;
  }
  if (info.st_uid != getuid() || (info.st_mode & 077) != 0) {
    error = "the link folder " + folder + " must belong to this user with mode 0700";
    return std::nullopt;
  }
  return folder;
}

std::vector<LinkEndpoint> ListEndpoints(const std::string& folder) {
  std::vector<LinkEndpoint> endpoints;
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return endpoints;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (!EndsWith(name, kTitleExtension)) continue;
    const std::string stem = name.substr(0, name.size() - std::strlen(kTitleExtension));
    endpoints.push_back({folder + "/" + stem + kSocketExtension, ReadTitle(folder + "/" + name)});
  }
  closedir(dir);
  std::sort(endpoints.begin(), endpoints.end(), [](const LinkEndpoint& a, const LinkEndpoint& b) {
    return a.socketPath < b.socketPath;
  });
  return endpoints;
}

bool IsHostTitle(const std::string& title) {
  std::string text = title.substr(0, std::min(title.size(), kTitleLimit));
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return false;
  text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
  return text.size() >= 4 && text.rfind("gyre ", 0) == 0;
}

std::optional<std::string> FindHostWindow() {
  std::string error;
  const std::optional<std::string> folder = LinkFolder(error);
  if (!folder) return std::nullopt;
  for (const LinkEndpoint& endpoint : ListEndpoints(*folder)) {
    if (!IsHostTitle(endpoint.title)) continue;
    // A host that died without removing its endpoint no longer answers.
    SocketHandle probe(ConnectEndpoint(endpoint.socketPath));
    if (probe.get() >= 0) return endpoint.socketPath;
  }
  return std::nullopt;
}

EndpointRegistration::~EndpointRegistration() { Unregister(); }

bool EndpointRegistration::Register(const std::string& stem, const std::string& title,
                                    std::string& error) {
  Unregister();
  const std::optional<std::string> folder = LinkFolder(error);
  if (!folder) return false;
  const std::string base = *folder + "/" + stem + "-" + std::to_string(getpid());
  socketPath_ = base + kSocketExtension;
  titlePath_ = base + kTitleExtension;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (socketPath_.size() >= sizeof address.sun_path) {
    error = "the link folder's path is too long for a socket";
    return false;
  }
  std::memcpy(address.sun_path, socketPath_.data(), socketPath_.size());
  unlink(socketPath_.c_str());
  listenFd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listenFd_ < 0 ||
      bind(listenFd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      chmod(socketPath_.c_str(), 0600) != 0 || listen(listenFd_, 16) != 0) {
    error = std::string("cannot listen at ") + socketPath_ + ": " + std::strerror(errno);
    Unregister();
    return false;
  }
  // The title goes last: an endpoint is only found once it is listening.
  if (!WriteTitle(titlePath_, title)) {
    error = "cannot write " + titlePath_;
    Unregister();
    return false;
  }
  return true;
}

void EndpointRegistration::Unregister() {
  if (!titlePath_.empty()) unlink(titlePath_.c_str());
  if (listenFd_ >= 0) {
    close(listenFd_);
    unlink(socketPath_.c_str());
  }
  listenFd_ = -1;
  socketPath_.clear();
  titlePath_.clear();
}

}  // namespace kestrel
