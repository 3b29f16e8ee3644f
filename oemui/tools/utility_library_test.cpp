#include "oemui/tools/utility_library.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/fake/fake_package_library.h"
#include "platform/last_error.h"

namespace kvt {
namespace {

// What the stand-in entry points saw, and what they answer.
struct Seen {
  HexEditorParam editor{};
  std::vector<std::uint8_t> buffer_on_entry;
  PrinterUtilityParam utility{};
  std::vector<std::uint8_t> write;  // bytes the editor writes
  std::uint32_t count = 0;          // the count it answers
  std::uint32_t result = 0;
};
Seen g_seen;

std::uint32_t Editor(void* block) {
  auto* param = static_cast<HexEditorParam*>(block);
  g_seen.editor = *param;
  g_seen.buffer_on_entry.assign(param->pbyBuffer, param->pbyBuffer + 256);
  std::memcpy(param->pbyBuffer, g_seen.write.data(), g_seen.write.size());
  param->dwCount = g_seen.count;
  return g_seen.result;
}

std::uint32_t Utility(void* block) {
  g_seen.utility = *static_cast<PrinterUtilityParam*>(block);
  return g_seen.result;
}

class UtilityLibrary : public ::testing::Test {
 protected:
  UtilityLibrary() {
    g_seen = Seen{};
    library_ = loader_.AddLibrary(loader_.own_folder + u"\\KvtQvj2Utl.dll");
    loader_.entries[{library_, kHexEditorEntry}] = reinterpret_cast<LibraryEntry>(&Editor);
    loader_.entries[{library_, kPrinterUtilityEntry}] = reinterpret_cast<LibraryEntry>(&Utility);
  }

  FakePackageLibraryLoader loader_;
  ScopedService<PackageLibraryLoader> service_{loader_};
  ModuleHandle library_ = nullptr;
  HWND owner_ = reinterpret_cast<HWND>(0x1234);
};

TEST_F(UtilityLibrary, EditorGetsItsBlockAndItsAnswerIsKeptWithinTheCapacity) {
  struct Case {
    std::uint32_t result, count;
    std::size_t written;
    HexEditOutcome outcome;
    std::size_t kept;  // bytes the caller has afterwards
  };
  const Case cases[] = {
      {0, 3, 3, HexEditOutcome::kConfirmed, 3},
      // More than it was allowed to write: cut to the capacity.
      {0, 300, 256, HexEditOutcome::kConfirmed, 128},
      {1, 3, 3, HexEditOutcome::kCancelled, 2},
  };
  for (const Case& c : cases) {
    g_seen.result = c.result;
    g_seen.count = c.count;
    g_seen.write.assign(c.written, 0xA5);
    std::vector<std::uint8_t> bytes = {0x1B, 0x40};
    loader_.freed.clear();
    EXPECT_EQ(EditHexBytes(owner_, ScreenRect{10, 20, 110, 40}, 128, 256, &bytes), c.outcome);
    EXPECT_EQ(bytes.size(), c.kept) << c.count;
    EXPECT_EQ(loader_.freed, std::vector<ModuleHandle>{library_});

    const HexEditorParam& p = g_seen.editor;
    EXPECT_EQ(p.hOwner, owner_);
    EXPECT_EQ((std::vector<int>{p.nAnchorLeft, p.nAnchorTop, p.nAnchorRight, p.nAnchorBottom}),
              (std::vector<int>{10, 20, 110, 40}));
    EXPECT_EQ((std::vector<std::uint32_t>{p.dwMode, p.dwCapacity, p.dwReserved}),
              (std::vector<std::uint32_t>{2, 128, 0}));
    EXPECT_EQ(g_seen.buffer_on_entry[1] * 1000 + g_seen.buffer_on_entry[2], 0x40 * 1000);
    EXPECT_EQ(g_seen.buffer_on_entry[0], 0x1B);
  }
  // Only the capacity's worth is offered, whatever the caller holds.
  std::vector<std::uint8_t> many(200, 0x31);
  g_seen.result = 1;
  EditHexBytes(owner_, ScreenRect{}, 128, 256, &many);
  EXPECT_EQ(g_seen.editor.dwCount, 128u);
  EXPECT_EQ(g_seen.buffer_on_entry[128], 0);
}

TEST_F(UtilityLibrary, MissingLibraryOrExportShowsNothingAndLeavesNothingLoaded) {
  std::vector<std::uint8_t> bytes = {0x0A};
  loader_.entries.clear();
  SetThreadLastError(0);
  EXPECT_EQ(EditHexBytes(owner_, ScreenRect{}, 128, 256, &bytes), HexEditOutcome::kUnavailable);
  EXPECT_EQ(GetThreadLastError(), 127u);
  EXPECT_EQ(loader_.freed, std::vector<ModuleHandle>{library_});
  EXPECT_EQ(RunPrinterUtility(u"KVT QV-J27 Receipt", owner_, UtilityFunction::kLog), 108u);

  loader_.loadable.clear();
  loader_.freed.clear();
  EXPECT_EQ(EditHexBytes(owner_, ScreenRect{}, 128, 256, &bytes), HexEditOutcome::kUnavailable);
  EXPECT_EQ(bytes, std::vector<std::uint8_t>{0x0A});
  EXPECT_TRUE(loader_.freed.empty());
  // Never by bare name: the plug-in's folder, then the system folder.
  EXPECT_EQ(loader_.loads.back(), loader_.system_folder + u"\\KvtQvj2Utl.dll");
}

TEST_F(UtilityLibrary, PrinterUtilityGetsTheNameCutToItsFieldAndAnswersItsCode) {
  g_seen.result = 1234;
  const std::u16string long_name(300, u'P');
  EXPECT_EQ(RunPrinterUtility(long_name, owner_, UtilityFunction::kNvImage), 1234u);
  const PrinterUtilityParam& p = g_seen.utility;
  EXPECT_EQ(std::u16string(p.szPrinterName), long_name.substr(0, 259));
  EXPECT_EQ(p.hOwner, owner_);
  EXPECT_EQ(p.dwFunction * 10 + p.dwReserved, 40u);
  EXPECT_EQ(loader_.freed, std::vector<ModuleHandle>{library_});
}

}  // namespace
}  // namespace kvt
