// The universal driver's helper interface as the sheet host offers it to the
// plug-in, in both of its forms: the COM interface IPrintOemDriverUI (handed
// over with PublishDriverInterface) and the function table behind the
// OEMUIOBJ of the framework's blocks. Only DrvUpdateUISetting does
// something: the host records each call, so a run can show which of the
// framework's option items the plug-in changed.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/framework_abi.h"

namespace kvt::tools {

struct UiSettingUpdate {
  std::wstring item_name;  // the item's pName, empty when it has none
  LONG selection = 0;      // the item's Sel when the call came
  DWORD previous_selection = 0;
  DWORD mode = 0;                    // OEMCUIP_DOCPROP or OEMCUIP_PRNPROP
  bool from_function_table = false;  // OEMUIPROCS rather than the COM interface
};

class HostDriverUi final : public IPrintOemDriverUI {
 public:
  HostDriverUi();
  HostDriverUi(const HostDriverUi&) = delete;
  HostDriverUi& operator=(const HostDriverUi&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  // The host owns the object; the counts only show what the plug-in holds.
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // Feature queries belong to the description file, which the host does not
  // read: not implemented.
  HRESULT STDMETHODCALLTYPE DrvGetDriverSetting(PVOID pci, PCSTR feature, PVOID output, DWORD size,
                                                PDWORD needed, PDWORD options_returned) override;
  HRESULT STDMETHODCALLTYPE DrvUpgradeRegistrySetting(HANDLE printer, PCSTR feature,
                                                      PCSTR option) override;
  HRESULT STDMETHODCALLTYPE DrvUpdateUISetting(PVOID pci, PVOID option_item,
                                               DWORD previous_selection, DWORD mode) override;

  // The OEMUIOBJ for the poemuiobj fields of the framework's blocks.
  POEMUIOBJ ui_object() { return &ui_object_.header; }
  const std::vector<UiSettingUpdate>& updates() const { return updates_; }
  // Called with the item of each DrvUpdateUISetting, after it is recorded.
  void OnUpdate(std::function<void(const OPTITEM*)> listener) { listener_ = std::move(listener); }
  ULONG references() const { return references_; }

 private:
  static BOOL APIENTRY UpdateUiSettingThroughTable(PVOID driver_object, PVOID option_item,
                                                   DWORD previous_selection, DWORD mode);
  static BOOL APIENTRY GetDriverSettingThroughTable(PVOID, PCSTR, PVOID, DWORD, PDWORD, PDWORD);
  void Record(PVOID option_item, DWORD previous_selection, DWORD mode, bool from_table);

  // The block handed out as poemuiobj, followed by the way back to us.
  struct UiObject {
    OEMUIOBJ header;
    HostDriverUi* owner;
  };
  OEMUIPROCS procs_;
  UiObject ui_object_;
  ULONG references_ = 1;
  std::vector<UiSettingUpdate> updates_;
  std::function<void(const OPTITEM*)> listener_;
};

}  // namespace kvt::tools
