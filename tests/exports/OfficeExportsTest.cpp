#include <gtest/gtest.h>

#include <cstdlib>

#include "Tovrel.h"

namespace tovrel {
namespace {

TEST(OfficeExports, GetLastExcelGivesTheFolderOfTheNewestExcel) {
  const char* machine = std::getenv("TOVREL_TEST_MACHINE");
  if (machine == nullptr) GTEST_SKIP() << "run by the test entry that prepares the machine";
  EXPECT_STREQ(GetLastExcel(), "C:\\Program Files (x86)\\Office14");
}

TEST(OfficeExports, GetLastExcelIsEmptyWithoutOffice) {
  if (std::getenv("TOVREL_TEST_MACHINE") != nullptr) GTEST_SKIP();
  EXPECT_STREQ(GetLastExcel(), "");
}

}  // namespace
}  // namespace tovrel
