#pragma once
// "Get Point Specified": the point number the grid goes to.
#include <QDialog>
#include <cstdint>
#include <optional>

class QLineEdit;

namespace kestrel {

class CGetPointNumber : public QDialog {
  Q_OBJECT

 public:
  explicit CGetPointNumber(QWidget* parent = nullptr);
  // The typed number read as an integer (text that is no number reads 0).
  std::int64_t Number() const;
  QLineEdit* NumberField() const { return number_; }

 private:
  QLineEdit* number_;
};

// Shows the dialog; nullopt on Cancel.
std::optional<std::int64_t> AskPointNumber(QWidget* parent);

}  // namespace kestrel
