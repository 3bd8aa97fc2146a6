#pragma once
// The desktop's side of the ports through which the sheets reach it: message
// boxes, the desktop viewer, the status bar's progress and selectors, the
// clipboard, the save-file dialog and the printer page. Texts cross from
// Windows-1252 to Qt's Unicode here and nowhere else.
#include <QPointer>
#include <QString>
#include <QWidget>
#include <string_view>

#include "platform/ports.h"

class QPainter;

namespace kestrel {

class CProgressStatusBar;

// A core text (Windows-1252) for a widget, and back.
QString ToQt(std::string_view cp1252);
std::string FromQt(const QString& text);
// A native path (UTF-8 bytes on Linux) for Qt, and back.
QString PathToQt(const std::string& path);
std::string PathFromQt(const QString& path);

class QtMessages : public Messages {
 public:
  void SetParent(QWidget* parent) { parent_ = parent; }
  void Show(std::string_view text) override;
  bool AskOkCancel(std::string_view text) override;
  bool AskYesNo(std::string_view text) override;

 private:
  QPointer<QWidget> parent_;
};

class QtShell : public Shell {
 public:
  void OpenFile(const std::string& path) override;
};

// Progress on the status bar; silent until the frame has made its bar.
class QtProgress : public Progress {
 public:
  void SetStatusBar(CProgressStatusBar* bar);
  void SetText(std::string_view text) override;
  void Show(int low, int high, int step) override;
  void Step() override;
  void Hide() override;

 private:
  QPointer<CProgressStatusBar> bar_;
  int step_ = 1;
};

class QtClipboard : public Clipboard {
 public:
  bool GetText(std::string& text) override;
  void SetText(std::string_view text) override;
};

// The status bar's selectors; whole circle and metres (0) while there is no
// status bar.
class QtUnitSelectors : public UnitSelectors {
 public:
  void SetStatusBar(CProgressStatusBar* bar);
  int BearingMode() override;
  int DistanceUnit() override;

 private:
  QPointer<CProgressStatusBar> bar_;
};

class QtDialogs : public Dialogs {
 public:
  void SetParent(QWidget* parent) { parent_ = parent; }
  std::optional<std::string> AskSaveFileName(std::string_view defaultExtension,
                                             const std::string& initialFolder) override;
  // A number dialog titled "Kestrel" (the level sheet's road number).
  std::optional<int> AskInteger(std::string_view prompt, int offered) override;

 private:
  QPointer<QWidget> parent_;
};

// A printer page in twips with y growing upwards, on a painter whose device
// is the printer: (x, y) is the top left of the text.
// `scale` below 1 draws everything smaller by that factor (the painter is
// scaled by the caller); the page then holds more twips across and down.
// With `measureOnly` nothing is drawn: the canvas only notes how far right
// the texts reach.
class QtPageCanvas : public PageCanvas {
 public:
  explicit QtPageCanvas(QPainter& painter, double scale = 1.0, bool measureOnly = false);
  void DrawText(int x, int y, std::string_view text) override;
  int LineHeight() override;
  // Twips across and down the page's printable area.
  int PageWidthTwips() const;
  int PageHeightTwips() const;
  // The right end of the widest text drawn so far, in twips.
  int RightmostTwips() const { return rightmost_; }

 private:
  QPainter& painter_;
  double scale_;
  bool measureOnly_;
  double pixelsPerTwipX_;
  double pixelsPerTwipY_;
  int rightmost_ = 0;
};

}  // namespace kestrel
