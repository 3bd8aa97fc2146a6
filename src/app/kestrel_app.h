#pragma once
// The application object: the job and sheet-type state, the desktop's ports,
// the registered sheet kinds, the recent files, and start-up from the host's
// command line through to the open document in its frame.
#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/command_router.h"
#include "app/qt_ports.h"
#include "app/recent_files.h"
#include "app/sheet_registry.h"
#include "job/application_state.h"
#include "sheets/sheet_context.h"

namespace kestrel {

class CKestrelDoc;
class CKestrelView;
class CMainFrame;
class CTableSelection;

// Replacements for the desktop's ports and dialog (for tests); null members
// keep the desktop's own.
struct DesktopOverrides {
  Messages* messages = nullptr;
  Shell* shell = nullptr;
  Clipboard* clipboard = nullptr;
  Dialogs* dialogs = nullptr;
  Progress* progress = nullptr;
  SheetChooser* chooser = nullptr;
};

class CKestrelApp : public QObject {
  Q_OBJECT

 public:
  // Make it after the QApplication.
  CKestrelApp() : CKestrelApp(DesktopOverrides{}) {}
  explicit CKestrelApp(const DesktopOverrides& overrides);
  ~CKestrelApp() override;

  // Start-up with the host's one argument (nullopt when started without one):
  // reads the command line, lets the user choose the sheet unless the command
  // line numbers it, makes the frame and opens the sheet. False when the user
  // cancelled the choice: the program then ends without a window.
  bool InitInstance(const std::optional<std::string>& argument);
  // After the frame has closed: tells other programs that Kestrel has ended.
  int ExitInstance();

  // The closing notification ("KESTREL") to the host's programs; nothing is
  // sent until the host link plugs in here.
  std::function<void(const std::string& message)> broadcast;

  ApplicationState& State() { return state_; }
  SheetContext& Context() { return context_; }
  SheetRegistry& Registry() { return registry_; }
  CommandRouter& Router() { return router_; }
  RecentFileList& RecentFiles() { return recent_; }
  CMainFrame* MainFrame() const { return frame_.get(); }
  CKestrelDoc* Document() const { return doc_.get(); }
  CKestrelView* View() const;

  void OnFileNew();
  void OnFileOpen();
  void OnFileOpenRecent(int index);
  void OnHelpTopics();

 private:
  void CreateFrame();
  void RegisterCommands();
  void ConnectFrame();
  // Replaces the document by the file, telling the user when its kind has no
  // sheet in this build.
  void OpenSheetFile(const std::string& path);
  void RefreshRecentFiles();

  ApplicationState state_;
  QtMessages qtMessages_;
  QtShell qtShell_;
  QtProgress qtProgress_;
  QtClipboard qtClipboard_;
  QtDialogs qtDialogs_;
  QtUnitSelectors qtUnits_;
  std::unique_ptr<CTableSelection> tableSelection_;
  SheetContext context_;
  SheetRegistry registry_;
  CommandRouter router_;
  RecentFileList recent_;
  std::unique_ptr<CKestrelDoc> doc_;
  std::unique_ptr<CMainFrame> frame_;
};

}  // namespace kestrel
