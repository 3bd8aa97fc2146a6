#pragma once
// kestrel's own endpoint on the link: registered while the program runs, so
// that other programs can ask the frame "BearMsg" and reach it with the
// "KESTREL" broadcast. Connections are answered on the user-interface thread
// as they arrive, one frame each, with a bounded wait.
#include <QObject>
#include <string>

#include "hostlink/link_endpoints.h"
#include "hostlink/link_server.h"

class QSocketNotifier;

namespace kestrel {

class CProgressStatusBar;

class LinkEndpointServer : public QObject {
  Q_OBJECT

 public:
  LinkEndpointServer(const std::string& title, LinkAnswer answer, QObject* parent = nullptr);
  ~LinkEndpointServer() override;

  // Empty when the endpoint could not be registered (the program runs on
  // without it).
  const std::string& SocketPath() const { return endpoint_.SocketPath(); }

 private:
  void OnConnection();

  EndpointRegistration endpoint_;
  QSocketNotifier* notifier_ = nullptr;
  LinkAnswer answer_;
};

// The frame's answers: "BearMsg" with the status bar's selector indices
// (0 while there is no status bar), the "KESTREL" broadcast of another
// kestrel with 1, anything else with 0.
std::int32_t AnswerFrameMessage(CProgressStatusBar* statusBar, const LinkFrame& frame);

}  // namespace kestrel
