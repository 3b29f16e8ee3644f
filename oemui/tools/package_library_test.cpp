#include "oemui/tools/package_library.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/fake_package_library.h"
#include "platform/last_error.h"

namespace kvt {
namespace {

class PackageLibrary : public ::testing::Test {
 protected:
  FakePackageLibraryLoader loader_;
  const std::u16string own_path_ = loader_.own_folder + u"\\KvtQvj2Res2.dll";
  const std::u16string system_path_ = loader_.system_folder + u"\\KvtQvj2Res2.dll";
  ScopedService<PackageLibraryLoader> service_{loader_};
};

TEST_F(PackageLibrary, ThePlugInsOwnFolderFirstThenTheSystemFolderOnly) {
  const ModuleHandle system = loader_.AddLibrary(system_path_);
  EXPECT_EQ(LoadPackageLibrary(u"KvtQvj2Res2.dll"), system);
  EXPECT_EQ(loader_.loads, (std::vector<std::u16string>{own_path_, system_path_}));
  const ModuleHandle own = loader_.AddLibrary(own_path_);
  EXPECT_EQ(LoadPackageLibrary(u"KvtQvj2Res2.dll"), own);

  // Nowhere: no bare name is ever tried, which the default search order
  // would look for in the program's and the current folder.
  loader_.loadable.clear();
  loader_.loads.clear();
  SetThreadLastError(0);
  EXPECT_EQ(LoadPackageLibrary(u"KvtQvj2Res2.dll"), nullptr);
  EXPECT_EQ(GetThreadLastError(), 126u);
  EXPECT_EQ(loader_.loads, (std::vector<std::u16string>{own_path_, system_path_}));
}

TEST_F(PackageLibrary, UnknownFoldersAreSkippedAndSeparatorsNotDoubled) {
  loader_.own_folder.clear();
  loader_.system_folder = u"C:\\Windows\\system32\\";
  EXPECT_EQ(LoadPackageLibrary(u"KvtQvj2Res2.dll"), nullptr);
  EXPECT_EQ(loader_.loads, std::vector<std::u16string>{u"C:\\Windows\\system32\\KvtQvj2Res2.dll"});

  loader_.system_folder.clear();
  loader_.loads.clear();
  EXPECT_EQ(LoadPackageLibrary(u"KvtQvj2Res2.dll"), nullptr);
  EXPECT_TRUE(loader_.loads.empty());
}

}  // namespace
}  // namespace kvt
