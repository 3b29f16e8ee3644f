#include "core/printer_initialization.h"

#include <vector>

#include "log/driver_log.h"
#include "platform/guid_text.h"
#include "platform/last_error.h"
#include "platform/printer_data.h"
#include "platform/wide_text.h"

namespace kvt {
namespace {

// Each record goes to the log of the printer being initialised.
void Log(int line, const char16_t* printer_name, std::uint32_t level, const wchar_t* format,
         const wchar_t* text) {
  const std::uint32_t error = GetThreadLastError();
  WriteDriverLogByName(LogSource{kModuleDriverUi, line, error, level, L"Utility"}, printer_name,
                       format, text);
}

}  // namespace

HRESULT InitializePrinter(PWSTR printer_name) {
  const auto* name = reinterpret_cast<const char16_t*>(printer_name);

  std::u16string guid;
  if (!Service<GuidText>().NewGuidText(&guid)) {
    Log(__LINE__, name, kLogError, L"%ls", L"Get guid string");
    return S_OK;
  }
  PrinterData& data = Service<PrinterData>();
  PrinterHandle printer = nullptr;
  if (name == nullptr || !data.OpenWithAccess(name, kPrinterAllAccess, &printer)) {
    Log(__LINE__, name, kLogError, L"%ls", L"OpenPrinter()");
    return S_OK;
  }
  // Without the terminator: the package's other readers of the value
  // expect exactly the 38 characters.
  data.Set(printer, kUtilityGuidValue, kRegSz, guid.data(),
           static_cast<std::uint32_t>(guid.size() * sizeof(char16_t)));
  const DWORD off = 0;
  data.Set(printer, u"AutoReprint", kRegDword, &off, sizeof off);
  data.Close(printer);
  Log(__LINE__, name, kLogInfo, L"Set guid [%ls]", Utf16ToWide(guid).c_str());
  return S_OK;
}

bool ReadUtilityGuid(PrinterHandle printer, std::u16string* guid) {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> bytes;
  if (!Service<PrinterData>().Get(printer, kUtilityGuidValue, &type, &bytes)) return false;
  guid->clear();
  // An odd last byte is half a character: dropped.
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto c = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
    if (c == u'\0') break;
    guid->push_back(c);
  }
  return true;
}

}  // namespace kvt
