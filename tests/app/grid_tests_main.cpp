#include <QTest>

#include "grid_tests.h"

QTEST_MAIN(kestrel::testing::GridTest)
