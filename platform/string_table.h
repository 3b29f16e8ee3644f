// String table port: a string resource of a module by id, in the user's UI
// language (Windows: LoadStringW; Linux: modules carry no string tables).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/library_loader.h"
#include "platform/service.h"

namespace kvt {

class StringTable {
 public:
  virtual ~StringTable() = default;

  // String |id| of |module| (null: the process's program), cut to
  // |capacity| - 1 characters as a buffer of |capacity| characters would
  // hold it. False, with the thread's last error set, when the string does
  // not exist or is empty.
  virtual bool Load(ModuleHandle module, std::uint32_t id, std::size_t capacity,
                    std::u16string* text) = 0;
};

template <>
StringTable& DefaultService<StringTable>();

}  // namespace kvt
