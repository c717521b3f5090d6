// The conformance tests on the portable subset: each test runs in a fresh
// process state, on a scripted host installed before it starts.
#include <gtest/gtest.h>

#include <memory>

#include "tests/support/scripted_host.h"

namespace {

class scripted_host_per_test : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { current = std::make_unique<scripted::host>(); }
  void OnTestEnd(const ::testing::TestInfo&) override { current.reset(); }
  std::unique_ptr<scripted::host> current;
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new scripted_host_per_test);
  return RUN_ALL_TESTS();
}
