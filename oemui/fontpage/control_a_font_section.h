// The Font page's "ControlA Font Settings" section (template 114): the
// printer commands of the Control A device font, one for each character
// from 0x20 to 0x7F, edited with the utility library's hexadecimal editor,
// deleted, and sent to the printer as a test.
//
// The commands are not part of the document's settings: they live in the
// current user's registry, below
//   Software\KVT\<driver name>\<UtilityGUID>\ControlA
// as one binary value "F<code>" (for example "F41" for "A") per character
// that has a command. They are read when the section is made and written
// when the Font page applies; they may be changed only from the printer's
// default preferences.
//
// The visible list (1089) shows the command texts, long ones cut; a hidden
// list (1289) keeps them whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/page_context.h"
#include "oemui/controls/dialog_port.h"
#include "platform/spooler.h"

namespace kvt {

inline constexpr int kControlARows = 96;  // 0x20 to 0x7F
inline constexpr int kControlAFirstCode = 0x20;
// The most bytes of one command, and the editor's buffer for it.
inline constexpr std::uint32_t kControlACommandMax = 256;
inline constexpr std::size_t kControlAEditorBuffer = 512;
// Longer command texts show as their first 255 characters and " ...".
inline constexpr std::size_t kControlAShownChars = 260;
inline constexpr std::size_t kControlACutChars = 255;
// The most characters of "UtilityGUID" that go into the key path.
inline constexpr std::size_t kControlAGuidChars = 259;

// The key below HKEY_CURRENT_USER: the driver name ("KVT QV-J27" when it
// cannot be read) and the printer's "UtilityGUID" (empty when absent, cut
// to 259 characters).
std::u16string ControlAKeyPath(PrinterHandle printer);

// The text the visible list shows for a command's full text.
std::u16string ControlAShownText(const std::u16string& full);

class ControlAFontSection {
 public:
  ControlAFontSection(DialogPort& port, PageContext* context) : port_(port), context_(context) {}

  // 220 without the window or the sheet's context.
  std::uint32_t OnInit();
  // Reads the commands from the registry into both lists.
  void Load();
  // Writes every row: 0, or the registry's code of the first failure.
  std::uint32_t Save();
  void Edit();
  void Delete();
  // 0, or the code of a test print that did not reach the printer.
  std::uint32_t PrintTest();

  std::uint32_t Dispatch(UINT message, WPARAM wparam, LPARAM lparam, bool* handled);

  const std::u16string& KeyPath() const { return key_path_; }

 private:
  bool Editable() const;
  void Enabling();
  void SetCommand(int row, const std::u16string& text);
  std::u16string FullText(int row);
  std::vector<std::uint8_t> Command(int row);

  DialogPort& port_;
  PageContext* context_;
  std::u16string key_path_;
  int selected_ = 0;
};

// The section's dialog procedure (win32/; nothing on Linux).
INT_PTR CALLBACK ControlAFontSectionProc(HWND section, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace kvt
