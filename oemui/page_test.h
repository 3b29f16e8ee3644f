// What the page tests share: a page window under a sheet on fake windows
// with its picture, splitter and settings list; the page context over the
// record and the document sheet's state; the sheet's result calls
// recorded; section templates whose objects hear their messages; and the
// fakes of the spooler, strings, pictures, forms, message boxes and the
// package's libraries.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "core/doc_ui_state.h"
#include "core/module_state.h"
#include "core/page_context.h"
#include "core/private_settings_ops.h"
#include "log/log_test_fixture.h"
#include "oemui/controls/fake_dialog_port.h"
#include "oemui/page_frame.h"
#include "oemui/page_messages.h"
#include "oemui/tools/coded_message.h"
#include "oemui/tools/utility_library.h"
#include "platform/fake/fake_forms.h"
#include "platform/fake/fake_message_box.h"
#include "platform/fake/fake_module_resources.h"
#include "platform/fake/fake_package_library.h"
#include "platform/fake/fake_spooler.h"
#include "platform/fake/fake_string_table.h"

namespace kvt {

// The utility library's hex editor, scripted: records what it was handed,
// writes |write| back and answers |count| and |result|.
struct HexEditorScript {
  std::vector<std::uint8_t> write;
  std::uint32_t count = 0;
  std::uint32_t result = 0;
  int calls = 0;
  HexEditorParam seen{};
  std::vector<std::uint8_t> offered;
};
inline HexEditorScript g_editor;

inline std::uint32_t ScriptedHexEditor(void* block) {
  auto* param = static_cast<HexEditorParam*>(block);
  ++g_editor.calls;
  g_editor.seen = *param;
  g_editor.offered.assign(param->pbyBuffer, param->pbyBuffer + param->dwCount);
  std::copy(g_editor.write.begin(), g_editor.write.end(), param->pbyBuffer);
  param->dwCount = g_editor.count;
  return g_editor.result;
}

// The pages the sheet asked for a result, in order.
inline std::vector<LPARAM>& SheetResults() {
  static std::vector<LPARAM> results;
  return results;
}

inline LONG_PTR RecordSheetResult(HANDLE, UINT function, LPARAM page, LPARAM result) {
  EXPECT_EQ(function, static_cast<UINT>(CPSFUNC_SET_RESULT));
  EXPECT_EQ(result, CPSUI_OK);
  SheetResults().push_back(page);
  return 1;
}

class PageTest : public log::LogFixture {
 protected:
  static constexpr char16_t kLogPath[] = u"C:\\Logs\\driver.log";
  static constexpr LPARAM kFontPageHandle = 0x2002;

  PageTest() {
    SheetResults().clear();
    g_editor = HexEditorScript{};
    printer_ = printers.Add(u"KVT QV-J27 Receipt");
    spooler_.AddPrinter(printer_, {u"KVT QV-J27 Receipt", Spooler::DriverNameStatus::kOk, 0});
    Defaults(&context_.WorkingSettings);
    context_.AppliedSettings = context_.WorkingSettings;
    context_.hPrinter = printer_;
    context_.pfnComPropSheet = &RecordSheetResult;
    context_.hFontPage = reinterpret_cast<HANDLE>(kFontPageHandle);
    context_.nSplitterPos = -1;
    context_.bCanChange = 1;
    context_.pOemCuipParam = &cuip_;
    cuip_.hPrinter = printer_;
    cuip_.pOEMUserData = &ui_;
    ui_.bIpdFontUsable = 1;
    ui_.pWorkingSettings = &context_.WorkingSettings;

    sheet_ = windows_.NewWindow(nullptr);
    page_window_ = windows_.NewWindow(sheet_);
    windows_.ClientRect(page_window_) = {0, 0, 540, 420};
    windows_.AddControl(page_window_, kPreviewId, {10, 10, 250, 200});
    windows_.AddControl(page_window_, kSplitterId, {10, 204, 250, 208});
    windows_.AddControl(page_window_, kSettingsListId, {10, 212, 250, 410});
    port_ = std::make_unique<FakeDialogPort>(windows_, page_window_);
  }

  // Routes the page window's messages to |page|.
  template <typename Page>
  void Route(Page* page) {
    windows_.SetHandler(page_window_, [page](UINT message, WPARAM wparam, LPARAM lparam) {
      bool handled = false;
      return static_cast<LRESULT>(page->Dispatch(message, wparam, lparam, &handled));
    });
  }

