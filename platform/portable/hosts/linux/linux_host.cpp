#include "platform/portable/hosts/linux/linux_host.h"

#include <sys/prctl.h>

#include "platform/portable/hosts/linux/huge_pages.h"
#include "platform/portable/hosts/x11/x11_output.h"

namespace portable {
namespace {

class linux_host final : public sdl_host {
 public:
  static std::unique_ptr<sdl_host> open(std::string& error) {
    // Waits may end up to 2 ms late (Windows' own timer ticks every 15.6 ms),
    // so that the system can wake this program together with others: a
    // program that wakes a hundred times a second then costs a fifth less.
    // Threads started from here on, SDL's audio thread among them, inherit it.
    prctl(PR_SET_TIMERSLACK, 2000000UL, 0UL, 0UL, 0UL);
    if (!start_sdl(error)) return nullptr;
    return std::unique_ptr<sdl_host>(new linux_host);
  }

  void* picture_memory(std::size_t bytes) override { return allocate_zeroed_in_huge_pages(bytes); }
  void settle_picture(const void* start, std::size_t bytes) override { move_into_huge_pages(start, bytes); }

 private:
  linux_host() : sdl_host({&x11_video()}) {}
};

}  // namespace

std::unique_ptr<sdl_host> open_linux_host(std::string& error) { return linux_host::open(error); }

std::unique_ptr<host> open_default_host(std::string& error) { return open_linux_host(error); }

}  // namespace portable
