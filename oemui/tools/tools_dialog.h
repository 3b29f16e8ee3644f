// The Tools dialog: the child dialog of the printer properties' Tools page.
// Its left panel shows the driver's title and the file versions of the
// driver package; its right column has one button per function of the
// utility library, usable while the printer has bidirectional
// communication on and sits on a real port.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/device_sheet_state.h"
#include "oemui/controls/dialog_port.h"
#include "oemui/tools/utility_library.h"
#include "platform/file_version.h"

namespace kvt {

inline constexpr int kToolsVersionRows = 7;
inline constexpr int kToolsButtonRows = 7;
// Sent by the page on activation: refresh the buttons.
inline constexpr UINT kMsgToolsRefresh = 1724;

// Which version rows and button rows a model shows.
struct ToolsModel {
  const char16_t* szModelName;
  std::array<bool, kToolsVersionRows> rows;
  std::array<bool, kToolsButtonRows> buttons;
};
const ToolsModel& ToolsModelFor(std::u16string_view driver_name);

// Where a version row's file lives.
enum class ToolsFolder { kModule, kPrintProcessor, kSystem };
struct ToolsVersionRow {
  const char16_t* file;
  ToolsFolder folder;
};
const std::array<ToolsVersionRow, kToolsVersionRows>& ToolsVersionRowTable();

// Version texts.
inline constexpr char16_t kNoVersionText[] = u": -----";
std::u16string VersionText(const FileVersion& version);  // ": 1.0.5"

// The driver title for control 1501. |title_format| is string 2129
// ("%s\nPrinter Driver\n\nVersion %d.%d%d"); with a driver version (level
// 6) it is filled with |driver_name| and the low bytes of the version's
// three most significant 16-bit parts; without one (read failed, or 0) the
// title is "<driver name> Printer Driver". At most 127 characters.
std::u16string DriverTitle(std::u16string_view title_format, std::u16string_view driver_name,
                           bool has_version, std::uint64_t version);

// What the dialog keeps from its set-up to its destruction.
struct ToolsState {
  HINSTANCE instance = nullptr;
  HWND dialog = nullptr;
  HANDLE hPrinter = nullptr;
  std::u16string driver_name;    // up to 520 characters
  std::u16string printer_name;   // the OEMCUIPPARAM's
  std::u16string module_folder;  // with a trailing backslash
  std::u16string system_folder;  // empty when unknown
  std::array<bool, kToolsButtonRows> buttons{};
  bool last_enable_state = true;
};

class ToolsDialog {
 public:
  // |model| null: the model table's entry for the printer's driver.
  ToolsDialog(DialogPort& port, const DeviceSheetState* sheet, HINSTANCE instance,
              const ToolsModel* model = nullptr);

  // Set-up: 0, or 101 (no sheet state, printer or module folder), 202 (the
  // printer's information cannot be read), 220 (no memory). The caller
  // shows the code; after 101 and 202 it closes the sheet.
  std::uint32_t OnInit();
  // The buttons' refresh on activation: enabled exactly while bidirectional
  // communication is on and the port is real.
  void OnRefresh();
  // A click: the utility function of the button, shown when it fails.
  // Answers the message code (0 when nothing is to be shown).
  std::uint32_t OnCommand(int id, std::uint16_t code);

  // The white panel behind the title and the version rows.
  DialogRect PanelRect();

  const ToolsState* state() const { return ready_ ? &state_ : nullptr; }

 private:
  void PlaceVersionRows(const ToolsModel& model);
  void ShowVersions();
  void ShowDriverTitle();
  void PlaceButtonRows();
  void KeepRightMargins();
  void LogPrinterFacts(bool admin, bool bidi, bool real_port);
  std::uint32_t RunUtility(UtilityFunction function);
  int Scale(int length);

  DialogPort& port_;
  const DeviceSheetState* sheet_;
  const ToolsModel* model_;
  ToolsState state_;
  bool ready_ = false;
};

}  // namespace kvt
