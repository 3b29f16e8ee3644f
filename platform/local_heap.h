// Local heap port: the blocks the plug-in hands to the framework or keeps
// for a sheet (Windows: LocalAlloc with LMEM_ZEROINIT, LocalFree; Linux:
// calloc and free).
#pragma once

#include <cstddef>

#include "platform/service.h"

namespace kvt {

class LocalHeap {
 public:
  virtual ~LocalHeap() = default;

  // A zero-filled block of |size| bytes; null, with the thread's last error
  // set, when there is none.
  virtual void* AllocZeroed(std::size_t size) = 0;
  // Frees a block of AllocZeroed; null is ignored.
  virtual void Free(void* block) = 0;
};

template <>
LocalHeap& DefaultService<LocalHeap>();

}  // namespace kvt
