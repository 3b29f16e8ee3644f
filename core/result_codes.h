// What the plug-in's handlers answer inside the plug-in: 0 for success,
// otherwise one of these codes, which a page shows through
// ShowCodedMessage (after 101 or 202 it also cancels the sheet).
#pragma once

#include <cstdint>

namespace kvt {

inline constexpr std::uint32_t kResultOk = 0;
// Window state or memory could not be set up.
inline constexpr std::uint32_t kResultNoWindowState = 101;
// A command that the handler does not handle.
inline constexpr std::uint32_t kResultUnhandledCommand = 104;
// An invalid value, state or control, or an item not found.
inline constexpr std::uint32_t kResultInvalid = 107;
// The utility library or its entry point is missing.
inline constexpr std::uint32_t kResultNoUtility = 108;
// No data or resource.
inline constexpr std::uint32_t kResultNoData = 201;
// Printer, driver or form information cannot be read.
inline constexpr std::uint32_t kResultUnreadable = 202;
// A missing context or a failed allocation.
inline constexpr std::uint32_t kResultNoMemory = 220;
// A custom-control binding failed.
inline constexpr std::uint32_t kResultBindingFailed = 221;

}  // namespace kvt
