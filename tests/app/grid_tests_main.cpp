// Runs the entry grid's test classes on one application object.
#include <QApplication>
#include <QTest>

#include "grid_tests.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  int failures = 0;
  {
    kestrel::testing::GridEditingTest test;
    failures += QTest::qExec(&test, argc, argv);
  }
  {
    kestrel::testing::GridDisplayTest test;
    failures += QTest::qExec(&test, argc, argv);
  }
  {
    kestrel::testing::GridUndoTest test;
    failures += QTest::qExec(&test, argc, argv);
  }
  {
    kestrel::testing::GridLargeSheetMeasure test;
    failures += QTest::qExec(&test, argc, argv);
  }
  return failures == 0 ? 0 : 1;
}
