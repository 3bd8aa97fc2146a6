#pragma once
// Frames over a connected Unix-domain stream socket. Every read has a
// deadline, so a silent or stalled peer never hangs the caller.
#include <cstdint>
#include <string_view>

#include "hostlink/link_frame.h"

namespace kestrel {

enum class ReadStatus { kFrame, kClosed, kTimeout, kRefused };

// Reads one whole frame. kClosed: the peer hung up (before or within the
// frame); kRefused: the header is not acceptable (too long, wrong size for
// its code). `timeoutMs` bounds the whole frame.
ReadStatus ReadFrame(int fd, LinkFrame& frame, int timeoutMs);
// False when the peer is gone; never raises SIGPIPE.
bool WriteFrame(int fd, std::uint32_t code, std::string_view payload);

// True when the process at the other end runs as the same user as this one.
bool PeerIsSameUser(int fd);

// Connects to a listening endpoint; -1 when nobody listens there.
int ConnectEndpoint(const std::string& socketPath);

// Closes on destruction.
class SocketHandle {
 public:
  explicit SocketHandle(int fd = -1) : fd_(fd) {}
  ~SocketHandle();
  SocketHandle(const SocketHandle&) = delete;
  SocketHandle& operator=(const SocketHandle&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace kestrel
