#include "app/link_endpoint_server.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QComboBox>
#include <QSocketNotifier>

#include "app/progress_status_bar.h"

namespace kestrel {

namespace {

constexpr int kFrameWaitMs = 1000;  // the longest a silent peer holds the window

}  // namespace

LinkEndpointServer::LinkEndpointServer(const std::string& title, LinkAnswer answer, QObject* parent)
    : QObject(parent), answer_(std::move(answer)) {
  std::string error;
  if (!endpoint_.Register("kestrel", title, error)) return;
  notifier_ = new QSocketNotifier(endpoint_.ListenFd(), QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &LinkEndpointServer::OnConnection);
}

LinkEndpointServer::~LinkEndpointServer() {
  if (notifier_ != nullptr) notifier_->setEnabled(false);
  endpoint_.Unregister();
}

void LinkEndpointServer::OnConnection() {
  const int fd = accept4(endpoint_.ListenFd(), nullptr, nullptr, SOCK_CLOEXEC);
  if (fd < 0) return;
  AnswerConnection(fd, kFrameWaitMs, answer_);
  close(fd);
}

std::int32_t AnswerFrameMessage(CProgressStatusBar* statusBar, const LinkFrame& frame) {
  if (frame.code == kFrameBroadcast) return 1;
  if (frame.code != kFrameBearMsg) return 0;
  const int bearing = statusBar ? statusBar->BearingSelector()->currentIndex() : 0;
  const int distance = statusBar ? statusBar->DistanceSelector()->currentIndex() : 0;
  return AnswerBearMsg(frame.payload, bearing, distance);
}

}  // namespace kestrel
