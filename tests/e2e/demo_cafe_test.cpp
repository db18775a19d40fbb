// Not a test: the run command uses this to write the demo café's catalogue
// with the same writer the tests use. Skipped unless the run command asks.
#include <gtest/gtest.h>

#include "tests/e2e/cafe.h"
#include "tests/e2e/driver.h"

namespace varnett::e2e {
namespace {

TEST(DemoCafe, WriteCatalogue) {
  std::wstring hide = Env(L"VARNETT_DEMO_HIDE");
  if (hide.empty()) GTEST_SKIP() << "only for the run command";
  EXPECT_TRUE(WriteCatalogue(hide, Env(L"VARNETT_DEMO_NETMARBLE"), Env(L"VARNETT_DEMO_NEXON")));
}

}  // namespace
}  // namespace varnett::e2e
