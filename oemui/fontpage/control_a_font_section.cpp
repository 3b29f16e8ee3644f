#include "oemui/fontpage/control_a_font_section.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "core/printer_initialization.h"
#include "core/result_codes.h"
#include "log/driver_log.h"
#include "oemui/fontpage/barcode_section_util.h"
#include "oemui/page_frame.h"
#include "oemui/page_messages.h"
#include "oemui/section_frame.h"
#include "oemui/tools/coded_message.h"
#include "oemui/tools/raw_test_job.h"
#include "oemui/tools/utility_library.h"
#include "platform/config_source.h"
#include "resources/font_page_ids.h"

namespace kvt {
namespace {

constexpr char16_t kModelName[] = u"KVT QV-J27";
constexpr int kCharWidth = 40;  // pixels at 96 DPI
constexpr int kHexWidth = 55;
constexpr int kCommandMargin = 20;
constexpr UINT kNmDblClk = static_cast<UINT>(0u - 3u);
constexpr UINT kLvnItemChanged = static_cast<UINT>(0u - 100u - 1u);
constexpr UINT kBmSetStyle = 0x00F4;
constexpr WPARAM kBsPushButton = 0;
constexpr WPARAM kBsDefPushButton = 1;
constexpr const int kLists[] = {IDC_CONTROL_A_LIST, IDC_CONTROL_A_FULL_LIST};

std::u16string HexText(unsigned value) {
  constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  std::u16string text;
  do {
    text.insert(text.begin(), kDigits[value % 16]);
    value /= 16;
  } while (value != 0);
  return text;
}

std::u16string CharText(int row) {
  const int code = kControlAFirstCode + row;
  return code == 0x7F ? std::u16string(u"[]") : std::u16string(1, static_cast<char16_t>(code));
}

std::u16string ValueName(int row) {
  return u"F" + HexText(static_cast<unsigned>(kControlAFirstCode + row));
}

// The command bytes of a full text, at most one command's worth.
std::vector<std::uint8_t> TextBytes(const std::u16string& text) {
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i + 1 < text.size() && bytes.size() < kControlACommandMax;) {
    auto digit = [](char16_t c) -> int {
      if (c >= u'0' && c <= u'9') return c - u'0';
      if (c >= u'A' && c <= u'F') return c - u'A' + 10;
      if (c >= u'a' && c <= u'f') return c - u'a' + 10;
      return -1;
    };
    const int high = digit(text[i]);
    const int low = digit(text[i + 1]);
    if (high < 0 || low < 0) {
      ++i;
      continue;
    }
    bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    i += 2;
  }
  return bytes;
}

// Upper-case pairs, each followed by one blank.
std::u16string CommandText(const std::uint8_t* bytes, std::size_t count) {
  constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  std::u16string text;
  text.reserve(count * 3);
  for (std::size_t i = 0; i < count; ++i) {
    text.push_back(kDigits[bytes[i] >> 4]);
    text.push_back(kDigits[bytes[i] & 0xF]);
    text.push_back(u' ');
  }
  return text;
}

int Scaled(int pixels, int dpi) { return pixels * dpi / 96; }

}  // namespace

std::u16string ControlAKeyPath(PrinterHandle printer) {
  std::u16string guid;
  if (!ReadUtilityGuid(printer, &guid)) guid.clear();
  if (guid.size() > kControlAGuidChars) guid.resize(kControlAGuidChars);
  std::u16string driver;
  if (Service<Spooler>().GetPrinterDriverName(printer, &driver) != Spooler::DriverNameStatus::kOk) {
    driver = kModelName;
  }
  return u"Software\\KVT\\" + driver + u"\\" + guid + u"\\ControlA";
}

std::u16string ControlAShownText(const std::u16string& full) {
  if (full.size() <= kControlAShownChars) return full;
  return full.substr(0, kControlACutChars) + u" ...";
}

bool ControlAFontSection::Editable() const {
  return context_->bCanChange == 1 && context_->bNotUserDefault != 1;
}

