#include "app/kestrel_app.h"

#include <QDir>
#include <QMessageBox>

#include "adjust/geoid_data.h"
#include "app/app_fonts.h"
#include "app/command_ids.h"
#include "app/geodetic_values_dialog.h"
#include "app/help_files.h"
#include "app/kestrel_doc.h"
#include "app/kestrel_view.h"
#include "app/main_frame.h"
#include "app/plan_dock.h"
#include "app/progress_status_bar.h"
#include "app/sheet_bars.h"
#include "app/starting_folder.h"
#include "app/table_selection_dialog.h"
#include "app/traverse_bar_commands.h"
#include "grid/my_cug.h"
#include "job/choose_sheet.h"
#include "job/host_command_line.h"
#include "job/recent_sheet.h"

namespace kestrel {
namespace {

template <typename Port>
Port& Choose(Port* override, Port& own) {
  return override != nullptr ? *override : own;
}

}  // namespace

CKestrelApp::CKestrelApp(const DesktopOverrides& overrides)
    : tableSelection_(
          std::make_unique<CTableSelection>(Choose<Messages>(overrides.messages, qtMessages_))),
      context_{state_,
               Choose<Messages>(overrides.messages, qtMessages_),
               Choose<Progress>(overrides.progress, qtProgress_),
               Choose<Clipboard>(overrides.clipboard, qtClipboard_),
               Choose<Shell>(overrides.shell, qtShell_),
               Choose<Dialogs>(overrides.dialogs, qtDialogs_),
               qtUnits_,
               Choose<SheetChooser>(overrides.chooser, *tableSelection_)} {
  InstallFontSubstitutes();
  RegisterBuiltinSheets(registry_);
}

CKestrelApp::~CKestrelApp() = default;

CKestrelView* CKestrelApp::View() const { return frame_ ? frame_->View() : nullptr; }

bool CKestrelApp::InitInstance(const std::optional<std::string>& argument) {
  recent_.Load();
  const HostCommandLine command = ApplyHostCommandLine(argument.value_or(std::string()), state_);
  // Without a job from the host the built-in Windows folder means nothing
  // here: the dialog starts where the user last worked, or at home.
  if (!command.hasArgument) state_.job = StartingJob(state_.job, recent_.First(), QDir::homePath());
  std::string path;
  if (ChooseSheet(state_, path, command.NumberForChooser(), recent_.First(), context_.chooser) ==
      0) {
    return false;
  }
  doc_ = std::make_unique<CKestrelDoc>(context_, registry_);
  doc_->fileUsed = [this](const std::string& used) {
    recent_.Add(used);
    RefreshRecentFiles();
  };
  CreateFrame();
  if (command.hasArgument) {
    OpenSheetFile(NativePath(path));
  } else {
    doc_->OnNewDocument();
  }
  state_.startupComplete = true;
  frame_->show();
  frame_->UpdateCommandUI();
  return true;
}

int CKestrelApp::ExitInstance() {
  if (broadcast) broadcast("KESTREL");
  return 0;
}

void CKestrelApp::CreateFrame() {
  frame_ = std::make_unique<CMainFrame>(state_, registry_, router_);
  RegisterCommands();
  frame_->OnCreate();
  frame_->SetView(new CKestrelView(*doc_, router_, frame_.get()));
  auto* plan = new CPlanDock(*frame_->View(), frame_.get());
  plan->Register(router_);
  frame_->addDockWidget(Qt::RightDockWidgetArea, plan);
  connect(frame_->StatusBar(), &CProgressStatusBar::SelectorsChanged, plan,
          &CPlanDock::UnitsChanged);
  qtUnits_.SetStatusBar(frame_->StatusBar());
  qtProgress_.SetStatusBar(frame_->StatusBar());
  qtMessages_.SetParent(frame_.get());
  qtDialogs_.SetParent(frame_.get());
  ConnectFrame();
  RefreshRecentFiles();
}

void CKestrelApp::ConnectFrame() {
  CMainFrame* frame = frame_.get();
  CKestrelDoc* doc = doc_.get();
  const auto title = [frame, doc] { frame->UpdateTitle(doc->Title(), doc->IsModified()); };
  connect(doc, &CKestrelDoc::TitleChanged, frame, title);
  connect(doc, &CKestrelDoc::ModifiedChanged, frame, title);
  connect(doc, &CKestrelDoc::DocumentChanged, frame, &CMainFrame::UpdateCommandUI);
  connect(frame->StatusBar(), &CProgressStatusBar::SelectorsChanged, frame,
          [frame] { frame->View()->RedrawAll(); });
  connect(frame->View()->Grid(), &MyCug::SheetModified, frame, &CMainFrame::UpdateCommandUI);
  connect(frame->View(), &CKestrelView::ResultsNote, frame->StatusBar(),
          &CProgressStatusBar::SetResultsNote);
  TraverseBarCommands& traverse = frame->View()->TraverseCommands();
  traverse.showMisclose = [frame](const MiscloseTexts& texts) { frame->ShowMisclose(texts); };
  if (CMiscloseBar* bar = frame->MiscloseBar()) {
    CTraverseNoteList* list = bar->TraverseList();
    list->traverseNotes = [&traverse] { return traverse.RouteNotes(); };
    // Another sheet opened: its notes, and no misclose until it is asked for.
    connect(doc, &CKestrelDoc::DocumentChanged, list, [list, frame] {
      list->Refill();
      frame->ShowMisclose({});
    });
  }
  frame->canClose = [doc] { return doc->SaveModified(); };
  title();
}

void CKestrelApp::RegisterCommands() {
  router_.Register(kIdFileNew, {[this] { OnFileNew(); }, {}, {}});
  router_.Register(kIdFileOpen, {[this] { OnFileOpen(); }, {}, {}});
  for (int i = 0; i < kRecentFileCount; ++i) {
    router_.Register(kIdFileMru1 + i, {[this, i] { OnFileOpenRecent(i); }, {}, {}});
  }
  const auto hasSheet = [this] { return doc_->ActiveSheet() != nullptr; };
  router_.Register(kIdFileSave, {[this] { doc_->DoFileSave(); }, hasSheet, {}});
  router_.Register(kIdFileSaveAs, {[this] { doc_->DoSaveAs(); }, hasSheet, {}});
  router_.Register(kIdHelpTopics, {[this] { OnHelpTopics(); }, {}, {}});
  router_.Register(kIdGeoidParameters, {[this] {
                                          EditGeodeticValues(
                                              DefaultGeoidDataPath(), context_.messages,
                                              [](CGeodeticValues& dialog) {
                                                return dialog.exec() == QDialog::Accepted;
                                              });
                                        },
                                        {},
                                        {}});
  router_.Register(kIdAppAbout, {[this] {
                                   QMessageBox::about(frame_.get(), "About Kestrel",
                                                      "Kestrel version " KESTREL_VERSION
                                                      "\nField-book data entry and "
                                                      "reduction for land surveyors.");
                                 },
                                 {},
                                 {}});
}

void CKestrelApp::OpenSheetFile(const std::string& path) {
  doc_->OnOpenDocument(path);
  if (doc_->ActiveSheet() == nullptr) {
    context_.messages.Show("This kind of sheet cannot be opened by this version of Kestrel");
  }
}

void CKestrelApp::RefreshRecentFiles() {
  if (frame_) frame_->SetRecentFiles(recent_.ForDisplay());
}

void CKestrelApp::OnFileNew() {
  if (doc_->SaveModified()) doc_->OnNewDocument();
}

// The open document is offered for saving before the dialog can change the
// sheet kind it belongs to.
void CKestrelApp::OnFileOpen() {
  if (!doc_->SaveModified()) return;
  std::string path;
  if (ChooseSheet(state_, path, kNoSheetNumber, recent_.First(), context_.chooser) == 0) return;
  OpenSheetFile(NativePath(path));
}

void CKestrelApp::OnFileOpenRecent(int index) {
  if (index < 0 || index >= static_cast<int>(recent_.Files().size())) return;
  const std::string path = recent_.Files()[index];
  if (!doc_->SaveModified()) return;
  // The file's name alone decides its kind (a job-first name carries it in
  // the extension, after the job name).
  if (const std::optional<SheetNameMatch> match = RecognizeSheetFile(path)) {
    ApplySheetChoice(state_, {match->type, path});
  }
  OpenSheetFile(path);
}

void CKestrelApp::OnHelpTopics() {
  const std::optional<QString> page = HelpStartPage();
  if (!page) {
    context_.messages.Show("error finding help directory");
    return;
  }
  context_.shell.OpenFile(PathFromQt(*page));
}

}  // namespace kestrel
