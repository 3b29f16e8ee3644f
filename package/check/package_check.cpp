#include "package/check/package_check.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace kvt::package {
namespace {

constexpr char kPrinterClassGuid[] = "{4d36e979-e325-11ce-bfc1-08002be10318}";
// The printer-driver folder; the spooler moves what lands there into the
// driver's own folder.
constexpr char kDriverFolderId[] = "66000";

bool EndsWith(const std::string& text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         Lower(text).compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool IsBinary(const std::string& name) { return EndsWith(name, ".dll") || EndsWith(name, ".exe"); }

std::string VersionText(const FileVersion& v) {
  return std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.build) +
         "." + std::to_string(v.revision);
}

// "mm/dd/yyyy,a.b.c.d" (the version may have fewer parts; missing ones are 0).
bool ParseDriverVer(const std::vector<std::string>& fields, FileVersion* version) {
  unsigned month = 0, day = 0, year = 0;
  char rest = 0;
  if (fields.size() != 2 ||
      std::sscanf(fields[0].c_str(), "%2u/%2u/%4u%c", &month, &day, &year, &rest) != 3 ||
      month < 1 || month > 12 || day < 1 || day > 31 || year < 1980) {
    return false;
  }
  unsigned parts[4] = {};
  std::size_t count = 0;
  std::size_t begin = 0;
  const std::string& text = fields[1];
  while (true) {
    const std::size_t end = std::min(text.find('.', begin), text.size());
    const std::string part = text.substr(begin, end - begin);
    if (count == 4 || part.empty() || part.size() > 5 ||
        part.find_first_not_of("0123456789") != std::string::npos || std::stoul(part) > 65535) {
      return false;
    }
    parts[count++] = static_cast<unsigned>(std::stoul(part));
    if (end == text.size()) break;
    begin = end + 1;
  }
  *version = {static_cast<std::uint16_t>(parts[0]), static_cast<std::uint16_t>(parts[1]),
              static_cast<std::uint16_t>(parts[2]), static_cast<std::uint16_t>(parts[3])};
  return true;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  return std::any_of(names.begin(), names.end(),
                     [&](const std::string& other) { return Lower(other) == Lower(name); });
}

// The [OEMFiles] entries of a configuration file, each checked as the
// universal driver reads them: "Key=File", no blanks around "=", no path.
void CheckConfigFile(const PackageFile& ini, const std::vector<std::string>& driver_files,
                     std::vector<std::string>* problems) {
  bool in_oem_files = false;
  bool names_plugin = false;
  std::size_t start = 0;
  const std::string& text = ini.text;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      in_oem_files = Lower(line) == "[oemfiles]";
      continue;
    }
    if (!in_oem_files) continue;
    const std::size_t equals = line.find('=');
    const std::string where = ini.name + ": \"" + line + "\"";
    if (equals == std::string::npos || equals == 0 || equals + 1 == line.size() ||
        line.find_first_of(" \t") != std::string::npos) {
      problems->push_back(where + " is not Key=File without blanks");
      continue;
    }
    const std::string file = line.substr(equals + 1);
    if (file.find_first_of("\\/:") != std::string::npos) {
      problems->push_back(where + " names a path, not a file of the driver");
    } else if (!Contains(driver_files, file)) {
      problems->push_back(where + " names a file the INF does not install as a driver file");
    }
    if (Lower(line.substr(0, equals)) == "oemconfigfile1") names_plugin = true;
  }
  if (!names_plugin) problems->push_back(ini.name + " has no [OEMFiles] OEMConfigFile1");
}

}  // namespace

std::vector<ModelInstall> ModelInstalls(const InfFile& inf) {
  std::vector<ModelInstall> installs;
  const std::string default_dir = inf.Value("DestinationDirs", "DefaultDestDir");
  for (const InfLine& maker : inf.Lines("Manufacturer")) {
    if (maker.fields.empty()) continue;
    for (std::size_t i = 1; i < maker.fields.size(); ++i) {
      const std::string decoration = Lower(maker.fields[i]);
      if (decoration != "ntamd64" && decoration.rfind("ntamd64.", 0) != 0) continue;
      for (const InfLine& model : inf.Lines(maker.fields[0] + "." + maker.fields[i])) {
        ModelInstall install;
        install.model = model.key;
        install.section = model.fields.empty() ? std::string() : model.fields[0];
        install.data_file = inf.Value(install.section, "DataFile");
        for (const std::string& entry : inf.Values(install.section, "CopyFiles")) {
          const bool single = entry[0] == '@';
          std::string folder = single ? default_dir : inf.Value("DestinationDirs", entry);
          if (folder.empty()) folder = default_dir;
          auto& into = folder == kDriverFolderId ? install.driver_files : install.other_files;
          if (single) {
            into.push_back(entry.substr(1));
            continue;
          }
          for (const InfLine& file : inf.Lines(entry)) {
            // destination[,source]: the package holds the source's name.
            const bool renamed = file.fields.size() > 1 && !file.fields[1].empty();
            if (!file.fields.empty()) into.push_back(file.fields[renamed ? 1 : 0]);
          }
        }
        installs.push_back(std::move(install));
      }
    }
  }
  return installs;
}

