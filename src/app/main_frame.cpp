#include "app/main_frame.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

#include "app/app_fonts.h"
#include "app/command_ids.h"
#include "app/command_router.h"
#include "app/kestrel_view.h"
#include "app/progress_status_bar.h"
#include "app/sheet_bars.h"
#include "app/sheet_registry.h"
#include "app/traverse_bar_commands.h"
#include "app/window_layout.h"
#include "job/application_state.h"

namespace kestrel {

CMainFrame::CMainFrame(ApplicationState& app, const SheetRegistry& registry, CommandRouter& router,
                       QWidget* parent)
    : QMainWindow(parent), app_(app), registry_(registry), router_(router) {
  setObjectName("MainFrame");
}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::OnCreate() {
  setFont(FrameFont());
  CreateActions();
  CreateMenus();
  CreateMainToolBar();
  if (const std::optional<SheetType> type = app_.flags.First()) {
    const DesktopSheetKind* kind = registry_.Find(*type);
    if (kind != nullptr && kind->createBars) kind->createBars(*this);
  }
  statusBar_ = new CProgressStatusBar(app_, this);
  setStatusBar(statusBar_);
  RegisterFrameCommands();
  RestoreWindowLayout(*this);
  created_ = true;
  UpdateCommandUI();
  return true;
}

QAction* CMainFrame::Action(int id) const {
  const auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

QAction* CMainFrame::MakeAction(int id, const QString& text, const QKeySequence& shortcut,
                                const QString& iconText) {
  auto* action = new QAction(text, this);
  action->setData(id);
  action->setShortcut(shortcut);
  if (!iconText.isEmpty()) action->setIconText(iconText);
  QString tip = text;
  tip.remove('&');
  tip.remove("...");
  action->setToolTip(tip);
  action->setStatusTip(tip);
  connect(action, &QAction::triggered, this, [this, id] {
    router_.Run(id);
    UpdateCommandUI();
  });
  actions_[id] = action;
  return action;
}

void CMainFrame::CreateActions() {
  QStyle* look = style();
  MakeAction(kIdFileNew, "&New", QKeySequence::New)
      ->setIcon(look->standardIcon(QStyle::SP_FileIcon));
  MakeAction(kIdFileOpen, "&Open...", QKeySequence::Open)
      ->setIcon(look->standardIcon(QStyle::SP_DialogOpenButton));
  MakeAction(kIdFileSave, "&Save", QKeySequence::Save)
      ->setIcon(look->standardIcon(QStyle::SP_DialogSaveButton));
  MakeAction(kIdFileSaveAs, "Save &As...");
  MakeAction(kIdFilePrint, "&Print...", QKeySequence::Print, "Print");
  MakeAction(kIdFilePrintPreview, "Print Pre&view");
  MakeAction(kIdFilePrintSetup, "P&rint Setup...");
  MakeAction(kIdPrintToPdf, "Print to P&DF...");
  MakeAction(kIdPrintToFile, "Print to File");
  for (int i = 0; i < kRecentFileCount; ++i) MakeAction(kIdFileMru1 + i, {})->setVisible(false);
  MakeAction(kIdAppExit, "E&xit", QKeySequence::Quit);

  MakeAction(kIdEditUndo, "&Undo", QKeySequence::Undo);
  MakeAction(kIdEditRedo, "&Redo", QKeySequence::Redo);
  MakeAction(kIdEditCut, "Cu&t", QKeySequence::Cut, "Cut");
  MakeAction(kIdEditCopy, "&Copy", QKeySequence::Copy, "Copy");
  MakeAction(kIdEditPaste, "&Paste", QKeySequence::Paste, "Paste");

  MakeAction(kIdViewToolbar, "&Toolbar")->setCheckable(true);
  MakeAction(kIdViewStatusBar, "Status &Bar")->setCheckable(true);
  MakeAction(kIdViewPlan, "&Plan", QKeySequence("Ctrl+L"), "Plan")->setCheckable(true);
  MakeAction(kIdShowCoordinates, "&Show Coordinates", QKeySequence("Ctrl+K"), "Coords")
      ->setCheckable(true);
  MakeAction(kIdMoveToStart, "Move to Start of Data", QKeySequence("Ctrl+Home"));
  MakeAction(kIdMoveToEnd, "Move to Data End", QKeySequence("Ctrl+End"));
  MakeAction(kIdPageUp, "Page Up");
  MakeAction(kIdPageDown, "Page Down");

  MakeAction(kIdCalculateCoordinates, "Calculate Coordinates", QKeySequence("F9"), "Calc");
  MakeAction(kIdCalculateMisclose, "Calculate misclose values", {}, "Misclose");
  MakeAction(kIdAngularClose, "Perform Angular Close", {}, "Ang");
  MakeAction(kIdBowditch, "Perform Bowditch Close", {}, "Bow");
  MakeAction(kIdCompass, "Perform Compass Close", {}, "Comp");
  MakeAction(kIdTransit, "Perform Transit Close", {}, "Tran");
  MakeAction(kIdCrandall, "Perform Crandall Close (Least Squares)", {}, "Cran");
  MakeAction(kIdHeightAdjustment, "Perform Height Adjustment", {}, "Ht");
  MakeAction(kIdLeastSquares, "Least Squares Adjustment...", {}, "LSQ");
  MakeAction(kIdGeoidParameters, "Geoid Parameters...", {}, "Geoid");
  MakeAction(kIdTraditionalTolerance, "Traditional Tolerance...");
  MakeAction(kIdVerticalHeightAdjustment, "Vertical Height Adjustment");
  MakeAction(kIdCheckShotReport, "Check Shot Report");
  MakeAction(kIdExportLandXml, "Export LandXML file");

  MakeAction(kIdGetPoint, "Get &Point", QKeySequence("Ctrl+G"), "Get Pt");
  MakeAction(kIdFindSetup, "&Find Setup", QKeySequence("Ctrl+F"), "Setup");
  MakeAction(kIdPointCode, "Point &Code", {}, "Code");
  MakeAction(kIdReplaceCode, "&Replace Code");
  MakeAction(kIdRenumberPoints, "Re&number Points");
  MakeAction(kIdReplaceCodeTable, "Replace Code Table");
  MakeAction(kIdEntryType, "&Entry Type", QKeySequence("Ctrl+E"));
  MakeAction(kIdAppendSheet, "Append Stadia...");

  MakeAction(kIdGetDatabase, "Get &Database");
  MakeAction(kIdStoreInDatabase, "Store Data in Database", {}, "Store");
  MakeAction(kIdCheckDuplicates, "Check for Duplicates");
  MakeAction(kIdObservationStrings, "Store Observations as Strings");
  MakeAction(kIdWriteStrings, "Write strings");

  MakeAction(kIdHelpTopics, "&Help Topics", QKeySequence::HelpContents, "Help");
  MakeAction(kIdAppAbout, "&About Kestrel...");
}

void CMainFrame::CreateMenus() {
  const auto fill = [this](QMenu* menu, std::initializer_list<int> ids) {
    for (int id : ids) {
      if (id == 0) {
        menu->addSeparator();
      } else {
        menu->addAction(Action(id));
      }
    }
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
  };
  fileMenu_ = menuBar()->addMenu("&File");
  fill(fileMenu_, {kIdFileNew, kIdFileOpen, kIdFileSave, kIdFileSaveAs, 0, kIdFilePrint,
                   kIdFilePrintPreview, kIdFilePrintSetup, kIdPrintToPdf, kIdPrintToFile});
  recentSeparator_ = fileMenu_->addSeparator();
  recentSeparator_->setVisible(false);
  fill(fileMenu_, {kIdFileMru1, kIdFileMru1 + 1, kIdFileMru1 + 2, kIdFileMru1 + 3, 0, kIdAppExit});
  fill(menuBar()->addMenu("&Edit"),
       {kIdEditUndo, kIdEditRedo, 0, kIdEditCut, kIdEditCopy, kIdEditPaste});
  fill(menuBar()->addMenu("&View"),
       {kIdViewToolbar, kIdViewStatusBar, 0, kIdShowCoordinates, kIdViewPlan, 0, kIdMoveToStart,
        kIdMoveToEnd, kIdPageUp, kIdPageDown});
  fill(menuBar()->addMenu("&Calculate"),
       {kIdCalculateCoordinates, 0, kIdCalculateMisclose, kIdAngularClose, kIdBowditch, kIdCompass,
        kIdTransit, kIdCrandall, kIdHeightAdjustment, 0, kIdLeastSquares, kIdGeoidParameters,
        kIdTraditionalTolerance, kIdVerticalHeightAdjustment, 0, kIdCheckShotReport,
        kIdExportLandXml});
  fill(menuBar()->addMenu("&Points"),
       {kIdGetPoint, kIdFindSetup, kIdPointCode, kIdReplaceCode, kIdRenumberPoints,
        kIdReplaceCodeTable, 0, kIdEntryType, kIdAppendSheet});
  fill(menuBar()->addMenu("&Database"), {kIdGetDatabase, kIdStoreInDatabase, kIdCheckDuplicates,
                                         kIdObservationStrings, kIdWriteStrings});
  fill(menuBar()->addMenu("&Help"), {kIdHelpTopics, kIdAppAbout});
}

void CMainFrame::CreateMainToolBar() {
  mainToolBar_ = addToolBar("Standard");
  mainToolBar_->setObjectName("MainToolBar");
  for (int id : std::initializer_list<int>{
           kIdFileNew, kIdFileOpen, kIdFileSave, 0, kIdEditCut, kIdEditCopy, kIdEditPaste, 0,
           kIdFilePrint, 0, kIdCalculateCoordinates, kIdShowCoordinates, kIdViewPlan, 0,
           kIdGetPoint, kIdFindSetup, kIdPointCode, 0, kIdHelpTopics}) {
    if (id == 0) {
      mainToolBar_->addSeparator();
    } else {
      mainToolBar_->addAction(Action(id));
    }
  }
}

void CMainFrame::AddTraverseBars() {
  const ActionLookup lookup = [this](int id) { return Action(id); };
  // Each bar on a row of its own: beside the main toolbar their boxes would
  // be folded away on any usual window width.
  adjustmentBar_ = new CMiscloseBar1(lookup, this);
  adjustmentBar_->setObjectName("AdjustmentBar");
  addToolBarBreak(Qt::TopToolBarArea);
  addToolBar(Qt::TopToolBarArea, adjustmentBar_);
  miscloseBar_ = new CMiscloseBar(lookup, this);
  addToolBarBreak(Qt::TopToolBarArea);
  addToolBar(Qt::TopToolBarArea, miscloseBar_);
}

void CMainFrame::AddGeoidBar() {
  geoidBar_ = new CGeoidBar([this](int id) { return Action(id); }, this);
  geoidBar_->setObjectName("GeoidBar");
  addToolBar(Qt::TopToolBarArea, geoidBar_);
  // The calculation reads the bar through the application state.
  const auto keep = [this] {
    app_.geoidCorrection = geoidBar_->IsGeoidCorrection();
    app_.verticalAdjustment = geoidBar_->VerticalAdjustment();
  };
  connect(geoidBar_->GeoidCorrectionBox(), &QCheckBox::stateChanged, this, keep);
  connect(geoidBar_->VerticalAdjustmentBox(), &QLineEdit::textChanged, this, keep);
  keep();
  // The boxes take input only where the sheet's calculation reads them.
  const std::optional<SheetType> type = app_.flags.First();
  const DesktopSheetKind* kind = type ? registry_.Find(*type) : nullptr;
  const bool read = kind != nullptr && kind->core != nullptr && kind->core->readsGeoidBar;
  geoidBar_->GeoidCorrectionBox()->setEnabled(read);
  geoidBar_->VerticalAdjustmentBox()->setEnabled(read);
}

void CMainFrame::AddLevelBookBar() {
  levelBookBar_ = CreateLevelBookBar([this](int id) { return Action(id); }, this);
  levelBookBar_->setObjectName("LevelBookBar");
  addToolBar(Qt::TopToolBarArea, levelBookBar_);
}

void CMainFrame::ShowMisclose(const MiscloseTexts& texts) {
  if (miscloseBar_ != nullptr)
    miscloseBar_->SetMisclose(texts.angular, texts.bearing, texts.distance);
  if (adjustmentBar_ != nullptr) {
    adjustmentBar_->SetPerimeter(texts.perimeter);
    adjustmentBar_->SetAccuracy(texts.accuracy);
  }
}

void CMainFrame::RegisterFrameCommands() {
  router_.Register(kIdViewToolbar,
                   {[this] { mainToolBar_->setVisible(!mainToolBar_->isVisible()); },
                    {},
                    [this] { return !mainToolBar_->isHidden(); }});
  router_.Register(kIdViewStatusBar, {[this] { statusBar_->setVisible(!statusBar_->isVisible()); },
                                      {},
                                      [this] { return !statusBar_->isHidden(); }});
  router_.Register(kIdAppExit, {[this] { close(); }, {}, {}});
}

void CMainFrame::SetView(CKestrelView* view) {
  view_ = view;
  setCentralWidget(view);
}

void CMainFrame::UpdateCommandUI() {
  for (const auto& [id, action] : actions_) {
    action->setEnabled(router_.IsEnabled(id));
    if (action->isCheckable()) action->setChecked(router_.IsChecked(id));
  }
}

void CMainFrame::SetRecentFiles(const QStringList& paths) {
  for (int i = 0; i < kRecentFileCount; ++i) {
    QAction* action = Action(kIdFileMru1 + i);
    const bool used = i < paths.size();
    action->setVisible(used);
    if (used) action->setText(QString("&%1 %2").arg(i + 1).arg(paths[i]));
  }
  recentSeparator_->setVisible(!paths.isEmpty());
}

void CMainFrame::UpdateTitle(const QString& documentTitle, bool modified) {
  setWindowTitle(documentTitle + "[*] - Kestrel");
  setWindowModified(modified);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (canClose && !canClose()) {
    event->ignore();
    return;
  }
  SaveWindowLayout(*this);
  event->accept();
}

}  // namespace kestrel
