#include "package/check/package_check.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/model_setting_table.h"
#include "package/check/inf_file.h"

namespace kvt::package {
namespace {

// A sound package of the shape the shipped one has, small enough to read.
constexpr char kInf[] = R"(; comment
[Version]
Signature="$Windows NT$"
Class=Printer
ClassGUID={4D36E979-E325-11CE-BFC1-08002BE10318}
Provider=%Maker%
DriverVer=12/07/2026,1.2.3.4
CatalogFile=Test.cat

[Manufacturer]
%Maker%=Maker,NTamd64

[Maker.NTamd64]
"KVT QV-J27"=Install,KVT_QV-J27

[Install]
CopyFiles=Install.Driver,Install.System
DataFile=Test.gpd
DataSection=UNIDRV_DATA
Include=NTPRINT.INF
Needs=UNIDRV.OEM

[Install.Driver]
Test.gpd
Test.ini
Plugin.dll ; the plug-in

[Install.System]
Messages.dll

[DestinationDirs]
DefaultDestDir=66000
Install.System=11

[SourceDisksNames]
1=%Disk%,,,

[SourceDisksFiles]
Test.gpd=1
Test.ini=1
Plugin.dll=1
Messages.dll=1

[Strings]
Maker="KVT ""Printers"""
Disk="Disk ; one"
)";

constexpr FileVersion kVersion = {1, 2, 3, 4};

std::vector<PackageFile> SoundFiles() {
  return {{"Test.inf", "", {}},
          {"Test.gpd", "", {}},
          {"Test.ini", "[OEMFiles]\r\nOEMConfigFile1=Plugin.dll\r\n", {}},
          {"Plugin.dll", "", kVersion},
          {"Messages.dll", "", kVersion}};
}

std::vector<std::string> Check(const std::string& inf, const std::vector<PackageFile>& files) {
  return CheckPackage(InfFile(inf), "Test.inf", files, {"KVT QV-J27"});
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

TEST(InfFileTest, ReadsLinesAsTheInstallerDoes) {
  const InfFile inf(kInf);
  EXPECT_TRUE(inf.errors().empty());
  EXPECT_EQ(inf.Value("version", "PROVIDER"), "KVT \"Printers\"");
  EXPECT_EQ(inf.Values("Install", "CopyFiles"),
            (std::vector<std::string>{"Install.Driver", "Install.System"}));
  ASSERT_EQ(inf.Lines("Install.Driver").size(), 3u);
  EXPECT_EQ(inf.Lines("Install.Driver")[2].fields, std::vector<std::string>{"Plugin.dll"});
  EXPECT_EQ(inf.Value("SourceDisksNames", "1"), "Disk ; one");
  const InfFile continued("[A]\nKey=one,\\\n two\nstray]\n[B\nx\n");
  EXPECT_EQ(continued.Values("A", "Key"), (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(continued.errors(), (std::vector<std::string>{"line 5: bad section header",
                                                          "line 6: outside any section"}));
  EXPECT_EQ(InfFile("x=1\n").errors(), std::vector<std::string>{"line 1: outside any section"});
}

// The catalog may wait for the signature: with or without it, sound.
TEST(PackageCheckTest, ASoundPackagePasses) {
  std::vector<PackageFile> files = SoundFiles();
  EXPECT_EQ(Check(kInf, files), std::vector<std::string>{});
  files.push_back({"Test.cat", "", {}});
  EXPECT_EQ(Check(kInf, files), std::vector<std::string>{});
  const std::vector<ModelInstall> installs = ModelInstalls(InfFile(kInf));
  ASSERT_EQ(installs.size(), 1u);
  EXPECT_EQ(installs[0].driver_files,
            (std::vector<std::string>{"Test.gpd", "Test.ini", "Plugin.dll"}));
  EXPECT_EQ(installs[0].other_files, std::vector<std::string>{"Messages.dll"});
}

TEST(PackageCheckTest, EachBrokenRuleIsReported) {
  const std::string sound = kInf;
  const struct {
    const char* what;
    std::string inf;
    void (*change)(std::vector<PackageFile>&);
    std::string problem;
  } cases[] = {
      {"file missing", sound, [](auto& f) { f.erase(f.begin() + 4); },
       "the INF names Messages.dll, which the package lacks"},
      {"file unnamed", sound,
       [](auto& f) {
         f.push_back({"Extra.dll", "", kVersion});
       },
       "the package holds Extra.dll, which the INF does not name"},
      {"copied, not on disk", Replaced(sound, "Messages.dll=1\n", ""), nullptr,
       "Messages.dll is copied but not listed in [SourceDisksFiles]"},
      {"on disk, not copied", Replaced(sound, "\n[Install.System]\nMessages.dll\n", "\n"),
       [](auto& f) { f.pop_back(); },
       "[SourceDisksFiles] lists Messages.dll, which no model copies"},
      {"unknown disk", Replaced(sound, "Plugin.dll=1", "Plugin.dll=2"), nullptr,
       "[SourceDisksFiles] Plugin.dll is on no disk of [SourceDisksNames]"},
      {"model in other case", Replaced(sound, "\"KVT QV-J27\"", "\"kvt qv-j27\""), nullptr,
       "model \"kvt qv-j27\" is not a name of the model tables"},
      {"32-bit models only", Replaced(sound, "Maker,NTamd64", "Maker,NTx86"), nullptr,
       "no model in an NTamd64 models section"},
      {"no install section", Replaced(sound, "=Install,", "=Missing,"), nullptr,
       "model \"KVT QV-J27\" has no install section"},
      {"data file elsewhere", Replaced(sound, "DataFile=Test.gpd", "DataFile=Messages.dll"),
       nullptr, "[Install] DataFile is not one of its driver files"},
      {"ini not a driver file", Replaced(sound, "DefaultDestDir=66000", "DefaultDestDir=11"),
       nullptr, "[Install] copies no single .ini among its driver files"},
      {"other class", Replaced(sound, "Class=Printer", "Class=Image"), nullptr,
       "[Version] Class is not Printer"},
      {"other class GUID", Replaced(sound, "{4D36E979-", "{4D36E978-"), nullptr,
       "[Version] ClassGUID is not the printer class"},
      {"no catalog", Replaced(sound, "CatalogFile=Test.cat\n", ""), nullptr,
       "[Version] has no CatalogFile"},
      {"bad DriverVer date", Replaced(sound, "12/07/2026", "2026-12-07"), nullptr,
       "[Version] DriverVer is not mm/dd/yyyy,a.b.c.d"},
      {"older binary", sound,
       [](auto& f) {
         f[3].version = FileVersion{1, 2, 3, 3};
       },
       "Plugin.dll is version 1.2.3.3, DriverVer says 1.2.3.4"},
      {"binary without version", sound, [](auto& f) { f[4].version.reset(); },
       "Messages.dll has no version resource"},
      {"blanks around =", sound,
       [](auto& f) { f[2].text = "[OEMFiles]\nOEMConfigFile1 = Plugin.dll\n"; },
       "Test.ini: \"OEMConfigFile1 = Plugin.dll\" is not Key=File without blanks"},
      {"path to the plug-in", sound,
       [](auto& f) { f[2].text = "[OEMFiles]\nOEMConfigFile1=C:\\drv\\Plugin.dll\n"; },
       "Test.ini: \"OEMConfigFile1=C:\\drv\\Plugin.dll\" names a path, not a file of the driver"},
      {"plug-in not a driver file", sound,
       [](auto& f) { f[2].text = "[OEMFiles]\nOEMConfigFile1=Messages.dll\n"; },
       "Test.ini: \"OEMConfigFile1=Messages.dll\" names a file the INF does not install as a "
       "driver file"},
      {"no plug-in named", sound,
       [](auto& f) { f[2].text = "[Other]\nOEMConfigFile1=Plugin.dll\n"; },
       "Test.ini has no [OEMFiles] OEMConfigFile1"},
  };
  for (const auto& c : cases) {
    std::vector<PackageFile> files = SoundFiles();
    if (c.change != nullptr) c.change(files);
    const std::vector<std::string> problems = Check(c.inf, files);
    EXPECT_THAT(problems, ::testing::Contains(c.problem)) << c.what;
  }
}

// The shipped INF installs the model the plug-in's tables are made for.
TEST(PackageCheckTest, TheShippedInfInstallsTheModelOfTheModelTables) {
  std::ifstream in(KVT_PACKAGE_SOURCE_DIR "/KvtQvj2.inf", std::ios::binary);
  const InfFile inf(std::string(std::istreambuf_iterator<char>(in), {}));
  EXPECT_TRUE(inf.errors().empty());
  const std::vector<ModelInstall> installs = ModelInstalls(inf);
  ASSERT_EQ(installs.size(), 1u);
  const ModelValueList& first = DefaultModelSettingTable().headDrive.pEntries[0];
  const std::u16string model(installs[0].model.begin(), installs[0].model.end());
  EXPECT_EQ(model, first.szModelName);
  EXPECT_EQ(installs[0].data_file, "KvtQvj2.gpd");
}

}  // namespace
}  // namespace kvt::package