std::uint32_t ControlAFontSection::OnInit() {
  if (context_ == nullptr || port_.Window() == nullptr) return kResultNoMemory;
  key_path_ = ControlAKeyPath(context_->hPrinter);
  const int dpi = port_.ScreenDpi() > 0 ? port_.ScreenDpi() : 96;
  const std::u16string headers[] = {LoadSectionText(IDS_CONTROL_A_CHAR, u"xxChar"),
                                    LoadSectionText(IDS_CONTROL_A_HEX, u"xxHex"),
                                    LoadSectionText(IDS_CONTROL_A_COMMAND, u"xxCommand")};
  for (int id : kLists) {
    port_.ListSetFullRowSelect(id);
    int client = 0;
    if (const std::optional<DialogRect> r = port_.ItemRect(id)) client = r->right - r->left;
    const int widths[] = {Scaled(kCharWidth, dpi), Scaled(kHexWidth, dpi), 0};
    const int command = client - widths[0] - widths[1] - Scaled(kCommandMargin, dpi);
    for (int column = 0; column < 3; ++column) {
      port_.ListAddColumn(id, column, headers[column], column == 2 ? command : widths[column]);
    }
    for (int row = 0; row < kControlARows; ++row) {
      port_.ListInsertRow(id, row, CharText(row));
      port_.ListSetCell(id, row, 1, HexText(static_cast<unsigned>(kControlAFirstCode + row)));
    }
  }
  selected_ = 0;
  port_.ListSelectRow(IDC_CONTROL_A_LIST, 0);
  Load();
  Enabling();
  return kResultOk;
}

void ControlAFontSection::Load() {
  // Read only: the section writes only when the page applies.
  const std::unique_ptr<ConfigSource::Key> key = Service<ConfigSource>().OpenUserKey(key_path_);
  if (key == nullptr) return;
  for (int row = 0; row < kControlARows; ++row) {
    ConfigValue value;
    if (!key->Read(ValueName(row), &value) || value.data.empty()) continue;
    // Something else may have stored more than one command holds.
    const std::size_t count = std::min<std::size_t>(value.data.size(), kControlACommandMax);
    SetCommand(row, CommandText(value.data.data(), count));
  }
}

void ControlAFontSection::SetCommand(int row, const std::u16string& text) {
  port_.ListSetCell(IDC_CONTROL_A_FULL_LIST, row, 2, text);
  port_.ListSetCell(IDC_CONTROL_A_LIST, row, 2, ControlAShownText(text));
}

std::u16string ControlAFontSection::FullText(int row) {
  return port_.ListCell(IDC_CONTROL_A_FULL_LIST, row, 2);
}

std::vector<std::uint8_t> ControlAFontSection::Command(int row) { return TextBytes(FullText(row)); }

void ControlAFontSection::Enabling() {
  const bool has_command = !port_.ListCell(IDC_CONTROL_A_LIST, selected_, 2).empty();
  port_.Enable(IDC_CONTROL_A_PRINT, has_command);
  if (context_->bNotUserDefault == 1) {
    port_.Enable(IDC_CONTROL_A_EDIT, false);
    port_.Enable(IDC_CONTROL_A_DELETE, false);
  } else if (Editable()) {
    port_.Enable(IDC_CONTROL_A_DELETE, has_command);
  }
}

void ControlAFontSection::Edit() {
  if (!Editable() || selected_ < 0 || selected_ >= kControlARows) return;
  std::vector<std::uint8_t> bytes = Command(selected_);
  ScreenRect anchor;
  if (const std::optional<DialogRect> r = port_.ItemScreenRect(IDC_CONTROL_A_EDIT)) {
    anchor = ScreenRect{r->left, r->top, r->right, r->bottom};
  }
  // Without the library or its editor the button does nothing.
  if (EditHexBytes(port_.Window(), anchor, kControlACommandMax, kControlAEditorBuffer, &bytes) !=
      HexEditOutcome::kConfirmed) {
    return;
  }
  if (bytes.size() > kControlACommandMax) bytes.resize(kControlACommandMax);
  SetCommand(selected_, CommandText(bytes.data(), bytes.size()));
  Enabling();
  port_.NotifyChanged(port_.Sheet(), port_.Parent());
}

