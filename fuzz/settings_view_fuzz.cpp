// Records from anywhere shown by the Document Settings page: the settings
// list's texts and marks and the receipt picture, built from a working and
// an applied record as the sheet may hand them over (a damaged document, an
// older version). Neither view may read past a record or a picture, and a
// refused value ends in a code, never in a crash.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "core/module_state.h"
#include "fuzz/fuzz_input.h"
#include "core/private_settings.h"
#include "oemui/controls/fake_dialog_port.h"
#include "oemui/docsettings/reduction_table.h"
#include "oemui/docsettings/settings_list.h"
#include "oemui/docsettings/settings_preview.h"
#include "platform/fake/fake_module_resources.h"
#include "platform/fake/fake_system_info.h"
#include "platform/string_table.h"
#include "resources/pictures/picture_ids.h"

namespace {

// Every text of the module reads "%d"; labels and number formats alike.
class AnyText final : public kvt::StringTable {
 public:
  bool Load(kvt::ModuleHandle, std::uint32_t, std::size_t, std::u16string* text) override {
    *text = u"%d";
    return true;
  }
};

struct Views {
  Views() {
    for (std::uint32_t id : {223u, 224u, 225u, 229u, 230u, 231u, 232u, 215u, 216u, 217u, 218u, 219u,
                             220u, 221u, 222u, 246u}) {
      kvt::BitmapPixels bitmap{40, 30, {}};
      bitmap.rows.assign(kvt::DibStride(40, 24) * 30, static_cast<std::uint8_t>(id));
      pictures.bitmaps[{kvt::ModuleInstance(), id}] = bitmap;
    }
    port.Control(1050);
    port.AttachCustom(1050, kvt::CustomControl::kTreeView);
    kvt::BuildSettingsList(port, 1050);
  }
  AnyText texts;
  kvt::FakeModuleResources pictures;
  kvt::FakeSystemInfo system;
  kvt::ScopedService<kvt::StringTable> use_texts{texts};
  kvt::ScopedService<kvt::ModuleResources> use_pictures{pictures};
  kvt::ScopedService<kvt::SystemInfo> use_system{system};
  kvt::FakeWindows windows;
  kvt::FakeDialogPort port{windows, windows.NewWindow(nullptr)};
  kvt::SettingsPreview preview{kvt::ModuleInstance()};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Views* views = new Views();
  // The working record first, then the applied one; each sits on the heap
  // at its exact size, the bytes the input lacks left zero.
  auto working = kvt::fuzz::RecordAt<kvt::PrivateSettings>(data, size, 0);
  auto applied =
      kvt::fuzz::RecordAt<kvt::PrivateSettings>(data, size, sizeof(kvt::PrivateSettings));
  kvt::RefreshSettingsList(views->port, 1050, *working, *applied,
                           kvt::SelectReductionTable(u"KVT QV-J27"));
  kvt::CMyDibSection2 picture;
  views->preview.Compose(*working, (size & 1) != 0, &picture);
  return 0;
}
