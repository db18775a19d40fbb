// Not a test: the run command uses this to write the demo café's catalogue
// with the same writer the tests use. Skipped unless the run command asks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "tests/e2e/cafe.h"
#include "tests/e2e/driver.h"

namespace varnett::e2e {
namespace {

TEST(DemoCafe, WriteCatalogue) {
  std::wstring hide = Env(L"VARNETT_DEMO_HIDE");
  if (hide.empty()) GTEST_SKIP() << "only for the run command";
  // The start-up benchmark asks for a catalogue of a given number of records.
  int records = _wtoi(Env(L"VARNETT_DEMO_RECORDS").c_str());
  EXPECT_TRUE(WriteCatalogue(hide, Env(L"VARNETT_DEMO_NETMARBLE"), Env(L"VARNETT_DEMO_NEXON"),
                             std::max(1, records - 2)));
}

}  // namespace
}  // namespace varnett::e2e
