// A document's device mode saved by the sheet host, read back by kvt-record:
// every field the host printed from its buffer reads the same, with the
// meanings the plug-in's pages give them.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/wine/testbed.h"

namespace {

bool HasLine(const std::vector<std::string>& lines, const std::string& wanted) {
  return std::find(lines.begin(), lines.end(), wanted) != lines.end();
}

TEST(RecordInspectorWine, SavedDeviceModeDecodesToWhatTheSheetHostSet) {
  wchar_t temp[MAX_PATH];
  ASSERT_NE(0u, GetTempPathW(MAX_PATH, temp));
  const std::wstring path = std::wstring(temp) + L"kvt_record_devmode.bin";
  DeleteFileW(path.c_str());

  const kvt::testbed::HostRun host = kvt::testbed::RunSheetHost(
      L"--press ok --set byDensity=115 --set byPaperCut=3 --set optionGroups[1].sFeed=-20 "
      L"--save-devmode \"" +
      path + L"\"");
  ASSERT_TRUE(host.finished);
  ASSERT_NE("(missing)", host.Value("device mode saved to "));

  const kvt::testbed::HostRun record =
      kvt::testbed::RunBesideThisProgram(L"kvt-record.exe", L"\"" + path + L"\"", 60000);
  ASSERT_TRUE(record.finished);
  EXPECT_EQ(0u, record.exit_code);

  const std::vector<std::string> fields = host.All("record ");
  EXPECT_GT(fields.size(), 150u);
  for (const std::string& field : fields) {  // "NAME: VALUE"
    const std::size_t colon = field.find(": ");
    ASSERT_NE(std::string::npos, colon) << field;
    const std::string start = "  " + field.substr(0, colon) + " " + field.substr(colon + 2);
    const bool found =
        std::any_of(record.lines.begin(), record.lines.end(), [&](const std::string& l) {
          return l.compare(0, start.size(), start) == 0 &&
                 (l.size() == start.size() || l[start.size()] == ' ');
        });
    EXPECT_TRUE(found) << start;
  }
  EXPECT_TRUE(HasLine(record.lines, "  byDensity 115 \"115 percent\""));
  EXPECT_TRUE(HasLine(record.lines, "  byPaperCut 3 \"Full Cut (Each page)\""));
  EXPECT_TRUE(HasLine(record.lines, "  optionGroups[1].sFeed -20 \"-20 dots\""));
  EXPECT_TRUE(HasLine(record.lines, "device: \"KVT QV-J27 Receipt\""));
  EXPECT_TRUE(HasLine(record.lines, "merge for \"KVT QV-J27\": nothing to correct"));
  DeleteFileW(path.c_str());
}

}  // namespace
