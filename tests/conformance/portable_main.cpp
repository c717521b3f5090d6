// main() for the conformance tests on the portable subset. Each test starts on
// a freshly installed host with an empty message queue:
//   --host=scripted (the default): a new scripted host per test, with its
//                   virtual clock and virtual monitors;
//   --host=sdl:     the SDL2 host, the real machine (under Xvfb), opened once.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "platform/portable/seam/host.h"
#include "tests/conformance/between_tests.h"
#include "tests/support/scripted_host.h"

namespace {

class fresh_host_for_each_test : public ::testing::EmptyTestEventListener {
 public:
  // `real`: the host every test runs on; null for a new scripted host each time.
  explicit fresh_host_for_each_test(portable::host* real) : real(real) {}

 private:
  void OnTestStart(const ::testing::TestInfo&) override {
    if (real) {
      portable::install_host(real);
    } else {
      scripted = std::make_unique<scripted::host>();
    }
    empty_the_message_queue();
  }
  void OnTestEnd(const ::testing::TestInfo&) override {
    scripted.reset();
    portable::install_host(nullptr);
  }

  portable::host* real;
  std::unique_ptr<scripted::host> scripted;
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  std::unique_ptr<portable::host> sdl;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--host=sdl") == 0) {
      std::string error;
      sdl = portable::open_default_host(error);
      if (!sdl) {
        std::fprintf(stderr, "conformance_tests: no SDL2 host: %s\n", error.c_str());
        return 1;
      }
    } else if (std::strcmp(argv[i], "--host=scripted") != 0) {
      std::fprintf(stderr, "conformance_tests: unknown argument '%s' (--host=scripted or --host=sdl)\n",
                   argv[i]);
      return 2;
    }
  }
  ::testing::UnitTest::GetInstance()->listeners().Append(new fresh_host_for_each_test(sdl.get()));
  return RUN_ALL_TESTS();
}
