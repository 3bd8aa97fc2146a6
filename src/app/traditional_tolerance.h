#pragma once
// The 3Hair tolerance of the Traditional Stadia sheet.
#include <QDialog>
#include <cstdint>
#include <optional>

class QLineEdit;

namespace kestrel {

class CTraditionalTolerance : public QDialog {
  Q_OBJECT

 public:
  explicit CTraditionalTolerance(QWidget* parent = nullptr);
  // The typed tolerance in thousandths of a staff unit, rounded to a whole
  // number; nothing when the text is not a number.
  std::optional<std::int64_t> Thousandths() const;
  QLineEdit* Edit() const { return edit_; }

 private:
  QLineEdit* edit_;
};

// Shows the dialog; the tolerance in thousandths, or nothing when cancelled.
std::optional<std::int64_t> AskTraditionalTolerance(QWidget* parent);

}  // namespace kestrel
