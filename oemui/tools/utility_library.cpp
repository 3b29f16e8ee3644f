#include "oemui/tools/utility_library.h"

#include <algorithm>
#include <cstring>

#include "oemui/tools/package_library.h"
#include "platform/last_error.h"
#include "platform/package_library.h"

namespace kvt {

bool CallUtilityLibrary(const char* entry_name, void* block, std::uint32_t* result) {
  PackageLibraryLoader& loader = Service<PackageLibraryLoader>();
  ModuleHandle library = LoadPackageLibrary(kUtilityLibrary);
  if (library == nullptr) return false;
  const LibraryEntry entry = loader.FindEntry(library, entry_name);
  if (entry == nullptr) {
    // Freed again before the caller hears of it, its last error kept.
    const std::uint32_t error = GetThreadLastError();
    loader.Free(library);
    SetThreadLastError(error);
    return false;
  }
  *result = reinterpret_cast<UtilityEntry>(entry)(block);
  loader.Free(library);
  return true;
}

std::uint32_t RunPrinterUtility(std::u16string_view printer, HWND owner, UtilityFunction function) {
  PrinterUtilityParam param{};
  const std::size_t chars = std::min(printer.size(), kUtilityPrinterNameChars - 1);
  std::copy_n(printer.begin(), chars, param.szPrinterName);
  param.hOwner = owner;
  param.dwFunction = static_cast<std::uint32_t>(function);
  std::uint32_t result = 0;
  if (!CallUtilityLibrary(kPrinterUtilityEntry, &param, &result)) return kUtilityMissingCode;
  return result;
}

HexEditOutcome EditHexBytes(HWND owner, const ScreenRect& anchor, std::uint32_t capacity,
                            std::size_t buffer_size, std::vector<std::uint8_t>* bytes) {
  // The editor may fill the whole capacity, whatever the buffer's size.
  capacity = static_cast<std::uint32_t>(std::min<std::size_t>(capacity, buffer_size));
  std::vector<std::uint8_t> buffer(buffer_size, 0);
  const std::size_t offered = std::min<std::size_t>(bytes->size(), capacity);
  std::copy_n(bytes->begin(), offered, buffer.begin());

  HexEditorParam param{};
  param.hOwner = owner;
  param.nAnchorLeft = anchor.left;
  param.nAnchorTop = anchor.top;
  param.nAnchorRight = anchor.right;
  param.nAnchorBottom = anchor.bottom;
  param.dwMode = kHexEditorMode;
  param.dwCapacity = capacity;
  param.pbyBuffer = buffer.data();
  param.dwCount = static_cast<std::uint32_t>(offered);
  std::uint32_t result = 0;
  if (!CallUtilityLibrary(kHexEditorEntry, &param, &result)) return HexEditOutcome::kUnavailable;
  if (result != 0) return HexEditOutcome::kCancelled;
  const std::size_t count = std::min<std::size_t>(param.dwCount, capacity);
  bytes->assign(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(count));
  return HexEditOutcome::kConfirmed;
}

}  // namespace kvt
