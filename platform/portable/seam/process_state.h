// Everything the subset keeps for the process, in parts: each library keeps
// its own part here, made when it is first used. Installing a host drops every
// part, so each test starts from a clean process. Nothing in a part calls the
// host when it goes away: the host that made the native windows may already be
// gone. The captures of open wave devices are the host's objects, made to be
// closed safely after it.
//
// A part may also have work that is due whenever the program enters the
// platform to read its messages, wait or sleep (captured audio to deliver,
// drawing to present): the places that enter a wait run it through
// `enter_platform`, so that no library calls one above it for it.
#pragma once

#include <cstddef>
#include <memory>

namespace portable {

class process_part {
 public:
  virtual ~process_part() = default;
  // The work that is due whenever the program enters the platform.
  virtual void on_platform_entered() {}
};

namespace parts {
// A new slot for one kind of part, for the life of the process.
std::size_t new_slot();
process_part* find(std::size_t slot);
void keep(std::size_t slot, std::unique_ptr<process_part> part);
}  // namespace parts

// The process's part of type `Part`, made on first use since the host was
// installed.
template <class Part>
Part& process_part_of() {
  static const std::size_t slot = parts::new_slot();
  if (process_part* found = parts::find(slot)) return static_cast<Part&>(*found);
  auto made = std::make_unique<Part>();
  Part& part = *made;
  parts::keep(slot, std::move(made));
  return part;
}

// Drops every part, the last made first.
void reset_process_state();

// Does every part's work that is due when the program enters the platform, in
// the order the parts were made.
void enter_platform();

}  // namespace portable
