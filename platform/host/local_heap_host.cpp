// Linux: the C heap plays the local heap.
#include "platform/local_heap.h"

#include <cstdlib>

#include "platform/last_error.h"

namespace kvt {
namespace {

class HostLocalHeap final : public LocalHeap {
 public:
  void* AllocZeroed(std::size_t size) override {
    void* block = std::calloc(1, size == 0 ? 1 : size);
    if (block == nullptr) SetThreadLastError(8);  // ERROR_NOT_ENOUGH_MEMORY
    return block;
  }
  void Free(void* block) override { std::free(block); }
};

}  // namespace

template <>
LocalHeap& DefaultService<LocalHeap>() {
  static HostLocalHeap heap;
  return heap;
}

}  // namespace kvt
