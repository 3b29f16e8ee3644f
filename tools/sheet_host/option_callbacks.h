// The framework's side of the option items, as far as the sheet host plays
// it. Wine's CommonPropertySheetUIW does not show option-item trees
// (CPSFUNC_ADD_PCOMPROPSHEETUIW answers 0), so nothing would ever call the
// plug-in's OEMCUIPCallback. The host calls it itself, the way the
// framework does when the user picks a choice, when the page comes into
// view and when the sheet applies.
#pragma once

#include <string>

#include "platform/framework_abi.h"

namespace kvt::tools {

// What the framework hands the callback as its items: the whole tree it
// shows, its own items and the plug-in's.
struct ItemTree {
  OPTITEM* items = nullptr;
  WORD count = 0;
};

// The first of |count| items named |name|; null when none is.
OPTITEM* FindItemNamed(OPTITEM* items, DWORD count, const std::wstring& name);

// The item's choice |selection| as text; empty when it has none.
std::wstring ChoiceText(const OPTITEM& item, LONG selection);

// Every call below answers the callback's action, or -1 when the plug-in
// registered no callback in |block|. |page| is the page showing the items.

// Selects |selection| on |item| (one of |tree|'s) and tells the plug-in, as
// CPSUICB_REASON_SEL_CHANGED with the old selection. The plug-in may put
// another selection back into the item.
LONG ChangeSelection(OEMCUIPPARAM* block, ItemTree tree, OPTITEM* item, LONG selection, HWND page);

// Tells the plug-in that the page showing |tree| came into view
// (CPSUICB_REASON_SETACTIVE).
LONG ActivatePage(OEMCUIPPARAM* block, ItemTree tree, HWND page);

// Tells the plug-in that the sheet applies (CPSUICB_REASON_APPLYNOW);
// |*result| gets the callback block's Result.
LONG ApplyItems(OEMCUIPPARAM* block, ItemTree tree, HWND page, ULONG_PTR* result);

}  // namespace kvt::tools
