#pragma once
// The fixture shared by the Stadia tests.
#include <gtest/gtest.h>

#include "sheet_test_context.h"
#include "stadia_test_rows.h"

namespace kestrel::testing {

// A Stadia sheet with recording ports and job "tst" in a scratch folder.
class StadiaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.Ok());
    context.app.job = {.drive = "", .folder = folder.File(""), .job = "tst"};
  }

  ScratchFolder folder;
  SheetTestContext context;
  Stadia sheet{context.ctx};
};

}  // namespace kestrel::testing
