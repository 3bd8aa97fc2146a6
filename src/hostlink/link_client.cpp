#include "hostlink/link_client.h"

#include "hostlink/link_endpoints.h"
#include "hostlink/link_frame.h"
#include "hostlink/link_socket.h"

namespace kestrel {

int SendLinkMessage(const std::string& endpoint, std::uint32_t code, std::string_view payload,
                    LinkReplyHandler& replies, int timeoutMs) {
  SocketHandle socket(ConnectEndpoint(endpoint));
  if (socket.get() < 0 || !PeerIsSameUser(socket.get())) return 0;
  if (!WriteFrame(socket.get(), code, payload)) return 0;
  for (;;) {
    LinkFrame frame;
    if (ReadFrame(socket.get(), frame, timeoutMs) != ReadStatus::kFrame) return 0;
    if (frame.code == kFrameResult) return DecodeResult(frame.payload);
    replies.OnCopyData(frame.code, frame.payload);
  }
}

void BroadcastRegisteredMessage(const std::string& name, int timeoutMs) {
  std::string error;
  const auto folder = LinkFolder(error);
  if (!folder) return;
  for (const LinkEndpoint& endpoint : ListEndpoints(*folder)) {
    SocketHandle socket(ConnectEndpoint(endpoint.socketPath));
    if (socket.get() < 0 || !PeerIsSameUser(socket.get())) continue;
    if (!WriteFrame(socket.get(), kFrameBroadcast, name)) continue;
    LinkFrame frame;  // wait for the result, so the message is handled before exit
    ReadFrame(socket.get(), frame, timeoutMs);
  }
}

}  // namespace kestrel
