#include "platform/portable/seam/process_state.h"

#include <vector>

namespace portable {
namespace {

struct part_store {
  std::size_t slots = 0;
  // In the order the parts were made; a slot's part is found by its number.
  std::vector<std::pair<std::size_t, std::unique_ptr<process_part>>> made;
};

part_store& store() {
  static part_store the_store;
  return the_store;
}

}  // namespace

namespace parts {

std::size_t new_slot() { return store().slots++; }

process_part* find(std::size_t slot) {
  for (auto& [its_slot, part] : store().made)
    if (its_slot == slot) return part.get();
  return nullptr;
}

void keep(std::size_t slot, std::unique_ptr<process_part> part) {
  store().made.emplace_back(slot, std::move(part));
}

}  // namespace parts

void reset_process_state() {
  auto& made = store().made;
  while (!made.empty()) {
    // Out of the store before it goes, so that it is never found half gone.
    std::unique_ptr<process_part> last = std::move(made.back().second);
    made.pop_back();
  }
}

// By index: a part's work may make another part.
void enter_platform() {
  auto& made = store().made;
  for (std::size_t i = 0; i < made.size(); ++i) made[i].second->on_platform_entered();
}

}  // namespace portable