  // A section template the page makes: |controls| on it, placed |width|
  // by |height|, then the object |make| answers over them, which hears
  // every message sent to the window (kept in heard_).
  template <typename Make>
  void AddSection(std::uint16_t id, std::vector<int> controls, const int* width, int height,
                  Make make) {
    windows_.AddTemplate(id, [this, controls, width, height, make](HWND window, LPARAM param) {
      windows_.PlacedRect(window) = {0, 0, *width, height};
      for (int control : controls) windows_.AddControl(window, control, {0, 0, 100, 20});
      ports_.push_back(std::make_unique<FakeDialogPort>(windows_, window));
      auto section = make(window, *ports_.back(), reinterpret_cast<PageContext*>(param));
      owners_.push_back(section);
      auto* heard = &heard_[window];
      return [section = section.get(), heard](UINT message, WPARAM wparam, LPARAM lparam) {
        heard->push_back(message);
        bool handled = false;
        return static_cast<LRESULT>(section->Dispatch(message, wparam, lparam, &handled));
      };
    });
  }

  // |Section| alone on a child window of the page with |controls|, its
  // messages routed to it; a section made again replaces the one before.
  template <typename Section>
  HWND MakeSection(const std::vector<int>& controls, std::unique_ptr<Section>* section) {
    section->reset();
    const HWND window = windows_.NewWindow(page_window_);
    for (int id : controls) windows_.AddControl(window, id);
    ports_.push_back(std::make_unique<FakeDialogPort>(windows_, window));
    section_port_ = ports_.back().get();
    *section = std::make_unique<Section>(*section_port_, &context_);
    windows_.SetHandler(window, [object = section->get()](UINT m, WPARAM w, LPARAM l) {
      bool handled = false;
      return static_cast<LRESULT>(object->Dispatch(m, w, l, &handled));
    });
    return window;
  }

  // The utility library in the plug-in's folder, with the scripted editor.
  void OfferEditor() {
    const ModuleHandle library = libraries_.AddLibrary(libraries_.own_folder + u"\\KvtQvj2Utl.dll");
    libraries_.entries[{library, kHexEditorEntry}] =
        reinterpret_cast<LibraryEntry>(&ScriptedHexEditor);
  }
  void TurnDriverLogOn() {
    files.AddDirectory(u"C:\\Logs");
    printers.SetString(printer_, u"LogFilePath", kLogPath);
    printers.SetBytes(printer_, u"LogSettingFlags", {1, 0, 1, 1, 1, 0});
  }
  void Notify(UINT code) {
    NotifyHeader header = {sheet_, 0, code};
    windows_.Send(page_window_, kWmNotify, 0, reinterpret_cast<LPARAM>(&header));
  }
  int Count(HWND target, UINT message) {
    return static_cast<int>(windows_.MessagesTo(target, message).size());
  }
  FakeControl& Page(int id) { return *windows_.Control(page_window_, id); }

  // A printer whose driver cannot be read fails initialisation with its
  // code; shown, the failure is an error box and the sheet is cancelled.
  template <typename PageObject>
  void ExpectUnreadablePrinterCancelsTheSheet(PageObject& page) {
    spooler_.AddPrinter(printer_, {u"", Spooler::DriverNameStatus::kReadFailed, 5});
    const std::uint32_t code = page.OnInit();
    EXPECT_EQ(code, 202u);
    page.frame().ShowFailure(code);
    windows_.Pump();
    ASSERT_EQ(boxes_.boxes.size(), 1u);
    EXPECT_EQ(boxes_.boxes[0].style & kMbIconError, kMbIconError);
    const auto presses = windows_.MessagesTo(sheet_, kPsmPressButton);
    ASSERT_EQ(presses.size(), 1u);
    EXPECT_EQ(presses[0].wparam, kPsbtnCancel);
  }

  FakeSpooler spooler_;
  FakeForms forms_;
  FakeStringTable strings_;
  FakeModuleResources pictures_;
  FakeMessageBoxUi boxes_;
  FakePackageLibraryLoader libraries_;
  ScopedService<Spooler> use_spooler_{spooler_};
  ScopedService<Forms> use_forms_{forms_};
  ScopedService<StringTable> use_strings_{strings_};
  ScopedService<ModuleResources> use_pictures_{pictures_};
  ScopedService<MessageBoxUi> use_boxes_{boxes_};
  ScopedService<PackageLibraryLoader> use_libraries_{libraries_};

  PrinterHandle printer_ = nullptr;
  PageContext context_ = {};
  OEMCUIPPARAM cuip_ = {};
  DocUiState ui_ = {};

  FakeWindows windows_;
  HWND sheet_ = nullptr;
  HWND page_window_ = nullptr;
  std::vector<std::unique_ptr<FakeDialogPort>> ports_;
  // The sections go before their ports, the page before its port.
  std::vector<std::shared_ptr<void>> owners_;
  std::map<HWND, std::vector<UINT>> heard_;
  std::unique_ptr<FakeDialogPort> port_;
  FakeDialogPort* section_port_ = nullptr;
};

}  // namespace kvt
