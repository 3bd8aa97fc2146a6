#pragma once
// Sending a link message to the host and receiving its replies: the host's
// reply messages arrive, and are handled, before the result of the send, so
// their effects are visible when the send returns.
#include <cstdint>
#include <string>
#include <string_view>

namespace kestrel {

// How long one frame from the host may take before the send counts as
// failed.
inline constexpr int kLinkTimeoutMs = 10000;

// The receiver of the host's reply messages (the view's data-copy handler).
class LinkReplyHandler {
 public:
  virtual ~LinkReplyHandler() = default;
  virtual int OnCopyData(std::uint32_t code, std::string_view payload) = 0;
};

// The host's result; 0 (the failure signal) when the host cannot be reached,
// is not run by this user, hangs up, sends a frame that is refused or stays
// silent past the timeout.
int SendLinkMessage(const std::string& endpoint, std::uint32_t code, std::string_view payload,
                    LinkReplyHandler& replies, int timeoutMs = kLinkTimeoutMs);

// Sends the registered message `name` to every registered endpoint, whatever
// its title; endpoints that do not answer are passed over.
void BroadcastRegisteredMessage(const std::string& name, int timeoutMs = 1000);

}  // namespace kestrel
