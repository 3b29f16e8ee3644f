#include "tools/sheet_host/option_callbacks.h"

namespace kvt::tools {
namespace {

LONG Call(OEMCUIPPARAM* block, WORD reason, ItemTree tree, OPTITEM* current, LONG old_selection,
          HWND page, ULONG_PTR* result) {
  if (block->OEMCUIPCallback == nullptr) return -1;
  CPSUICBPARAM callback = {};
  callback.cbSize = sizeof callback;
  callback.Reason = reason;
  callback.hDlg = page;
  callback.pOptItem = tree.items;
  callback.cOptItem = tree.count;
  callback.pCurItem = current;
  callback.OldSel = old_selection;
  const LONG action = block->OEMCUIPCallback(&callback, block);
  if (result != nullptr) *result = callback.Result;
  return action;
}

}  // namespace

OPTITEM* FindItemNamed(OPTITEM* items, DWORD count, const std::wstring& name) {
  if (items == nullptr) return nullptr;
  for (DWORD i = 0; i < count; ++i) {
    if (items[i].pName != nullptr && name == items[i].pName) return &items[i];
  }
  return nullptr;
}

std::wstring ChoiceText(const OPTITEM& item, LONG selection) {
  const OPTTYPE* type = item.pOptType;
  if (type == nullptr || type->pOptParam == nullptr || selection < 0 || selection >= type->Count ||
      type->pOptParam[selection].pData == nullptr) {
    return std::wstring();
  }
  return type->pOptParam[selection].pData;
}

LONG ChangeSelection(OEMCUIPPARAM* block, ItemTree tree, OPTITEM* item, LONG selection, HWND page) {
  const LONG old_selection = item->Sel;
  item->Sel = selection;
  return Call(block, CPSUICB_REASON_SEL_CHANGED, tree, item, old_selection, page, nullptr);
}

LONG ActivatePage(OEMCUIPPARAM* block, ItemTree tree, HWND page) {
  return Call(block, CPSUICB_REASON_SETACTIVE, tree, nullptr, 0, page, nullptr);
}

LONG ApplyItems(OEMCUIPPARAM* block, ItemTree tree, HWND page, ULONG_PTR* result) {
  return Call(block, CPSUICB_REASON_APPLYNOW, tree, nullptr, 0, page, result);
}

}  // namespace kvt::tools
