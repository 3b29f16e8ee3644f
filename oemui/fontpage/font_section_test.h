// What the Font page's section tests share: the section alone on the page
// of the shared page fixture, with the given controls.
#pragma once

#include <memory>
#include <vector>

#include "oemui/page_test.h"

namespace kvt {

template <typename Section>
class FontSectionTest : public PageTest {
 protected:
  void MakeSection(const std::vector<int>& controls) {
    window_ = PageTest::MakeSection(controls, &section_);
    port_ = section_port_;
  }
  FakeControl& C(int id) { return *windows_.Control(window_, id); }
  void Pick(int id, int row) { windows_.PickComboRow(window_, id, row); }

  HWND window_ = nullptr;
  FakeDialogPort* port_ = nullptr;  // the section's
  std::unique_ptr<Section> section_;
};

}  // namespace kvt
