// The test print of a watermark image stored in the printer's non-volatile
// memory: a short raw job that prints the image under a key code, with an
// optional line naming the key code before it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/spooler.h"

namespace kvt {

// The job's block never grows past this many bytes.
inline constexpr std::size_t kNvTestBlockMax = 260;
inline constexpr std::uint8_t kNvKeycodeMax = 99;

// 1B 40; with |info| 1B 61 00 1B 21 00 and "Keycode: %02d ( %2x %2x )\n";
// then 1D 28 4C 06 00 30 45 k1 k2 01 01 (the stored image under the key's
// two ASCII digits, single size) and 1B 4A A8 (feed 168 dots). Empty for a
// key code past 99, which no two digits can name.
std::vector<std::uint8_t> BuildNvTestBlock(std::uint8_t keycode, bool info);

// Sends |length| bytes as one raw job "KVT NV Watermark Test Print" on the
// sheet's |printer|. 0, or 107 when the spooler refuses the document, the
// page, the write or their ends (each logged with the spooler's error).
std::uint32_t SendNvTestJob(PrinterHandle printer, const std::uint8_t* bytes, std::uint32_t length);

// The Print button: builds the block for |keycode| and sends it. 0; 107 for
// a null printer handle, a key code past 99 or a job the spooler refused. A
// refused job is not a printer that cannot be read: the sheet stays open
// with the user's unapplied changes.
std::uint32_t PrintNvWatermarkTest(PrinterHandle printer, std::uint8_t keycode, bool info);

}  // namespace kvt
