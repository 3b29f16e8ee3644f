#include "tools/sheet_host/driver_ui.h"

namespace kvt::tools {

HostDriverUi::HostDriverUi() {
  procs_.DrvGetDriverSetting = GetDriverSettingThroughTable;
  procs_.DrvUpdateUISetting = UpdateUiSettingThroughTable;
  ui_object_.header.cbSize = sizeof(OEMUIOBJ);
  ui_object_.header.pOemUIProcs = &procs_;
  ui_object_.owner = this;
}

HRESULT STDMETHODCALLTYPE HostDriverUi::QueryInterface(REFIID riid, void** ppv) {
  if (ppv == nullptr) return E_POINTER;
  if (abi::SameGuid(riid, abi::kIidPrintOemDriverUI) || abi::SameGuid(riid, abi::kIidUnknown)) {
    *ppv = static_cast<IPrintOemDriverUI*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE HostDriverUi::AddRef() { return ++references_; }

ULONG STDMETHODCALLTYPE HostDriverUi::Release() { return --references_; }

HRESULT STDMETHODCALLTYPE HostDriverUi::DrvGetDriverSetting(PVOID, PCSTR, PVOID, DWORD, PDWORD,
                                                            PDWORD) {
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE HostDriverUi::DrvUpgradeRegistrySetting(HANDLE, PCSTR, PCSTR) {
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE HostDriverUi::DrvUpdateUISetting(PVOID, PVOID option_item,
                                                           DWORD previous_selection, DWORD mode) {
  Record(option_item, previous_selection, mode, false);
  return S_OK;
}

BOOL APIENTRY HostDriverUi::UpdateUiSettingThroughTable(PVOID driver_object, PVOID option_item,
                                                        DWORD previous_selection, DWORD mode) {
  if (driver_object == nullptr) return FALSE;
  static_cast<UiObject*>(driver_object)->owner->Record(option_item, previous_selection, mode, true);
  return TRUE;
}

BOOL APIENTRY HostDriverUi::GetDriverSettingThroughTable(PVOID, PCSTR, PVOID, DWORD, PDWORD,
                                                         PDWORD) {
  SetLastError(ERROR_NOT_SUPPORTED);
  return FALSE;
}

void HostDriverUi::Record(PVOID option_item, DWORD previous_selection, DWORD mode,
                          bool from_table) {
  UiSettingUpdate update;
  const auto* item = static_cast<const OPTITEM*>(option_item);
  if (item != nullptr) {
    if (item->pName != nullptr) update.item_name = item->pName;
    update.selection = item->Sel;
  }
  update.previous_selection = previous_selection;
  update.mode = mode;
  update.from_function_table = from_table;
  updates_.push_back(update);
  if (listener_) listener_(item);
}

}  // namespace kvt::tools
