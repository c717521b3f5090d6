// Runs each waveIn conformance test on a fresh scripted host, as if in a new
// process, with a microphone that hears a quiet tone.
#include <gtest/gtest.h>

#include <memory>

#include "tests/support/scripted_host.h"

namespace {

class fresh_host_per_test : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override {
    host = std::make_unique<scripted::host>();
    host->microphone().sine(440, 1000);
  }
  void OnTestEnd(const ::testing::TestInfo&) override { host.reset(); }

  std::unique_ptr<scripted::host> host;
};

const bool installed = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new fresh_host_per_test);
  return true;
}();

}  // namespace