std::vector<std::string> CheckPackage(const InfFile& inf, const std::string& inf_name,
                                      const std::vector<PackageFile>& files,
                                      const std::vector<std::string>& model_names) {
  std::vector<std::string> problems;
  for (const std::string& error : inf.errors()) problems.push_back(inf_name + ": " + error);

  // [Version]
  if (Lower(inf.Value("Version", "Signature")) != "$windows nt$") {
    problems.push_back("[Version] Signature is not \"$Windows NT$\"");
  }
  if (Lower(inf.Value("Version", "Class")) != "printer") {
    problems.push_back("[Version] Class is not Printer");
  }
  if (Lower(inf.Value("Version", "ClassGUID")) != kPrinterClassGuid) {
    problems.push_back("[Version] ClassGUID is not the printer class");
  }
  if (inf.Value("Version", "Provider").empty()) problems.push_back("[Version] has no Provider");
  const std::string catalog = inf.Value("Version", "CatalogFile");
  if (catalog.empty()) problems.push_back("[Version] has no CatalogFile");
  FileVersion driver_version;
  std::vector<std::string> driver_ver;
  for (const InfLine& line : inf.Lines("Version")) {
    if (Lower(line.key) == "driverver") driver_ver = line.fields;
  }
  const bool has_version = ParseDriverVer(driver_ver, &driver_version);
  if (!has_version) problems.push_back("[Version] DriverVer is not mm/dd/yyyy,a.b.c.d");

  // The models and what they install.
  const std::vector<ModelInstall> installs = ModelInstalls(inf);
  if (installs.empty()) problems.push_back("no model in an NTamd64 models section");
  std::vector<std::string> named;  // every file the INF names, by its package name
  std::vector<std::string> driver_files;
  for (const ModelInstall& install : installs) {
    if (std::find(model_names.begin(), model_names.end(), install.model) == model_names.end()) {
      problems.push_back("model \"" + install.model + "\" is not a name of the model tables");
    }
    if (install.section.empty() || !inf.HasSection(install.section)) {
      problems.push_back("model \"" + install.model + "\" has no install section");
      continue;
    }
    if (install.data_file.empty() || !Contains(install.driver_files, install.data_file)) {
      problems.push_back("[" + install.section + "] DataFile is not one of its driver files");
    }
    if (std::count_if(install.driver_files.begin(), install.driver_files.end(),
                      [](const std::string& name) { return EndsWith(name, ".ini"); }) != 1) {
      problems.push_back("[" + install.section + "] copies no single .ini among its driver files");
    }
    for (const auto* list : {&install.driver_files, &install.other_files}) {
      for (const std::string& name : *list) {
        if (!Contains(named, name)) named.push_back(name);
      }
    }
    for (const std::string& name : install.driver_files) {
      if (!Contains(driver_files, name)) driver_files.push_back(name);
    }
  }

  // Where the installer finds each file.
  std::set<std::string> disks;
  for (const InfLine& line : inf.Lines("SourceDisksNames")) disks.insert(line.key);
  std::vector<std::string> on_disk;
  for (const InfLine& line : inf.Lines("SourceDisksFiles")) {
    on_disk.push_back(line.key);
    if (line.fields.empty() || disks.count(line.fields[0]) == 0) {
      problems.push_back("[SourceDisksFiles] " + line.key + " is on no disk of [SourceDisksNames]");
    }
    if (!Contains(named, line.key)) {
      problems.push_back("[SourceDisksFiles] lists " + line.key + ", which no model copies");
    }
  }
  for (const std::string& name : named) {
    if (!Contains(on_disk, name)) {
      problems.push_back(name + " is copied but not listed in [SourceDisksFiles]");
    }
  }

  // The INF against the folder, both ways. The catalog is made when the
  // package is signed, so it may be missing before that.
  std::vector<std::string> present;
  for (const PackageFile& file : files) present.push_back(file.name);
  for (const std::string& name : named) {
    if (!Contains(present, name))
      problems.push_back("the INF names " + name + ", which the package lacks");
  }
  for (const PackageFile& file : files) {
    if (Lower(file.name) == Lower(inf_name) || Lower(file.name) == Lower(catalog)) continue;
    if (!Contains(named, file.name)) {
      problems.push_back("the package holds " + file.name + ", which the INF does not name");
    }
  }

  for (const PackageFile& file : files) {
    if (EndsWith(file.name, ".ini") && Contains(driver_files, file.name)) {
      CheckConfigFile(file, driver_files, &problems);
    }
    if (!IsBinary(file.name) || !has_version) continue;
    if (!file.version) {
      problems.push_back(file.name + " has no version resource");
    } else if (VersionText(*file.version) != VersionText(driver_version)) {
      problems.push_back(file.name + " is version " + VersionText(*file.version) +
                         ", DriverVer says " + VersionText(driver_version));
    }
  }
  return problems;
}

}  // namespace kvt::package
