// The driver package held against its INF: the INF must name every file of
// the package and no file the package lacks, install the models the
// plug-in's model tables know, name the plug-in in the configuration file
// the way the universal driver reads it, and carry in DriverVer the version
// of every binary. Each rule broken is one line of the result.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "package/check/inf_file.h"
#include "platform/file_version.h"

namespace kvt::package {

// One file of the package folder.
struct PackageFile {
  std::string name;
  // The text of configuration (.ini) files; the checks read no other.
  std::string text;
  // The version resource of a binary (.dll, .exe); none for other files or
  // for a binary without one.
  std::optional<FileVersion> version;
};

// What a model's install section makes of the package: the files it copies
// by destination, the driver's data file and configuration files.
struct ModelInstall {
  std::string model;
  std::string section;
  std::vector<std::string> driver_files;  // into the printer-driver folder
  std::vector<std::string> other_files;   // anywhere else
  std::string data_file;
};

// The models of the INF's 64-bit models sections with what each installs.
std::vector<ModelInstall> ModelInstalls(const InfFile& inf);

// Every rule that |files| (the package folder, the INF among them, named
// |inf_name|) and |inf| break; empty when the package is sound.
// |model_names| are the model tables' names.
std::vector<std::string> CheckPackage(const InfFile& inf, const std::string& inf_name,
                                      const std::vector<PackageFile>& files,
                                      const std::vector<std::string>& model_names);

}  // namespace kvt::package
