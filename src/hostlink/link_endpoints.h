#pragma once
// Where the programs of the link find each other: every running host
// registers an endpoint (a listening socket and its window title) in one
// per-user folder of mode 0700. Finding the host enumerates those endpoints
// as the desktop enumerates top-level windows, and applies the title rule.
#include <optional>
#include <string>
#include <vector>

namespace kestrel {

// The link folder: "kestrel-link-UID" under $XDG_RUNTIME_DIR, or under /tmp
// when that is unset or empty. Created with mode 0700 when missing. nullopt
// (with the reason in `error`) when it cannot be created, is not a folder, or
// is a link, belongs to another user or is open to group or others.
std::optional<std::string> LinkFolder(std::string& error);

struct LinkEndpoint {
  std::string socketPath;
  std::string title;
};

// The registered endpoints, in name order. Titles are read as window titles
// are: at most 255 characters.
std::vector<LinkEndpoint> ListEndpoints(const std::string& folder);

// The host's title rule: lower-cased and trimmed of blanks, the title is at
// least 4 characters and begins with "gyre ".
bool IsHostTitle(const std::string& title);

// The socket of the first registered endpoint that follows the title rule and
// answers a connection; nullopt when there is none.
std::optional<std::string> FindHostWindow();

// A registered endpoint of this process: listening at once, removed (socket
// and title) on destruction or Unregister.
class EndpointRegistration {
 public:
  EndpointRegistration() = default;
  ~EndpointRegistration();
  EndpointRegistration(const EndpointRegistration&) = delete;
  EndpointRegistration& operator=(const EndpointRegistration&) = delete;

  // `stem` names the program ("gyre"); the process id is added. False with
  // the reason in `error`.
  bool Register(const std::string& stem, const std::string& title, std::string& error);
  void Unregister();
  int ListenFd() const { return listenFd_; }
  const std::string& SocketPath() const { return socketPath_; }

 private:
  int listenFd_ = -1;
  std::string socketPath_;
  std::string titlePath_;
};

}  // namespace kestrel
