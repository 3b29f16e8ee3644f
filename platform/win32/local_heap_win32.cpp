#include "platform/local_heap.h"

#include <windows.h>

namespace kvt {
namespace {

class Win32LocalHeap final : public LocalHeap {
 public:
  void* AllocZeroed(std::size_t size) override { return ::LocalAlloc(LPTR, size); }
  void Free(void* block) override {
    if (block != nullptr) ::LocalFree(block);
  }
};

}  // namespace

template <>
LocalHeap& DefaultService<LocalHeap>() {
  static Win32LocalHeap heap;
  return heap;
}

}  // namespace kvt
