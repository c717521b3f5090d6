#include "tests/platform/hosts/xvfb_display.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace testing_display {

xvfb_display::xvfb_display(int width, int height) {
  // Xvfb picks a free display number itself and writes it to this pipe.
  int ready[2];
  if (pipe2(ready, O_CLOEXEC) != 0) {
    failure = std::string("pipe: ") + std::strerror(errno);
    return;
  }
  const std::string fd = std::to_string(ready[1]);
  const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  server = fork();
  if (server == 0) {
    // The server goes with this process, even if it dies without cleaning up.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    fcntl(ready[1], F_SETFD, 0);
    const int quiet = open("/dev/null", O_WRONLY);
    dup2(quiet, STDOUT_FILENO);
    dup2(quiet, STDERR_FILENO);
    // Without -noreset the server resets whenever its last client leaves, and
    // drops a connection made meanwhile: a test opening the display just as
    // another closed its own would find none.
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-noreset", "-screen", "0", screen.c_str(), "-nolisten",
           "tcp", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(ready[1]);
  if (server < 0) {
    failure = std::string("fork: ") + std::strerror(errno);
    close(ready[0]);
    return;
  }
  std::string number;
  pollfd p{ready[0], POLLIN, 0};
  char c = 0;
  while (poll(&p, 1, 10000) == 1 && read(ready[0], &c, 1) == 1 && c != '\n') number += c;
  close(ready[0]);
  if (number.empty()) {
    failure = "Xvfb did not start (is the xvfb package installed?)";
    return;
  }
  display_name = ":" + number;
  setenv("DISPLAY", display_name.c_str(), 1);
  unsetenv("WAYLAND_DISPLAY");
}

xvfb_display::~xvfb_display() {
  if (server <= 0) return;
  kill(server, SIGTERM);
  waitpid(server, nullptr, 0);
}

const xvfb_display& private_display() {
  static const xvfb_display display(1024, 768);
  return display;
}

}  // namespace testing_display
