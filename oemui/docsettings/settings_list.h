// The settings list of the Document Settings page: a tree of every setting
// of the page's three sections with its value. Value rows that have no
// effect are hidden, and a value that differs from the settings last
// applied is drawn in red.
#pragma once

#include <cstdint>

#include "core/private_settings.h"
#include "oemui/controls/dialog_port.h"
#include "oemui/docsettings/reduction_table.h"

namespace kvt {

// The items that can be chosen: each opens a section of the page.
inline constexpr std::uint32_t kListItemGeneral = 1;
inline constexpr std::uint32_t kListItemPaperCut = 8;
inline constexpr std::uint32_t kListItemOption = 13;
inline constexpr std::uint32_t kListItemPrintStart = 14;
inline constexpr std::uint32_t kListItemPageStart = 24;
inline constexpr std::uint32_t kListItemPageEnd = 31;
inline constexpr std::uint32_t kListItemPrintEnd = 38;

// Fills the tree |tree_id| of |page|: its icon list, then every item with
// its label from the module's string table (value rows get their values
// from RefreshSettingsList). Every item is added even when one fails; the
// answer is 0 or the first failure's code (201 for a missing label).
std::uint32_t BuildSettingsList(DialogPort& page, int tree_id);

// Writes every value row's text ("label: value") and colour from |working|
// (red where it differs from |applied|), hides the rows that have no effect,
// then lays the tree out and repaints it. A value that names no text (such
// as a margin of 4), a UI language of 0 or a missing string stops at that
// row with its code (107, 107, 201): the rows before it keep their new
// texts, the rest their old ones.
std::uint32_t RefreshSettingsList(DialogPort& page, int tree_id, const PrivateSettings& working,
                                  const PrivateSettings& applied, const ReductionTable& reductions);

}  // namespace kvt
