#pragma once
// The program's one top-level window: the menus, the main toolbar, the bars of
// the sheet kind the program was started for, and the status bar with the
// unit selectors. Every menu entry and button is an action carrying its
// command number; the command router decides what it does and whether it is
// enabled.
#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <map>

class QMenu;
class QToolBar;

namespace kestrel {

class CGeoidBar;
class CKestrelView;
class CMiscloseBar;
class CMiscloseBar1;
class CProgressStatusBar;
class CommandRouter;
class SheetRegistry;
struct ApplicationState;
struct MiscloseTexts;

inline constexpr int kRecentFileCount = 4;

class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  CMainFrame(ApplicationState& app, const SheetRegistry& registry, CommandRouter& router,
             QWidget* parent = nullptr);
  ~CMainFrame() override;

  // Builds the menus, the main toolbar, the bars of the sheet kind whose flag
  // is set and the status bar. False when a step failed.
  bool OnCreate();
  bool IsCreated() const { return created_; }

  // The action of a command number; nullptr for a number without one.
  QAction* Action(int id) const;
  CProgressStatusBar* StatusBar() const { return statusBar_; }
  QToolBar* MainToolBar() const { return mainToolBar_; }
  CMiscloseBar* MiscloseBar() const { return miscloseBar_; }
  CMiscloseBar1* AdjustmentBar() const { return adjustmentBar_; }
  CGeoidBar* GeoidBar() const { return geoidBar_; }
  QToolBar* LevelBookBar() const { return levelBookBar_; }

  // The bars of the sheet kinds, made by the kinds' registrations.
  void AddTraverseBars();
  void AddGeoidBar();
  void AddLevelBookBar();
  // Fills the misclose and adjustment bars' boxes (nothing without them).
  void ShowMisclose(const MiscloseTexts& texts);

  void SetView(CKestrelView* view);
  CKestrelView* View() const { return view_; }

  // Enables, disables and ticks every action as the router says.
  void UpdateCommandUI();
  // The recent-file entries of the File menu, most recent first.
  void SetRecentFiles(const QStringList& paths);
  // "<document> - Kestrel", marked while the document is modified.
  void UpdateTitle(const QString& documentTitle, bool modified);

  // Asked before the window closes; false keeps it open.
  std::function<bool()> canClose;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QAction* MakeAction(int id, const QString& text, const QKeySequence& shortcut = {},
                      const QString& iconText = {});
  void CreateActions();
  void CreateMenus();
  void CreateMainToolBar();
  void RegisterFrameCommands();

  ApplicationState& app_;
  const SheetRegistry& registry_;
  CommandRouter& router_;
  std::map<int, QAction*> actions_;
  QMenu* fileMenu_ = nullptr;
  QAction* recentSeparator_ = nullptr;
  QToolBar* mainToolBar_ = nullptr;
  CMiscloseBar* miscloseBar_ = nullptr;
  CMiscloseBar1* adjustmentBar_ = nullptr;
  CGeoidBar* geoidBar_ = nullptr;
  QToolBar* levelBookBar_ = nullptr;
  CProgressStatusBar* statusBar_ = nullptr;
  CKestrelView* view_ = nullptr;
  bool created_ = false;
};

}  // namespace kestrel
