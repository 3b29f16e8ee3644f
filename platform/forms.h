// Forms port: a form of a printer's form list by name (Windows: GetFormW at
// level 1; Linux: there is no spooler, so no form is known).
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/service.h"
#include "platform/spooler.h"

namespace kvt {

// A form's paper size in thousandths of a millimetre (FORM_INFO_1W::Size).
struct FormDimensions {
  std::int32_t width = 0;
  std::int32_t height = 0;
};

class Forms {
 public:
  virtual ~Forms() = default;

  // The bytes GetFormW needs for |form_name| at level 1; 0, with the
  // thread's last error set, when the form or the printer is unknown.
  virtual std::uint32_t NeededBytes(PrinterHandle printer, std::u16string_view form_name) = 0;

  // Reads the form into |buffer| (|size| bytes, as NeededBytes asked for)
  // and gives its size. False, with the thread's last error set, when the
  // read fails.
  virtual bool Read(PrinterHandle printer, std::u16string_view form_name, void* buffer,
                    std::uint32_t size, FormDimensions* dimensions) = 0;
};

template <>
Forms& DefaultService<Forms>();

}  // namespace kvt
