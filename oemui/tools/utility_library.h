// The driver package's utility library, "KvtQvj2Utl.dll": its printer
// functions (DlgPrinterUtility, for the Tools page) and its hexadecimal
// command editor (DlgHexEditor, for the Option section and the Control A
// list). Each entry point takes the address of its parameter block and
// answers 0 for success.
//
// The library is loaded by full path for each call (the plug-in's folder,
// then the system folder; see package_library.h), its entry point is called
// once and the library is freed again on every path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/framework_abi.h"

namespace kvt {

inline constexpr char16_t kUtilityLibrary[] = u"KvtQvj2Utl.dll";
inline constexpr char kPrinterUtilityEntry[] = "DlgPrinterUtility";
inline constexpr char kHexEditorEntry[] = "DlgHexEditor";

// The printer functions DlgPrinterUtility offers.
enum class UtilityFunction : std::uint32_t {
  kInformation = 0,
  kMemorySwitch = 1,
  kLog = 2,
  kTestPrint = 3,
  kNvImage = 4,
  kCodepage = 5,
  kOther = 6,
};

// The message code of a missing library or export.
inline constexpr std::uint32_t kUtilityMissingCode = 108;

// A rectangle in screen coordinates, right and bottom exclusive.
struct ScreenRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
};

inline constexpr std::size_t kUtilityPrinterNameChars = 260;  // 259 and the zero

// DlgPrinterUtility's block, 536 bytes, little-endian.
struct PrinterUtilityParam {
  char16_t szPrinterName[kUtilityPrinterNameChars];
  HWND hOwner;
  std::uint32_t dwFunction;
  std::uint32_t dwReserved;  // 0
};
static_assert(sizeof(PrinterUtilityParam) == 536);
static_assert(offsetof(PrinterUtilityParam, szPrinterName) == 0);
static_assert(offsetof(PrinterUtilityParam, hOwner) == 520);
static_assert(offsetof(PrinterUtilityParam, dwFunction) == 528);
static_assert(offsetof(PrinterUtilityParam, dwReserved) == 532);

// The value the editor block always carries at offset 24: the editor's
// hexadecimal-pairs mode.
inline constexpr std::uint32_t kHexEditorMode = 2;

// DlgHexEditor's block, 48 bytes, little-endian. The buffer holds the
// current bytes on entry and receives the edited ones; the count follows.
struct HexEditorParam {
  HWND hOwner;
  std::int32_t nAnchorLeft;  // the anchor rectangle, screen coordinates
  std::int32_t nAnchorTop;
  std::int32_t nAnchorRight;
  std::int32_t nAnchorBottom;
  std::uint32_t dwMode;      // kHexEditorMode
  std::uint32_t dwCapacity;  // the most bytes the editor may return
  std::uint8_t* pbyBuffer;
  std::uint32_t dwCount;
  std::uint32_t dwReserved;  // 0
};
static_assert(sizeof(HexEditorParam) == 48);
static_assert(offsetof(HexEditorParam, hOwner) == 0);
static_assert(offsetof(HexEditorParam, nAnchorLeft) == 8);
static_assert(offsetof(HexEditorParam, nAnchorBottom) == 20);
static_assert(offsetof(HexEditorParam, dwMode) == 24);
static_assert(offsetof(HexEditorParam, dwCapacity) == 28);
static_assert(offsetof(HexEditorParam, pbyBuffer) == 32);
static_assert(offsetof(HexEditorParam, dwCount) == 40);
static_assert(offsetof(HexEditorParam, dwReserved) == 44);

// Both entry points: the block's address in, 0 or a message code out.
using UtilityEntry = std::uint32_t (*)(void* block);

// Loads the library, calls |entry_name| once with |block| and frees the
// library. False, with the thread's last error of the failed step, when
// the library or the export is missing; |*result| is then untouched.
bool CallUtilityLibrary(const char* entry_name, void* block, std::uint32_t* result);

// DlgPrinterUtility for |printer| (cut to 259 characters) and |function|,
// owned by |owner|. 108 when the library or the export is missing, else
// the function's own answer (0 or a message code).
std::uint32_t RunPrinterUtility(std::u16string_view printer, HWND owner, UtilityFunction function);

enum class HexEditOutcome {
  kUnavailable,  // no library or no editor export: nothing was shown
  kCancelled,    // the editor answered non-zero
  kConfirmed,    // |*bytes| holds the edited bytes
};

// DlgHexEditor on |*bytes| (at most |capacity| of them are offered) in a
// zeroed buffer of |buffer_size| bytes, anchored at |anchor| (screen
// coordinates) and owned by |owner|. On confirmation |*bytes| gets the
// returned bytes; a count above the capacity is cut to it, so nothing past
// what the editor was allowed to write is ever read.
HexEditOutcome EditHexBytes(HWND owner, const ScreenRect& anchor, std::uint32_t capacity,
                            std::size_t buffer_size, std::vector<std::uint8_t>* bytes);

}  // namespace kvt
