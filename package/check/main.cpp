// kvt-package-check <package folder> [INF name]: holds the driver package
// folder against its INF (package_check.h) and the plug-in's model tables.
// Prints every rule broken and exits 1, or one line and 0.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "core/model_setting_table.h"
#include "package/check/inf_file.h"
#include "package/check/package_check.h"
#include "platform/pe_version.h"

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The names of every model the plug-in's tables know.
std::vector<std::string> ModelNames() {
  const kvt::ModelSettingTable& table = kvt::DefaultModelSettingTable();
  std::set<std::string> names;
  for (const kvt::ModelEntries* list : {&table.headDrive, &table.preset, &table.reduction}) {
    for (std::size_t i = 0; i < list->count; ++i) {
      std::string name;
      for (const char16_t* c = list->pEntries[i].szModelName; c != nullptr && *c != 0; ++c) {
        name += static_cast<char>(*c);  // model names are ASCII
      }
      names.insert(name);
    }
  }
  return {names.begin(), names.end()};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: kvt-package-check <package folder> [INF name]\n");
    return 2;
  }
  const fs::path folder = fs::u8path(argv[1]);
  const std::string inf_name = argc == 3 ? argv[2] : "KvtQvj2.inf";
  std::vector<kvt::package::PackageFile> files;
  std::vector<std::string> problems;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().u8string();
    if (!entry.is_regular_file()) {
      problems.push_back("the package holds " + name + ", which is not a file");
      continue;
    }
    kvt::package::PackageFile file;
    file.name = name;
    const std::string lower = kvt::package::Lower(name);
    const std::string extension = lower.size() > 4 ? lower.substr(lower.size() - 4) : "";
    if (extension == ".ini") file.text = ReadAll(entry.path());
    if (extension == ".dll" || extension == ".exe") {
      kvt::FileVersion version;
      if (kvt::ReadPeFileVersion(ReadAll(entry.path()), &version)) file.version = version;
    }
    files.push_back(std::move(file));
  }
  if (error) {
    std::fprintf(stderr, "%s: cannot list the folder (%s)\n", argv[1], error.message().c_str());
    return 1;
  }
  const std::string inf_text = ReadAll(folder / fs::u8path(inf_name));
  if (inf_text.empty()) {
    std::fprintf(stderr, "%s: no %s\n", argv[1], inf_name.c_str());
    return 1;
  }
  const kvt::package::InfFile inf(inf_text);
  for (const std::string& problem :
       kvt::package::CheckPackage(inf, inf_name, files, ModelNames())) {
    problems.push_back(problem);
  }
  for (const std::string& problem : problems) std::printf("%s\n", problem.c_str());
  if (!problems.empty()) return 1;
  std::printf("%s: %zu files, each named by %s\n", argv[1], files.size(), inf_name.c_str());
  return 0;
}
