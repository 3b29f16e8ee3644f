// The size of the paper form a document has selected on the framework's
// own form item, which the reduction rules scale against.
#pragma once

#include <cstdint>

#include "platform/framework_abi.h"

namespace kvt {

// Width and height in tenths of a millimetre.
struct FormSize {
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// Result codes of QueryFormSize.
inline constexpr std::uint32_t kFormSizeOk = 0;
inline constexpr std::uint32_t kFormSizeNoForm = 107;      // no printer, block or form item
inline constexpr std::uint32_t kFormSizeUnreadable = 202;  // the spooler cannot give the form
inline constexpr std::uint32_t kFormSizeNoMemory = 220;

// Looks up the form selected on the first of the framework's items with
// DMPUB_FORMNAME and reads its size from the printer's form list. Answers
// kFormSizeOk and fills |*size|, or one of the codes above, leaving |*size|
// alone; every failure is logged to the driver log (area "Utility").
std::uint32_t QueryFormSize(HANDLE printer, const OEMCUIPPARAM* param, FormSize* size);

}  // namespace kvt
