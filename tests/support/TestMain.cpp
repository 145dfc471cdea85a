#include <gtest/gtest.h>

#ifdef _WIN32
#include <objbase.h>
#endif

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
#ifdef _WIN32
  // The host owns COM; the tests stand in for an installer that initialised it.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
#endif
  return RUN_ALL_TESTS();
}
