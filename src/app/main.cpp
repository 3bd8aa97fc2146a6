// kestrel: started by the host with one argument naming the sheet kind and the
// job ("stadia,c:,\data\,tst,0,3,4"), by hand with a bare keyword, or with
// nothing.
#include <QApplication>
#include <clocale>
#include <optional>
#include <string>

#include "app/kestrel_app.h"
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
  const int status = QApplication::exec();
  app.ExitInstance();
  // Tells every program on the link that kestrel has finished.
  kestrel::BroadcastRegisteredMessage("KESTREL");
  return status;
}
