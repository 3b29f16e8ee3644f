// A local heap for tests: real zero-filled blocks whose owners the test can
// check (what is still live, what was freed), and failures on request.
#pragma once

#include <cstdlib>
#include <set>
#include <vector>

#include "platform/last_error.h"
#include "platform/local_heap.h"

namespace kvt {

class FakeLocalHeap final : public LocalHeap {
 public:
  ~FakeLocalHeap() override {
    for (void* block : live) std::free(block);
  }

  void* AllocZeroed(std::size_t size) override {
    ++allocations;
    if (fail_allocations) {
      SetThreadLastError(8);  // ERROR_NOT_ENOUGH_MEMORY
      return nullptr;
    }
    void* block = std::calloc(1, size == 0 ? 1 : size);
    live.insert(block);
    return block;
  }

  void Free(void* block) override {
    if (block == nullptr) return;
    if (live.erase(block) == 0) {
      foreign_frees.push_back(block);  // not ours, or freed twice
      return;
    }
    freed.push_back(block);
    std::free(block);
  }

  // A block that a test puts in place of one the plug-in's own code would
  // have allocated (option items, their texts, the user data).
  template <class T>
  T* Make(std::size_t count = 1) {
    return static_cast<T*>(AllocZeroed(sizeof(T) * count));
  }

  bool fail_allocations = false;
  int allocations = 0;
  std::set<void*> live;
  std::vector<void*> freed;
  std::vector<void*> foreign_frees;
};

}  // namespace kvt
