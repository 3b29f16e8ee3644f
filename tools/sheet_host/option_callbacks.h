// The framework's side of the option items, as far as the sheet host plays
// it. Wine's CommonPropertySheetUIW does not show option-item trees
// (CPSFUNC_ADD_PCOMPROPSHEETUIW answers 0), so nothing would ever call the
// plug-in's OEMCUIPCallback. The host calls it itself, the way the
// framework does when the user picks a choice and when the sheet applies.
#pragma once

#include <string>

#include "platform/framework_abi.h"

namespace kvt::tools {

// The first of |count| items named |name|; null when none is.
OPTITEM* FindItemNamed(OPTITEM* items, DWORD count, const std::wstring& name);

// The item's choice |selection| as text; empty when it has none.
std::wstring ChoiceText(const OPTITEM& item, LONG selection);

// Selects |selection| on |item| (one of the plug-in's items in |block|) and
// tells the plug-in, as CPSUICB_REASON_SEL_CHANGED with the old selection.
// Answers the callback's action, or -1 when the plug-in registered none.
LONG ChangeSelection(OEMCUIPPARAM* block, OPTITEM* item, LONG selection, HWND page);

// Tells the plug-in that the sheet applies (CPSUICB_REASON_APPLYNOW).
// Answers the callback's action, or -1 when the plug-in registered none;
// |*result| gets the callback block's Result.
LONG ApplyItems(OEMCUIPPARAM* block, HWND page, ULONG_PTR* result);

}  // namespace kvt::tools
