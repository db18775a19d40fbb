// Where the tests of what happens while drives come and go begin: a café with
// both editions, the program shown, the "subst" log empty but for one drive,
// made through the Netmarble game folder (its shell window closed again).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/control_ids.h"
#include "tests/support/e2e/assertions.h"
#include "tests/support/e2e/cafe.h"
#include "tests/support/e2e/driver.h"
#include "tests/support/e2e/shell_windows.h"
#include "tests/wintools/subst/stand_in.h"

namespace varnett::e2e {

class OneDriveMade : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!SubstStandInInstalled()) GTEST_SKIP() << kNoSubstStandIn;
    PrepareCafe(Cafe{true, true});
    ClearSubstLog();
    ASSERT_TRUE(StartedAndShown(program));
    main = program.window();
    drive = OpenFolderOnADrive(main, kNetmarbleOpenGameFolder);
    ASSERT_FALSE(drive.empty()) << "no shell window on a drive";
  }

  // A folder of each test suite's own, for its start-up log.
  Program program{kRoot + L"\\" + Suite()};
  HWND main = nullptr;
  std::wstring drive;

 private:
  static std::wstring Suite() {
    const std::string name =
        ::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name();
    return std::wstring(name.begin(), name.end());
  }
};

}  // namespace varnett::e2e
