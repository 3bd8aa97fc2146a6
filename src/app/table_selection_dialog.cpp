#include "app/table_selection_dialog.h"

#include <QButtonGroup>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/qt_ports.h"
#include "job/job_location.h"
#include "job/new_sheet_file.h"
#include "job/table_selection.h"
#include "platform/number_text.h"
#include "platform/printf_format.h"

namespace kestrel {
namespace {

// The filter as the file dialog takes it: the description, then the pattern
// it filters by in parentheses (hidden from view, as descriptions such as
// "Level Sheets GYRE (lvlsh *.*)" do not name their pattern exactly). On
// Linux "*.*" would miss names without a dot, so all files are "*".
QString QtFilter(const BrowseFilter& filter) {
  const QString pattern = QString(filter.pattern) == "*.*" ? "*" : QString(filter.pattern);
  return QString("%1 (%2)").arg(QString(filter.description).trimmed(), pattern);
}

}  // namespace

CTableSelection::CTableSelection(Messages& messages, QWidget* parent)
    : QDialog(parent),
      messages_(messages),
      types_(new QButtonGroup(this)),
      numberLabel_(new QLabel(this)),
      number_(new QLineEdit(this)),
      path_(new QLineEdit(this)),
      browse_(new QPushButton("Browse...", this)),
      cancel_(new QPushButton("Cancel", this)),
      openExisting_(new QPushButton("Open Existing", this)),
      new_(new QPushButton("New", this)) {
  setWindowTitle("Field Table Selection");

  auto* group = new QGroupBox("Table Selection", this);
  auto* groupLayout = new QVBoxLayout(group);
  for (const SheetTypeInfo& info : SheetTypeTable()) {
    auto* button = new QRadioButton(info.radioText, group);
    types_->addButton(button, static_cast<int>(info.type));
    groupLayout->addWidget(button);
  }

  number_->setValidator(new QIntValidator(kMinSheetNumber, kMaxSheetNumber, number_));
  number_->setMaximumWidth(60);
  number_->installEventFilter(this);

  auto* fields = new QGridLayout;
  fields->addWidget(numberLabel_, 0, 0);
  fields->addWidget(number_, 0, 1, Qt::AlignLeft);
  fields->addWidget(new QLabel("Path", this), 1, 0);
  fields->addWidget(path_, 1, 1);
  fields->addWidget(browse_, 1, 2);
  path_->setMinimumWidth(320);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* button : {cancel_, openExisting_, new_}) {
    button->setAutoDefault(false);
    buttons->addWidget(button);
  }
  browse_->setAutoDefault(false);
  openExisting_->setDefault(true);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addLayout(fields);
  layout->addLayout(buttons);

  connect(types_, &QButtonGroup::idClicked, this, &CTableSelection::OnTypeChosen);
  connect(number_, &QLineEdit::textEdited, this, &CTableSelection::OnNumberEdited);
  connect(browse_, &QPushButton::clicked, this, &CTableSelection::OnBrowse);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(openExisting_, &QPushButton::clicked, this, &CTableSelection::OnOpenExisting);
  connect(new_, &QPushButton::clicked, this, &CTableSelection::OnNew);
}

void CTableSelection::Prepare(const JobLocation& job, SheetType type, int number) {
  job_ = job;
  SetType(type);
  number_->setText(QString::number(std::clamp(number, kMinSheetNumber, kMaxSheetNumber)));
  SetPath(InitialSheetPath(job_, type, Number()));
}

std::optional<SheetChoice> CTableSelection::Choose(const JobLocation& job, SheetType type,
                                                   int number) {
  Prepare(job, type, number);
  if (exec() != QDialog::Accepted) return std::nullopt;
  return Result();
}

SheetChoice CTableSelection::Result() const { return {Type(), PathText()}; }

SheetType CTableSelection::Type() const {
  const int id = types_->checkedId();
  return id < 0 ? SheetType::Stadia : static_cast<SheetType>(id);
}

int CTableSelection::Number() const {
  return std::clamp(ReadInt(FromQt(number_->text())), kMinSheetNumber, kMaxSheetNumber);
}

QRadioButton* CTableSelection::TypeButton(SheetType type) const {
  return qobject_cast<QRadioButton*>(types_->button(static_cast<int>(type)));
}

// Enter in the number field rebuilds the path and keeps the dialog open
// rather than pressing the default button.
bool CTableSelection::eventFilter(QObject* watched, QEvent* event) {
  if (watched == number_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      OnNumberEnter();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

QString CTableSelection::AskForSheetFile(const QString& folder, SheetType type) {
  QStringList filters;
  for (const BrowseFilter& filter : BrowseFilters()) filters << QtFilter(filter);
  QFileDialog dialog(this, "Open", folder);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setNameFilters(filters);
  dialog.selectNameFilter(filters.value(BrowseFilterIndex(type) - 1));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

void CTableSelection::SetType(SheetType type) {
  if (QRadioButton* button = TypeButton(type)) button->setChecked(true);
  numberLabel_->setText(LabelForType(type));
}

void CTableSelection::SetPath(const std::string& path) { path_->setText(PathToQt(path)); }

std::string CTableSelection::PathText() const { return PathFromQt(path_->text()); }

void CTableSelection::OnTypeChosen(int type) {
  const auto sheetType = static_cast<SheetType>(type);
  numberLabel_->setText(LabelForType(sheetType));
  SetPath(RebuildSheetPath(PathText(), sheetType, Number()));
}

void CTableSelection::OnNumberEdited() {
  if (number_->text().isEmpty()) return;
  SetPath(InitialSheetPath(job_, Type(), Number()));
}

void CTableSelection::OnNumberEnter() { SetPath(RebuildSheetPath(PathText(), Type(), Number())); }

void CTableSelection::OnBrowse() {
  const QString chosen = AskForSheetFile(PathToQt(BrowseFolder(PathText())), Type());
  if (chosen.isEmpty()) return;
  const BrowsedSheet sheet = SheetFromBrowsedFile(PathFromQt(chosen), Type(), Number());
  if (QRadioButton* button = TypeButton(sheet.type)) button->setChecked(true);
  numberLabel_->setText(sheet.label);
  number_->setText(QString::number(sheet.number));
  SetPath(sheet.path);
}

// A file that is not there is said so and the dialog stays open: opening it
// would only give an empty sheet under a name that lists as recent.
void CTableSelection::OnOpenExisting() {
  PrepareExistingSheetFile(Type(), PathText(), messages_);
  if (!QFileInfo::exists(PathToQt(NativePath(PathText())))) {
    messages_.Show(
        Sprintf("The file %s does not exist. Choose \"New\" to start it.", PathText().c_str()));
    return;
  }
  accept();
}

// The dialog closes with the path even when the file could not be made; the
// document then starts empty.
void CTableSelection::OnNew() {
  PrepareNewSheetFile(PathText(), messages_);
  accept();
}

}  // namespace kestrel
