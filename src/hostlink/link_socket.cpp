#include "hostlink/link_socket.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>

namespace kestrel {

namespace {

using Clock = std::chrono::steady_clock;

enum class Fill { kDone, kClosed, kTimeout };

Fill ReadExact(int fd, char* out, std::size_t size, Clock::time_point deadline) {
  std::size_t got = 0;
  while (got < size) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return Fill::kTimeout;
    pollfd poller{fd, POLLIN, 0};
    const int ready = poll(&poller, 1, static_cast<int>(left));
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) return Fill::kClosed;
    if (ready == 0) return Fill::kTimeout;
    const ssize_t n = read(fd, out + got, size - got);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n <= 0) return Fill::kClosed;
    got += static_cast<std::size_t>(n);
  }
  return Fill::kDone;
}

ReadStatus FromFill(Fill fill) {
  return fill == Fill::kTimeout ? ReadStatus::kTimeout : ReadStatus::kClosed;
}

}  // namespace

ReadStatus ReadFrame(int fd, LinkFrame& frame, int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  char header[kFrameHeaderSize];
  Fill fill = ReadExact(fd, header, sizeof header, deadline);
  if (fill != Fill::kDone) return FromFill(fill);
  std::size_t consumed = 0;
  LinkFrame probe;
  if (DecodeFrame(std::string_view(header, sizeof header), probe, consumed) ==
      FrameStatus::kRefused)
    return ReadStatus::kRefused;
  const std::size_t length = static_cast<std::uint8_t>(header[4]) |
                             static_cast<std::size_t>(static_cast<std::uint8_t>(header[5])) << 8 |
                             static_cast<std::size_t>(static_cast<std::uint8_t>(header[6])) << 16 |
                             static_cast<std::size_t>(static_cast<std::uint8_t>(header[7])) << 24;
  frame.code = static_cast<std::uint8_t>(header[0]) |
               static_cast<std::uint32_t>(static_cast<std::uint8_t>(header[1])) << 8 |
               static_cast<std::uint32_t>(static_cast<std::uint8_t>(header[2])) << 16 |
               static_cast<std::uint32_t>(static_cast<std::uint8_t>(header[3])) << 24;
  frame.payload.resize(length);
  fill = ReadExact(fd, frame.payload.data(), length, deadline);
  return fill == Fill::kDone ? ReadStatus::kFrame : FromFill(fill);
}

bool WriteFrame(int fd, std::uint32_t code, std::string_view payload) {
  const std::string bytes = EncodeFrame(code, payload);
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    sent += static_cast<std::size_t>(n);
  }
  return true;
}

bool PeerIsSameUser(int fd) {
  ucred credentials{};
  socklen_t size = sizeof credentials;
  if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0) return false;
  return credentials.uid == getuid();
}

int ConnectEndpoint(const std::string& socketPath) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (socketPath.size() >= sizeof address.sun_path) return -1;
  std::memcpy(address.sun_path, socketPath.data(), socketPath.size());
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

SocketHandle::~SocketHandle() {
  if (fd_ >= 0) close(fd_);
}

}  // namespace kestrel
