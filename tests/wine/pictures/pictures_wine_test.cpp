// The pictures as the built module carries them: loaded from KvtQvj2Ui.dll
// through the real resource calls (LoadImageW, GetDIBits, FindResourceW)
// and the plug-in's image code, compared pixel for pixel with the files the
// generator wrote; each icon is checked at both its sizes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "oemui/watermark/dib_section.h"
#include "platform/service.h"
#include "resources/pictures/file_module_resources.h"
#include "resources/pictures/picture_ids.h"
#include "tests/wine/testbed.h"

namespace kvt {
namespace {

const std::uint32_t kBitmaps[] = {130, 131, 132, 133, 155, 156, 167, 189, 215, 216, 217, 218,
                                  219, 220, 221, 222, 223, 224, 225, 229, 230, 231, 232, 245,
                                  246, 250, 251, 252, 253, 254, 255, 256, 257, 258};
const std::uint32_t kTiffs[] = {196, 197, 198, 199};

class PicturesWineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryW(testbed::BesideThisProgram(L"KvtQvj2Ui.dll").c_str());
    ASSERT_NE(module_, nullptr) << GetLastError();
  }
  void TearDown() override {
    if (module_ != nullptr) FreeLibrary(module_);
  }

  HMODULE module_ = nullptr;
};

TEST_F(PicturesWineTest, ModulePicturesMatchTheGeneratedFiles) {
  // The files, read with the same code on the file-backed stand-in.
  testing::FileModuleResources files(KVT_PICTURE_DIR);

  for (std::uint32_t id : kBitmaps) {
    SCOPED_TRACE(id);
    CMyDibSection2 from_module, from_file;
    ASSERT_EQ(from_module.LoadPicture(module_, id), kImageOk);
    {
      ScopedService<ModuleResources> scoped(files);
      ASSERT_EQ(from_file.LoadPicture(nullptr, id), kImageOk);
    }
    ASSERT_EQ(from_module.width(), from_file.width());
    ASSERT_EQ(from_module.height(), from_file.height());
    EXPECT_EQ(from_module.pixels(), from_file.pixels());
  }

  for (std::uint32_t id : kTiffs) {
    SCOPED_TRACE(id);
    CMyDibSection2 from_module, from_file;
    ASSERT_EQ(from_module.LoadTiffResource(module_, id), kImageOk);
    {
      ScopedService<ModuleResources> scoped(files);
      ASSERT_EQ(from_file.LoadTiffResource(nullptr, id), kImageOk);
    }
    EXPECT_EQ(from_module.bits_per_pixel(), 32);
    EXPECT_EQ(from_module.pixels(), from_file.pixels());
  }

  for (std::uint32_t id = IDI_DOCUMENT; id <= IDI_CONTROL_A; ++id) {
    SCOPED_TRACE(id);
    for (int size : {16, 32}) {
      HICON icon = static_cast<HICON>(
          LoadImageW(module_, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
      ASSERT_NE(icon, nullptr) << size;
      ICONINFO info{};
      ASSERT_TRUE(GetIconInfo(icon, &info));
      BITMAP colour{};
      ASSERT_NE(GetObjectW(info.hbmColor, sizeof colour, &colour), 0);
      EXPECT_EQ(colour.bmWidth, size);
      EXPECT_EQ(colour.bmHeight, size);
      DeleteObject(info.hbmColor);
      DeleteObject(info.hbmMask);
      DestroyIcon(icon);
    }
  }
}

}  // namespace
}  // namespace kvt
