// Linux: the printer driver folder is the one below the Windows folder's
// stand-in (host_windows_folder.h), named for this process's environment
// as GetPrinterDriverDirectoryW names it; libraries load with dlopen. Linux
// paths have no short form.
#include "platform/library_loader.h"


#include "platform/host/host_library.h"
#include "platform/host/host_path.h"
#include "platform/host/host_windows_folder.h"
#include "platform/last_error.h"
#include "platform/service.h"
#include "platform/wide_text.h"

namespace kvt {
namespace {

class HostLibraryLoader final : public LibraryLoader {
 public:
  bool PrinterDriverDirectory(std::u16string* folder) override {
    *folder = Utf8ToUtf16(host::WindowsFolder()) + (sizeof(void*) == 8
                                                        ? u"\\System32\\spool\\drivers\\x64"
                                                        : u"\\System32\\spool\\drivers\\W32X86");
    return true;
  }

  bool ShortPath(std::u16string_view, std::u16string*) override {
    SetThreadLastError(50);  // ERROR_NOT_SUPPORTED
    return false;
  }

  ModuleHandle Load(std::u16string_view path) override { return host::LoadLibraryAt(path); }
  void Free(ModuleHandle module) override { host::FreeLibraryHandle(module); }
};

}  // namespace

template <>
LibraryLoader& DefaultService<LibraryLoader>() {
  static HostLibraryLoader loader;
  return loader;
}

}  // namespace kvt
