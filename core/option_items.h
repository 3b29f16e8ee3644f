// The plug-in's items in the framework's option trees, and their callbacks:
//
// - document tree: "Head Drive", which edits byHeadDrive of the private
//   settings; the framework's paper-source item is cut to its first choice,
//   since the printer has one roll;
// - device tree: "Auto reprint after error recovery", kept as the printer
//   data value "AutoReprint"; the framework's own device items are hidden.
//
// Everything handed to the framework comes from the local heap, zero
// filled: the item's name, its OPTTYPE, the OPTPARAM array and each
// option's text, and the DocUiState given as pOEMUserData. The document
// sheet's release step frees them.
#pragma once

#include <cstdint>

#include "core/private_settings.h"
#include "platform/framework_abi.h"

namespace kvt {

// String ids of the items (the module's own string table).
inline constexpr std::uint32_t kHeadDriveNameId = 9;
inline constexpr std::uint32_t kAutoReprintNameId = 2050;
inline constexpr std::uint32_t kAutoReprintEnableId = 2051;
inline constexpr std::uint32_t kAutoReprintDisableId = 2052;
inline constexpr std::uint32_t kAutoReprintNoticeId = 2053;
// Names and option texts are loaded into a buffer of this many characters.
inline constexpr std::size_t kItemTextChars = 260;

// The framework's public device-mode ids of its own items (DMPUB_*).
inline constexpr BYTE kDmPubOrientation = 1;
inline constexpr BYTE kDmPubCopiesCollate = 3;
inline constexpr BYTE kDmPubDefaultSource = 4;
inline constexpr BYTE kDmPubFormName = 9;
inline constexpr BYTE kDmPubHeadDrive = 101;  // DMPUB_USER + 1

// OPTITEM flags, option types and styles (compstui.h).
inline constexpr DWORD kOptifCollapse = 0x01;
inline constexpr DWORD kOptifHide = 0x02;
inline constexpr DWORD kOptifChanged = 0x08;
inline constexpr DWORD kOptifExtHide = 0x80;
inline constexpr BYTE kTvotComboBox = 6;
inline constexpr WORD kOtsLbcbNoIcon16InItem = 0x10;

// Callback reasons and actions (CPSUICB_*).
inline constexpr WORD kCpsuicbReasonSelChanged = 0;
inline constexpr WORD kCpsuicbReasonApplyNow = 6;
inline constexpr WORD kCpsuicbReasonSetActive = 10;
inline constexpr LONG kCpsuicbActionNone = 0;
inline constexpr LONG kCpsuicbActionOptifChanged = 1;
inline constexpr LONG kCpsuicbActionItemsApplied = 4;

// The message the Document Settings page takes as "changed on the
// framework's pages: switch to User Setting".
inline constexpr UINT kDsmUserPreset = 2026;
// The question asked before a document with device fonts turns landscape.
inline constexpr std::uint32_t kLandscapeQuestionCode = 1020;
// The framework page's control that shows the orientation.
inline constexpr int kOrientationControlId = 1232;

// The coded message box the option items ask their questions through (a
// message code shown with MessageBoxW's |style|, answering IDOK, IDCANCEL,
// ...). It belongs to the pages' layer, so the module hands it in at
// start-up; until then every question answers IDCANCEL.
using CodedMessageBox = int (*)(int source_line, HWND owner, std::uint32_t code, UINT style);
void SetOptionItemsMessageBox(CodedMessageBox show);

// One row of a model's head drive list: the byHeadDrive value and the
// string id of its text.
struct HeadDriveRow {
  std::uint8_t byValue;
  std::uint32_t dwStringId;
};

// A model's head drive list, in display order.
struct HeadDriveList {
  const char16_t* szModelName;
  const HeadDriveRow* pRows;
  std::uint32_t dwCount;
};

// The head drive list of the driver's model ("KVT QV-J27").
const HeadDriveList& ModelHeadDriveList();

// The row showing |value|; row 0 when the list has no such value.
LONG HeadDriveRowOf(const HeadDriveList& list, std::uint8_t value);

// The first of |count| items with |dmpub_id|; null when none.
OPTITEM* FindItemByDmPubId(OPTITEM* items, DWORD count, BYTE dmpub_id);
const OPTITEM* FindItemByDmPubId(const OPTITEM* items, DWORD count, BYTE dmpub_id);

// CommonUIProp's work for OEMCUIP_DOCPROP (1) and OEMCUIP_PRNPROP (2). With
// no item array in |param| the framework only asks how many items the
// plug-in adds (1). A missing block, or a document request without the
// private settings buffer, is refused: last error 87, E_FAIL.
HRESULT BuildOptionItems(DWORD mode, POEMCUIPPARAM param);

// The callbacks the builder registers.
LONG APIENTRY DocumentItemsCallback(PCPSUICBPARAM callback, POEMCUIPPARAM param);
LONG APIENTRY DeviceItemsCallback(PCPSUICBPARAM callback, POEMCUIPPARAM param);

// The reduction scale in percent for |reduction| (byReduction) on a form
// |form_width| tenths of a millimetre wide, keeping |current| where the
// reduction does not compute one. |form_width| must not be 0.
std::uint8_t ReductionScaleFor(std::uint8_t reduction, std::uint8_t current,
                               std::int32_t form_width);

}  // namespace kvt
