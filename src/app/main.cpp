// kestrel: started by the host with one argument naming the sheet kind and the
// job ("stadia,c:,\data\,tst,0,3,4"), by hand with a bare keyword, or with
// nothing.
#include <QApplication>
#include <clocale>
#include <memory>
#include <optional>
#include <string>

#include "app/kestrel_app.h"
#include "app/link_endpoint_server.h"
#include "app/main_frame.h"
#include "hostlink/link_client.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QCoreApplication::setOrganizationName("Kestrel");
  QCoreApplication::setApplicationName("Kestrel");
  // Qt takes the user's locale; numbers are read and written in the C locale.
  std::setlocale(LC_NUMERIC, "C");

  kestrel::CKestrelApp app;
  std::optional<std::string> argument;
  if (argc > 1) argument = argv[1];
  if (!app.InitInstance(argument)) return app.ExitInstance();
  auto link = std::make_unique<kestrel::LinkEndpointServer>(
      "Kestrel", [&app](int, const kestrel::LinkFrame& frame) {
        kestrel::CMainFrame* frameWindow = app.MainFrame();
        return kestrel::AnswerFrameMessage(frameWindow ? frameWindow->StatusBar() : nullptr, frame);
      });
  const int status = QApplication::exec();
  link.reset();  // off the link before the broadcast
  app.ExitInstance();
  // Tells every program on the link that kestrel has finished.
  kestrel::BroadcastRegisteredMessage("KESTREL");
  return status;
}
