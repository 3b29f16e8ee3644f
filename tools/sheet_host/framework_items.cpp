#include "tools/sheet_host/framework_items.h"

#include <algorithm>
#include <cwchar>

#include "resources/form_names.h"

namespace kvt::tools {
namespace {

// What the package's description file gives the universal driver besides the
// system's forms: the two receipt rolls and the paper sources.
const wchar_t* const kDriverForms[] = {L"" KVT_FORM_ROLL_80, L"" KVT_FORM_ROLL_58};
const wchar_t* const kPaperSources[] = {L"Automatically Select", L"Roll Paper"};
constexpr LONG kMaxCopies = 999;

std::vector<std::wstring> PrinterForms(HANDLE printer) {
  std::vector<std::wstring> names;
  DWORD needed = 0;
  DWORD returned = 0;
  EnumFormsW(printer, 1, nullptr, 0, &needed, &returned);
  std::vector<BYTE> buffer(needed);
  if (needed == 0 || !EnumFormsW(printer, 1, buffer.data(), needed, &needed, &returned)) {
    return names;
  }
  const auto* forms = reinterpret_cast<const FORM_INFO_1W*>(buffer.data());
  for (DWORD i = 0; i < returned; ++i) names.push_back(forms[i].pName);
  return names;
}

OPTPARAM Param(LPWSTR text) {
  OPTPARAM param = {};
  param.cbSize = sizeof param;
  param.pData = text;
  return param;
}

}  // namespace

FrameworkItems::FrameworkItems(HANDLE printer, const DEVMODEW& devmode) {
  form_names_ = PrinterForms(printer);
  for (const wchar_t* form : kDriverForms) {
    if (std::find(form_names_.begin(), form_names_.end(), form) == form_names_.end()) {
      form_names_.push_back(form);
    }
  }
  items_.reserve(4);

  AddItem(L"Orientation", DMPUB_ORIENTATION, TVOT_2STATES,
          {Param(Keep(L"Portrait")), Param(Keep(L"Landscape"))},
          devmode.dmOrientation == DMORIENT_LANDSCAPE ? 1 : 0);

  std::vector<OPTPARAM> forms;
  LONG form_selection = 0;
  for (std::size_t i = 0; i < form_names_.size(); ++i) {
    if (form_names_[i] == devmode.dmFormName) form_selection = static_cast<LONG>(i);
    forms.push_back(Param(Keep(form_names_[i])));
  }
  AddItem(L"Paper Size", DMPUB_FORMNAME, TVOT_LISTBOX, std::move(forms), form_selection);

  std::vector<OPTPARAM> sources;
  for (const wchar_t* source : kPaperSources) sources.push_back(Param(Keep(source)));
  AddItem(L"Paper Source", DMPUB_DEFSOURCE, TVOT_LISTBOX, std::move(sources), 0);

  // An up-down item: the first parameter names the unit, the second holds
  // the range (IconID the lowest value, lParam the highest).
  std::vector<OPTPARAM> copies = {Param(Keep(L"copies")), Param(nullptr)};
  copies[1].IconID = 1;
  copies[1].lParam = kMaxCopies;
  AddItem(L"Copy Count", DMPUB_COPIES_COLLATE, TVOT_UDARROW, std::move(copies),
          std::clamp<LONG>(devmode.dmCopies, 1, kMaxCopies));
  framework_count_ = static_cast<DWORD>(items_.size());
}

OPTITEM* FrameworkItems::AddPluginItems(DWORD count) {
  items_.resize(framework_count_ + count, OPTITEM{});
  return items_.data() + framework_count_;
}

LPWSTR FrameworkItems::Keep(std::wstring text) {
  texts_.push_back(std::move(text));
  return texts_.back().data();
}

void FrameworkItems::AddItem(const wchar_t* name, BYTE dmpub_id, BYTE type,
                             std::vector<OPTPARAM> params, LONG selection) {
  params_.push_back(std::move(params));
  OPTTYPE option_type = {};
  option_type.cbSize = sizeof option_type;
  option_type.Type = type;
  option_type.Count = static_cast<WORD>(params_.back().size());
  option_type.pOptParam = params_.back().data();
  types_.push_back(option_type);
  OPTITEM item = {};
  item.cbSize = sizeof item;
  item.Level = 1;
  item.pName = Keep(name);
  item.Sel = selection;
  item.pOptType = &types_.back();
  item.DMPubID = dmpub_id;
  items_.push_back(item);
}

std::wstring FrameworkItems::SelectionText(const OPTITEM& item) const {
  const OPTTYPE* type = item.pOptType;
  if (type == nullptr) return std::wstring();
  if (type->Type == TVOT_UDARROW) return std::to_wstring(item.Sel);
  if (item.Sel < 0 || item.Sel >= type->Count || type->pOptParam[item.Sel].pData == nullptr) {
    return L"(selection " + std::to_wstring(item.Sel) + L")";
  }
  return type->pOptParam[item.Sel].pData;
}

void FrameworkItems::ApplyTo(DEVMODEW* devmode) const {
  for (DWORD i = 0; i < framework_count_; ++i) {
    const OPTITEM& item = items_[i];
    switch (item.DMPubID) {
      case DMPUB_ORIENTATION:
        devmode->dmOrientation = item.Sel == 1 ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
        devmode->dmFields |= DM_ORIENTATION;
        break;
      case DMPUB_FORMNAME: {
        const std::wstring form = SelectionText(item);
        std::wcsncpy(devmode->dmFormName, form.c_str(), CCHFORMNAME - 1);
        devmode->dmFormName[CCHFORMNAME - 1] = L'\0';
        devmode->dmFields |= DM_FORMNAME;
        break;
      }
      case DMPUB_COPIES_COLLATE:
        devmode->dmCopies = static_cast<short>(item.Sel);
        devmode->dmFields |= DM_COPIES;
        break;
      default:
        break;
    }
  }
}

}  // namespace kvt::tools
