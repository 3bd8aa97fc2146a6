// Runs the entry grid's test classes.
#include <QApplication>

#include "app_test_support.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  app.setAttribute(Qt::AA_Use96Dpi, true);
  return kestrel::testing::RunTestClasses(argc, argv);
}
