// Objects a handle names by the object's address, owned here. Looking a handle
// up tells live handles from stale or made-up ones without touching them.
#pragma once

#include <algorithm>
#include <memory>
#include <vector>

namespace portable {

template <typename Object, typename Handle>
class handle_table {
 public:
  Handle add(std::unique_ptr<Object> object) {
    objects.push_back(std::move(object));
    return reinterpret_cast<Handle>(objects.back().get());
  }

  Object* find(Handle handle) const {
    for (const auto& object : objects)
      if (reinterpret_cast<Handle>(object.get()) == handle) return object.get();
    return nullptr;
  }

  // False when the handle names nothing here.
  bool erase(Handle handle) {
    const auto found = std::find_if(objects.begin(), objects.end(), [handle](const auto& object) {
      return reinterpret_cast<Handle>(object.get()) == handle;
    });
    if (found == objects.end()) return false;
    objects.erase(found);
    return true;
  }

  template <typename Action>
  void for_each(Action action) {
    for (auto& object : objects) action(*object);
  }

 private:
  std::vector<std::unique_ptr<Object>> objects;
};

}  // namespace portable
