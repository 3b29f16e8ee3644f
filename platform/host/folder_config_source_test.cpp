// The folder form of the current user's keys: created on demand, written,
// read back through a read-only open that refuses writes, and no name
// leaves the user's folder.
#include "platform/host/folder_config_source.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace kvt {
namespace {

class FolderUserKeyTest : public ::testing::Test {
 protected:
  FolderUserKeyTest() {
    char pattern[] = "/tmp/kvt_config_XXXXXX";
    root_ = mkdtemp(pattern);
  }
  ~FolderUserKeyTest() override { std::system(("rm -rf '" + root_ + "'").c_str()); }
  std::string root_;
};

TEST_F(FolderUserKeyTest, WriteReadDeleteAndRefusals) {
  FolderConfigSource source(root_);
  const std::u16string path = u"Software\\KVT\\Driver\\{G}\\ControlA";
  EXPECT_EQ(source.OpenUserKey(path), nullptr);
  auto key = source.CreateUserKey(path);
  ASSERT_NE(key, nullptr);
  const std::uint8_t bytes[] = {0x1B, 0x40};
  EXPECT_EQ(key->WriteBinary(u"F41", bytes, 2), 0u);
  EXPECT_EQ(key->WriteBinary(u"F41", bytes, 1), 0u);  // rewritten, not appended
  EXPECT_NE(key->WriteBinary(u"..", bytes, 2), 0u);
  EXPECT_NE(key->WriteBinary(u"a/b", bytes, 2), 0u);
  EXPECT_EQ(source.CreateUserKey(u"Software\\..\\x"), nullptr);

  auto reader = source.OpenUserKey(path);
  ASSERT_NE(reader, nullptr);
  ConfigValue value;
  ASSERT_TRUE(reader->Read(u"F41", &value));
  EXPECT_EQ(value.data, std::vector<std::uint8_t>{0x1B});
  EXPECT_EQ(reader->WriteBinary(u"F42", bytes, 2), kConfigAccessDenied);
  EXPECT_EQ(reader->DeleteValue(u"F41"), kConfigAccessDenied);
  // Machine keys do not see the user's.
  EXPECT_EQ(source.OpenMachineKey(path), nullptr);

  EXPECT_EQ(key->DeleteValue(u"F41"), 0u);
  EXPECT_EQ(key->DeleteValue(u"F41"), 2u);
  EXPECT_FALSE(reader->Read(u"F41", &value));
}

}  // namespace
}  // namespace kvt
