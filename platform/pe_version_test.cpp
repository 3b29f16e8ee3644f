#include "platform/pe_version.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_pe_image.h"

namespace kvt {
namespace {

bool Read(const std::string& image, FileVersion* version) {
  return ReadPeFileVersion(std::string_view(image), version);
}

TEST(PeVersionTest, ReadsTheFixedFileVersionOfBothImageKinds) {
  for (bool pe32_plus : {true, false}) {
    FakePeImageOptions options;
    options.pe32_plus = pe32_plus;
    options.version = FileVersion{3, 10, 0, 65535};
    FileVersion version;
    ASSERT_TRUE(Read(FakePeImage(options), &version)) << pe32_plus;
    EXPECT_EQ(version.major, 3);
    EXPECT_EQ(version.minor, 10);
    EXPECT_EQ(version.build, 0);
    EXPECT_EQ(version.revision, 65535);
  }
}

TEST(PeVersionTest, ImagesWithoutAWellFormedVersionResourceHaveNone) {
  const struct {
    const char* what;
    void (*change)(FakePeImageOptions&);
  } cases[] = {
      {"no resources", [](FakePeImageOptions& o) { o.with_resources = false; }},
      {"icons only", [](FakePeImageOptions& o) { o.type_id = 3; }},
      {"bad signature", [](FakePeImageOptions& o) { o.signature = 0xFEEF04BC; }},
      {"other key", [](FakePeImageOptions& o) { o.key_first = u'X'; }},
      {"no fixed info", [](FakePeImageOptions& o) { o.value_length = 0; }},
      {"data past the section", [](FakePeImageOptions& o) { o.data_rva_shift = 0x200; }},
      {"data at a wrapped address", [](FakePeImageOptions& o) { o.data_rva_shift = 0u - 0x2000u; }},
      {"too many sections", [](FakePeImageOptions& o) { o.extra_sections = 96; }},
  };
  for (const auto& c : cases) {
    FakePeImageOptions options;
    c.change(options);
    FileVersion version;
    EXPECT_FALSE(Read(FakePeImage(options), &version)) << c.what;
  }
  FileVersion version;
  EXPECT_FALSE(Read("", &version));
  EXPECT_FALSE(Read(std::string(4096, 'M'), &version));
  std::string not_pe = FakePeImage();
  not_pe[0x41] = 'X';  // "PX\0\0"
  EXPECT_FALSE(Read(not_pe, &version));
}

TEST(PeVersionTest, EveryCutOfAnImageIsRefusedWithoutReadingPastIt) {
  const std::string image = FakePeImage();
  FileVersion version;
  ASSERT_TRUE(Read(image, &version));
  // The version block ends 180 bytes into the resource section; every
  // shorter image lacks something the reader needs.
  const std::size_t needed = image.size() - 0x200 + 180;
  for (std::size_t size = 0; size < needed; ++size) {
    EXPECT_FALSE(Read(image.substr(0, size), &version)) << size;
  }
  EXPECT_TRUE(Read(image.substr(0, needed), &version));
}

}  // namespace
}  // namespace kvt
