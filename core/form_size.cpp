#include "core/form_size.h"

#include "core/option_items.h"
#include "log/driver_log.h"
#include "platform/forms.h"
#include "platform/last_error.h"
#include "platform/local_heap.h"

namespace kvt {
namespace {

std::uint32_t Fail(int line, HANDLE printer, const wchar_t* what, std::uint32_t code) {
  const std::uint32_t error = GetThreadLastError();
  WriteDriverLog(LogSource{kModuleDriverUi, line, error, kLogError, L"Utility"}, printer, L"%ls",
                 what);
  return code;
}

// The selected form's name, or null when the item cannot give one.
const char16_t* SelectedFormName(const OEMCUIPPARAM& param) {
  const OPTITEM* item = FindItemByDmPubId(param.pDrvOptItems, param.cDrvOptItems, kDmPubFormName);
  if (item == nullptr || item->pOptType == nullptr || item->pOptType->pOptParam == nullptr) {
    return nullptr;
  }
  if (item->Sel < 0 || item->Sel >= static_cast<LONG>(item->pOptType->Count)) return nullptr;
  return reinterpret_cast<const char16_t*>(item->pOptType->pOptParam[item->Sel].pData);
}

}  // namespace

std::uint32_t QueryFormSize(HANDLE printer, const OEMCUIPPARAM* param, FormSize* size) {
  if (printer == nullptr || param == nullptr || size == nullptr) {
    return Fail(__LINE__, printer, L"Get form size", kFormSizeNoForm);
  }
  const char16_t* name = SelectedFormName(*param);
  if (name == nullptr) return Fail(__LINE__, printer, L"szFormName", kFormSizeNoForm);

  Forms& forms = Service<Forms>();
  const std::uint32_t needed = forms.NeededBytes(printer, name);
  if (needed == 0) return Fail(__LINE__, printer, L"GetForm size = 0", kFormSizeUnreadable);
  LocalHeap& heap = Service<LocalHeap>();
  void* buffer = heap.AllocZeroed(needed);
  if (buffer == nullptr) return Fail(__LINE__, printer, L"FORM_INFO_1", kFormSizeNoMemory);
  FormDimensions dimensions;
  const bool read = forms.Read(printer, name, buffer, needed, &dimensions);
  {
    // Freeing must not replace the error the read left for the log.
    LastErrorGuard keep;
    heap.Free(buffer);
  }
  if (!read) return Fail(__LINE__, printer, L"GetForm", kFormSizeUnreadable);

  // The spooler counts in thousandths of a millimetre.
  size->width = dimensions.width / 100;
  size->height = dimensions.height / 100;
  return kFormSizeOk;
}

}  // namespace kvt
