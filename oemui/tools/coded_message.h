// The message box through which every page reports an error or asks a
// question: a message code becomes a text of the driver's message library
// "KvtQvj2Res2.dll", shown in a box that stays on top of every window.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/framework_abi.h"

namespace kvt {

// Message box styles and answers the callers use (MessageBoxW's values).
inline constexpr UINT kMbOk = 0x0;
inline constexpr UINT kMbOkCancel = 0x1;
inline constexpr UINT kMbIconError = 0x10;
inline constexpr UINT kMbIconQuestion = 0x20;
inline constexpr UINT kMbIconWarning = 0x30;
inline constexpr UINT kMbTopmost = 0x40000;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

// A code that shows nothing: the caller has reported the problem already.
inline constexpr std::uint32_t kSilentMessageCode = 10;
// The message library's general text, for every code the table lacks.
inline constexpr std::uint32_t kGeneralMessageId = 500;
// Message texts are loaded into a buffer of this many characters.
inline constexpr std::size_t kMessageTextChars = 1024;

inline constexpr char16_t kMessageLibraryName[] = u"KvtQvj2Res2.dll";

// Shown when the message library or the text is missing. The Japanese text
// is used when the system's ANSI code page is 932.
inline constexpr char16_t kMissingFilesText[] = u"Some files of this driver were not found.";
inline constexpr char16_t kMissingFilesTextJapanese[] =
    u"このドライバーのファイルの一部が見つかりません。";
// The box's title when the owner's parent has no caption: the model name.
inline constexpr char16_t kDefaultMessageTitle[] = u"KVT QV-J27";

struct MessageTableEntry {
  std::uint16_t code;
  std::uint16_t string_id;
};

// The whole message table, in code order; |*count| gets its length.
const MessageTableEntry* MessageTable(std::size_t* count);

// The message library's string id for |code|: the table's, else 500.
std::uint32_t MessageStringId(std::uint32_t code);

// Shows |code| in a message box owned by |owner| with |style| plus
// MB_TOPMOST and answers the box's result (IDOK, IDCANCEL, ...). The owner
// is disabled while the box is up and enabled again afterwards. The title
// is the caption of the owner's parent, else "KVT QV-J27". Code 10 answers
// 0 at once, showing nothing and leaving the owner alone. |source_line| is
// the caller's own line, for reading a call site in a debugger; unused.
int ShowCodedMessage(int source_line, HWND owner, std::uint32_t code, UINT style);

}  // namespace kvt