void ControlAFontSection::Delete() {
  if (!Editable() || selected_ < 0 || selected_ >= kControlARows) return;
  SetCommand(selected_, std::u16string());
  port_.SendToItem(IDC_CONTROL_A_DELETE, kBmSetStyle, kBsPushButton, 1);
  port_.SendToItem(IDC_CONTROL_A_EDIT, kBmSetStyle, kBsDefPushButton, 1);
  port_.Focus(IDC_CONTROL_A_EDIT);
  Enabling();
  port_.NotifyChanged(port_.Sheet(), port_.Parent());
}

std::uint32_t ControlAFontSection::Save() {
  const std::unique_ptr<ConfigSource::Key> key = Service<ConfigSource>().CreateUserKey(key_path_);
  if (key == nullptr) return GetThreadLastError();
  for (int row = 0; row < kControlARows; ++row) {
    const std::vector<std::uint8_t> bytes = Command(row);
    std::uint32_t status = 0;
    if (bytes.empty()) {
      status = key->DeleteValue(ValueName(row));
      if (status == 2) status = 0;  // there was none
    } else {
      status =
          key->WriteBinary(ValueName(row), bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    }
    if (status != 0) return status;
  }
  return 0;
}

std::uint32_t ControlAFontSection::PrintTest() {
  if (selected_ < 0 || selected_ >= kControlARows) return kResultOk;
  const std::vector<std::uint8_t> bytes = Command(selected_);
  if (bytes.empty()) return kResultOk;
  const RawJobOutcome outcome =
      WriteRawTestJob(context_->hPrinter,
                      LoadSectionText(IDS_CONTROL_A_TEST_DOCUMENT, u"KVT ControlA Font Test Print"),
                      kResultInvalid, [&](std::vector<std::uint8_t>* data) {
                        *data = bytes;
                        return kResultOk;
                      });
  WriteDriverLogDump(
      LogSource{kModuleDriverUi, __LINE__, GetThreadLastError(), kLogInfo, L"Ctrl A Font"},
      context_->hPrinter, bytes.data(), static_cast<std::uint32_t>(bytes.size()), nullptr, 0,
      L"%ls", L"Control A Font");
  return outcome.code;
}

std::uint32_t ControlAFontSection::Dispatch(UINT message, WPARAM wparam, LPARAM lparam,
                                            bool* handled) {
  *handled = true;
  switch (message) {
    case kWmNotify: {
      const auto* header = reinterpret_cast<const NotifyHeader*>(lparam);
      if (header == nullptr || header->idFrom != IDC_CONTROL_A_LIST || context_ == nullptr) break;
      if (header->code == kNmDblClk) {
        if (context_->bNotUserDefault != 1) Edit();
        return kResultOk;
      }
      if (header->code == kLvnItemChanged) {
        const int row = port_.ListSelectedRow(IDC_CONTROL_A_LIST);
        if (row >= 0 && row < kControlARows && row != selected_) {
          selected_ = row;
          Enabling();
        }
        return kResultOk;
      }
      break;
    }
    case kWmCommand: {
      if (context_ == nullptr || NotifyCode(wparam) != kBnClicked) break;
      switch (NotifyId(wparam)) {
        case IDC_CONTROL_A_PRINT:
          if (const std::uint32_t code = PrintTest()) {
            ShowCodedMessage(__LINE__, port_.Window(), code, kMbOk | kMbIconError);
            return code;
          }
          return kResultOk;
        case IDC_CONTROL_A_EDIT:
          Edit();
          return kResultOk;
        case IDC_CONTROL_A_DELETE:
          Delete();
          return kResultOk;
        default:
          break;
      }
      break;
    }
    case kDsmStore:
      // Failures are not shown; the rows before the failing one are written.
      if (context_ != nullptr) Save();
      return kResultOk;
    default:
      if (AnswerFrameMessage(port_, context_, message, wparam, lparam)) return kResultOk;
      break;
  }
  *handled = false;
  return kResultOk;
}

}  // namespace kvt
