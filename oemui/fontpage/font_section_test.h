// What the Font page's section tests share: the section on fake windows
// (sheet, page, section) with the given controls, its messages routed to
// it, and the fakes of the spooler, the message boxes and the package's
// libraries installed.
#pragma once

#include <memory>
#include <vector>

#include "core/page_context.h"
#include "log/log_test_fixture.h"
#include "oemui/controls/fake_dialog_port.h"
#include "platform/fake/fake_message_box.h"
#include "platform/fake/fake_package_library.h"
#include "platform/fake/fake_spooler.h"

namespace kvt {

template <typename Section>
class FontSectionTest : public log::LogFixture {
 protected:
  void MakeSection(const std::vector<int>& controls) {
    sheet_ = windows_.NewWindow(nullptr);
    page_ = windows_.NewWindow(sheet_);
    window_ = windows_.NewWindow(page_);
    for (int id : controls) windows_.AddControl(window_, id);
    port_ = std::make_unique<FakeDialogPort>(windows_, window_);
    section_ = std::make_unique<Section>(*port_, &context_);
    windows_.SetHandler(window_, [this](UINT m, WPARAM w, LPARAM l) -> LRESULT {
      bool handled = false;
      return section_->Dispatch(m, w, l, &handled);
    });
  }
  FakeControl& C(int id) { return *windows_.Control(window_, id); }
  void Pick(int id, int row) { windows_.PickComboRow(window_, id, row); }

  FakeSpooler spooler_;
  FakeMessageBoxUi boxes_;
  FakePackageLibraryLoader libraries_;
  ScopedService<Spooler> use_spooler_{spooler_};
  ScopedService<MessageBoxUi> use_boxes_{boxes_};
  ScopedService<PackageLibraryLoader> use_libraries_{libraries_};
  PrinterHandle printer_ = nullptr;
  PageContext context_ = {};
  FakeWindows windows_;
  HWND sheet_ = nullptr;
  HWND page_ = nullptr;
  HWND window_ = nullptr;
  std::unique_ptr<FakeDialogPort> port_;
  std::unique_ptr<Section> section_;
};

}  // namespace kvt
