#include "hostlink/link_server.h"

#include "hostlink/link_client.h"
#include "hostlink/link_messages.h"
#include "hostlink/link_socket.h"

namespace kestrel {

namespace {

class NoReplies : public LinkReplyHandler {
 public:
  int OnCopyData(std::uint32_t, std::string_view) override { return 0; }
};

}  // namespace

ServeOutcome AnswerConnection(int fd, int timeoutMs, const LinkAnswer& answer) {
  if (!PeerIsSameUser(fd)) return ServeOutcome::kOtherUser;
  LinkFrame frame;
  switch (ReadFrame(fd, frame, timeoutMs)) {
    case ReadStatus::kFrame:
      break;
    case ReadStatus::kRefused:
      return ServeOutcome::kRefused;
    case ReadStatus::kTimeout:
      return ServeOutcome::kTimeout;
    case ReadStatus::kClosed:
      return ServeOutcome::kClosed;
  }
  WriteFrame(fd, kFrameResult, EncodeResult(answer(fd, frame)));
  return ServeOutcome::kAnswered;
}

std::string EncodeBearMsg(std::int32_t wParam, std::int32_t lParam) {
  return EncodeNumbers({static_cast<std::uint32_t>(wParam), static_cast<std::uint32_t>(lParam)});
}

std::int32_t AnswerBearMsg(std::string_view payload, int bearingIndex, int distanceIndex) {
  const std::vector<std::uint32_t> words = DecodeNumbers(payload);
  if (words.size() != 2 || words[0] != 4) return 1;
  return words[1] == 0 ? bearingIndex : distanceIndex;
}

int SendBearMsg(const std::string& endpoint, std::int32_t wParam, std::int32_t lParam,
                int timeoutMs) {
  NoReplies replies;
  return SendLinkMessage(endpoint, kFrameBearMsg, EncodeBearMsg(wParam, lParam), replies,
                         timeoutMs);
}

}  // namespace kestrel
