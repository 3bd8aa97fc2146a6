#include "app/qt_ports.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QProgressBar>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <limits>

#include "app/progress_status_bar.h"
#include "platform/text_encoding.h"

namespace kestrel {
namespace {

constexpr int kTwipsPerInch = 1440;
const char* const kMessageTitle = "Kestrel";

}  // namespace

QString ToQt(std::string_view cp1252) { return QString::fromStdString(Cp1252ToUtf8(cp1252)); }

std::string FromQt(const QString& text) { return Utf8ToCp1252(text.toStdString()); }

QString PathToQt(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string PathFromQt(const QString& path) { return QFile::encodeName(path).toStdString(); }

void QtMessages::Show(std::string_view text) {
  QMessageBox::information(parent_, kMessageTitle, ToQt(text));
}

bool QtMessages::AskOkCancel(std::string_view text) {
  return QMessageBox::question(parent_, kMessageTitle, ToQt(text),
                               QMessageBox::Ok | QMessageBox::Cancel,
                               QMessageBox::Ok) == QMessageBox::Ok;
}

bool QtMessages::AskYesNo(std::string_view text) {
  return QMessageBox::question(parent_, kMessageTitle, ToQt(text),
                               QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::Yes) == QMessageBox::Yes;
}

// A desktop without a viewer for the file's kind must not fail silently: the
// user is told where the file is, so it can be opened by hand.
void QtShell::OpenFile(const std::string& path) {
  if (QDesktopServices::openUrl(QUrl::fromLocalFile(PathToQt(path)))) return;
  QMessageBox::warning(QApplication::activeWindow(), kMessageTitle,
                       QString("No program on this desktop could open the file\n%1\n\n"
                               "It has been written and can be opened by hand.")
                           .arg(PathToQt(path)));
}

void QtProgress::SetStatusBar(CProgressStatusBar* bar) { bar_ = bar; }

void QtProgress::SetText(std::string_view text) {
  if (bar_) bar_->SetProgressText(ToQt(text));
}

void QtProgress::Show(int low, int high, int step) {
  if (!bar_) return;
  step_ = step;
  bar_->ProgressControl()->setRange(low, high);
  bar_->ProgressControl()->setValue(low);
  bar_->ShowProgress(true);
}

void QtProgress::Step() {
  if (!bar_) return;
  QProgressBar* control = bar_->ProgressControl();
  control->setValue(std::min(control->value() + step_, control->maximum()));
  control->repaint();
}

// The finished job's text goes with its progress control.
void QtProgress::Hide() {
  if (!bar_) return;
  bar_->ShowProgress(false);
  bar_->SetProgressText({});
}

bool QtClipboard::GetText(std::string& text) {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (data == nullptr || !data->hasText()) return false;
  text = FromQt(data->text());
  return true;
}

void QtClipboard::SetText(std::string_view text) {
  QGuiApplication::clipboard()->setText(ToQt(text));
}

void QtUnitSelectors::SetStatusBar(CProgressStatusBar* bar) { bar_ = bar; }

int QtUnitSelectors::BearingMode() { return bar_ ? bar_->BearingMode() : 0; }

int QtUnitSelectors::DistanceUnit() { return bar_ ? bar_->DistanceUnit() : 0; }

std::optional<std::string> QtDialogs::AskSaveFileName(std::string_view defaultExtension,
                                                      const std::string& initialFolder) {
  const QString extension = ToQt(defaultExtension);
  QFileDialog dialog(parent_, "Save As", PathToQt(initialFolder));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(extension);
  dialog.setNameFilters({QString("%1 files (*.%1)").arg(extension), "All Files (*)"});
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return PathFromQt(dialog.selectedFiles().front());
}

std::optional<int> QtDialogs::AskInteger(std::string_view prompt, int offered) {
  QInputDialog dialog(parent_);
  dialog.setWindowTitle("Kestrel");
  dialog.setInputMode(QInputDialog::IntInput);
  dialog.setIntRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  dialog.setLabelText(ToQt(prompt));
  dialog.setIntValue(offered);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.intValue();
}

QtPageCanvas::QtPageCanvas(QPainter& painter, double scale, bool measureOnly)
    : painter_(painter),
      scale_(scale > 0.0 ? scale : 1.0),
      measureOnly_(measureOnly),
      pixelsPerTwipX_(double(painter.device()->logicalDpiX()) / kTwipsPerInch),
      pixelsPerTwipY_(double(painter.device()->logicalDpiY()) / kTwipsPerInch) {}

void QtPageCanvas::DrawText(int x, int y, std::string_view text) {
  const QFontMetricsF metrics(painter_.font(), painter_.device());
  const QString shown = ToQt(text);
  const int right =
      x + static_cast<int>(std::ceil(metrics.horizontalAdvance(shown) / pixelsPerTwipX_));
  rightmost_ = std::max(rightmost_, right);
  if (measureOnly_) return;
  // y grows upwards on the page; the device's y grows downwards.
  const QPointF baseline(x * pixelsPerTwipX_, -y * pixelsPerTwipY_ + metrics.ascent());
  painter_.drawText(baseline, shown);
}

int QtPageCanvas::LineHeight() {
  const QFontMetricsF metrics(painter_.font(), painter_.device());
  return static_cast<int>(std::lround((metrics.height() + metrics.leading()) / pixelsPerTwipY_));
}

int QtPageCanvas::PageWidthTwips() const {
  return static_cast<int>(painter_.device()->width() / pixelsPerTwipX_ / scale_);
}

int QtPageCanvas::PageHeightTwips() const {
  return static_cast<int>(painter_.device()->height() / pixelsPerTwipY_ / scale_);
}

}  // namespace kestrel
