// The images against real GDI: drawing into a memory device context,
// reading it back for the blend, and DIB sections made from pixel buffers.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "oemui/watermark/dib_section.h"
#include "platform/module_resources.h"
#include "platform/service.h"

namespace kvt {
namespace {

// An 8 x 8 24-bit DIB section of grey 100 selected into a memory context.
class MemoryContext : public ::testing::Test {
 protected:
  void SetUp() override {
    dc_ = ::CreateCompatibleDC(nullptr);
    ASSERT_NE(dc_, nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 8;
    info.bmiHeader.biHeight = -8;  // top-down, so Pixel() reads rows in order
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    section_ = ::CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(section_, nullptr);
    bits_ = static_cast<std::uint8_t*>(bits);
    std::memset(bits_, 100, 24 * 8);
    previous_ = ::SelectObject(dc_, section_);
  }
  void TearDown() override {
    if (dc_ != nullptr) {
      ::SelectObject(dc_, previous_);
      ::DeleteDC(dc_);
    }
    if (section_ != nullptr) ::DeleteObject(section_);
  }
  const std::uint8_t* Pixel(int x, int y) {
    ::GdiFlush();
    return bits_ + 24 * y + 3 * x;
  }

  HDC dc_ = nullptr;
  HBITMAP section_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  std::uint8_t* bits_ = nullptr;
};

TEST_F(MemoryContext, ThirtyTwoBitPicturesBlendWithTheContext) {
  CMyDibSection2 picture;
  ASSERT_EQ(picture.Create(2, 1, 32), kImageOk);
  picture.Fill(0x80C8C8C8);                  // 200 at alpha 128
  std::memset(picture.RowPointer(0), 0, 4);  // first pixel: alpha 0
  ASSERT_EQ(picture.DrawTo(dc_, 1, 2, 2, 1), kImageOk);
  EXPECT_EQ(Pixel(1, 2)[0], 100);
  EXPECT_EQ(Pixel(2, 2)[1], 149);
  EXPECT_EQ(Pixel(3, 2)[2], 100);
}

TEST_F(MemoryContext, OtherPicturesAreCopiedWithTheirOperation) {
  CMyDibSection2 picture;
  ASSERT_EQ(picture.Create(4, 4, 24), kImageOk);
  picture.Fill(0x003C3C3C);
  picture.RowPointer(0)[0] = 0xFF;  // the top-left pixel's blue
  ASSERT_EQ(picture.DrawTo(dc_, 5, 6, 2, 2, SRCAND), kImageOk);
  EXPECT_EQ(Pixel(5, 6)[0], 100 & 0xFF);
  EXPECT_EQ(Pixel(5, 6)[1], 100 & 0x3C);
  EXPECT_EQ(Pixel(6, 7)[2], 100 & 0x3C);
  EXPECT_EQ(Pixel(4, 6)[0], 100);
  EXPECT_EQ(Pixel(7, 6)[0], 100);
}

TEST(DibSectionWin32, SectionsCarryTheHeaderAndPixels) {
  CMyDibSection2 picture;
  ASSERT_EQ(picture.Create(3, 2, 8), kImageOk);
  picture.Fill(0x7F);
  HBITMAP section = static_cast<HBITMAP>(picture.CreateSection());
  ASSERT_NE(section, nullptr);
  DIBSECTION shape{};
  ASSERT_EQ(::GetObjectW(section, sizeof(shape), &shape), static_cast<int>(sizeof(shape)));
  EXPECT_EQ(shape.dsBmih.biWidth, 3);
  EXPECT_EQ(shape.dsBmih.biHeight, 2);
  EXPECT_EQ(shape.dsBmih.biBitCount, 8);
  EXPECT_EQ(static_cast<const std::uint8_t*>(shape.dsBm.bmBits)[5], 0x7F);
  Service<ImageDevice>().DeleteBitmap(section);
}

TEST(DibSectionWin32, MissingResourcesAreReportedAsSuch) {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  EXPECT_FALSE(Service<ModuleResources>().Find(::GetModuleHandleW(nullptr), kResourceTypeRcData,
                                               4321, &data, &size));
  EXPECT_NE(::GetLastError(), 0u);
  CMyDibSection2 picture;
  EXPECT_EQ(picture.LoadTiffResource(::GetModuleHandleW(nullptr), 4321), kImageInvalid);
  EXPECT_EQ(picture.LoadPicture(::GetModuleHandleW(nullptr), 4321), kImageInvalid);
}

}  // namespace
}  // namespace kvt
