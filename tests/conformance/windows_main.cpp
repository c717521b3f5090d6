// main() for the conformance tests as a Windows program: the platform's own
// libraries, run under Wine (tools/conformance.sh).
#include <gtest/gtest.h>

#include "tests/conformance/between_tests.h"

namespace {

class empty_queue_for_each_test : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { empty_the_message_queue(); }
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new empty_queue_for_each_test);
  return RUN_ALL_TESTS();
}
