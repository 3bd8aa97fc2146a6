#pragma once
// The answering side of the link: one connection, one frame, its replies and
// its result. gyre-host answers the point messages this way, and kestrel's
// frame answers "BearMsg".
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "hostlink/link_frame.h"

namespace kestrel {

// Answers a frame: may write reply frames to `fd`, returns the result.
using LinkAnswer = std::function<std::int32_t(int fd, const LinkFrame& frame)>;

enum class ServeOutcome { kAnswered, kOtherUser, kRefused, kTimeout, kClosed };

// Refuses a peer of another user before reading anything; reads one frame
// within `timeoutMs`; answers it and writes the result. A refused, cut or
// late frame is not answered.
ServeOutcome AnswerConnection(int fd, int timeoutMs, const LinkAnswer& answer);

// "BearMsg" over the link: wParam and lParam as two i32.
std::string EncodeBearMsg(std::int32_t wParam, std::int32_t lParam);
// The frame's answer. With wParam 4 the selectors' list indices: lParam 0
// the bearing selector's, any other lParam the distance selector's; with any
// other wParam 1. (The answer once was a member's address, which means
// nothing to another process.)
std::int32_t AnswerBearMsg(std::string_view payload, int bearingIndex, int distanceIndex);

// Asks the program at `endpoint`; 0 when it cannot be asked.
int SendBearMsg(const std::string& endpoint, std::int32_t wParam, std::int32_t lParam,
                int timeoutMs = 1000);

}  // namespace kestrel
