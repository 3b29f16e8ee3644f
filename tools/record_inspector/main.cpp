// kvt-record: reads a saved device mode and says what the plug-in makes of
// the private record in it.
//
//   kvt-record [options] FILE         a .reg export (UTF-16 as regedit writes
//                                     it, or REGEDIT4) or a raw device mode
//   kvt-record [options] --printer NAME
//                                     (Windows) the printer's document
//                                     defaults, from DocumentPropertiesW
//     --value NAME       the registry value to read (default "Default DevMode")
//     --model NAME       the driver name the merge chooses its allowed values
//                        by, when no printer is named (default "KVT QV-J27")
//     --json             the same report as JSON
//     --set FIELD=VALUE  change a record field (names as in the report; may
//                        be repeated) and write the device mode to --out, in
//                        the format it was read in
//     --out PATH         where --set writes
//
// The report lists the public fields that matter, every record field with
// its value and meaning, and every field the plug-in's merge would correct.
// Exit codes: 0 read, 1 input the plug-in cannot use (one line on standard
// error says why), 2 bad arguments or an output that cannot be written.
#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>
#include <winspool.h>
#endif

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/record_fields.h"
#include "tools/record_inspector/device_mode.h"
#include "tools/record_inspector/inspector.h"
#include "tools/record_inspector/reg_export.h"

#ifdef KVT_RECORD_JSON
#include <nlohmann/json.hpp>
#endif

namespace {

using kvt::tools::Inspection;

constexpr std::size_t kMaxFile = 16 * 1024 * 1024;

struct Options {
  std::string file;
  std::string printer;
  std::string value = "Default DevMode";
  std::string model = kvt::tools::kDefaultModel;
  bool json = false;
  std::vector<std::string> sets;
  std::string out;
};

int Fail(int code, const std::string& message) {
  std::fprintf(stderr, "kvt-record: %s\n", message.c_str());
  return code;
}

bool ReadFile(const std::string& path, std::vector<std::uint8_t>* data, std::string* error) {
  std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
  if (!in) {
    *error = "cannot open " + path;
    return false;
  }
  data->clear();
  char chunk[65536];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
    data->insert(data->end(), chunk, chunk + in.gcount());
    if (data->size() > kMaxFile) {
      *error = path + " is too large for a device mode";
      return false;
    }
  }
  return true;
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& data) {
  std::ofstream out(std::filesystem::u8path(path), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  return static_cast<bool>(out);
}

#ifdef _WIN32
// The printer's document defaults as the driver hands them out.
bool ReadPrinter(const std::string& name, HANDLE* printer, std::vector<std::uint8_t>* data,
                 std::string* error) {
  std::wstring wide(name.size() + 1, L'\0');
  wide.resize(static_cast<std::size_t>(MultiByteToWideChar(
      CP_UTF8, 0, name.c_str(), -1, wide.data(), static_cast<int>(wide.size()))));
  if (!wide.empty()) wide.pop_back();
  if (!OpenPrinterW(wide.data(), printer, nullptr)) {
    *error = "cannot open printer \"" + name + "\" (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  const LONG size = DocumentPropertiesW(nullptr, *printer, wide.data(), nullptr, nullptr, 0);
  if (size <= 0) {
    *error = "DocumentPropertiesW gave no size for \"" + name + "\"";
    return false;
  }
  data->assign(static_cast<std::size_t>(size), 0);
  if (DocumentPropertiesW(nullptr, *printer, wide.data(), reinterpret_cast<DEVMODEW*>(data->data()),
                          nullptr, DM_OUT_BUFFER) != IDOK) {
    *error = "DocumentPropertiesW failed for \"" + name + "\"";
    return false;
  }
  return true;
}
#endif

const char* OrientationText(int orientation) {
  switch (orientation) {
    case 1:
      return "Portrait";
    case 2:
      return "Landscape";
    default:
      return "not set";
  }
}

void PrintText(const std::string& source, const kvt::tools::RegExport* reg,
               const Inspection& inspection, const std::string& model) {
  const kvt::tools::DeviceMode& mode = inspection.mode;
  std::printf("source: %s\n", source.c_str());
  if (reg != nullptr) {
    std::printf("key: [%s]\n", reg->key.c_str());
  }
  std::printf("device: \"%s\"\n", mode.device_name.c_str());
  std::printf("form: \"%s\" (paper size %d), orientation %d \"%s\", copies %d\n",
              mode.form_name.c_str(), mode.paper_size, mode.orientation,
              OrientationText(mode.orientation), mode.copies);
  std::printf("record: at offset %zu, %zu bytes (dmSize %zu, dmDriverExtra %zu)\n",
              mode.record_offset, mode.record_bytes, mode.public_size, mode.driver_extra);
  for (const kvt::tools::RecordField& field : kvt::tools::RecordFields()) {
    const std::string meaning = FieldMeaningText(field, inspection.record.data());
    std::printf("  %s %s", field.name.c_str(), FieldValue(field, inspection.record.data()).c_str());
    if (!meaning.empty()) std::printf(" \"%s\"", meaning.c_str());
    std::printf("\n");
  }
  if (inspection.corrections.empty()) {
    std::printf("merge for \"%s\": nothing to correct\n", model.c_str());
    return;
  }
  std::printf("merge for \"%s\": %zu field%s corrected\n", model.c_str(),
              inspection.corrections.size(), inspection.corrections.size() == 1 ? "" : "s");
  for (const kvt::tools::Correction& c : inspection.corrections) {
    std::printf("  %s %s -> %s\n", c.field.c_str(), c.from.c_str(), c.to.c_str());
  }
}

#ifdef KVT_RECORD_JSON
void PrintJson(const std::string& source, const kvt::tools::RegExport* reg,
               const Inspection& inspection, const std::string& model) {
  const kvt::tools::DeviceMode& mode = inspection.mode;
  nlohmann::ordered_json report;
  report["source"] = source;
  if (reg != nullptr) report["key"] = reg->key;
  report["device"] = mode.device_name;
  report["form"] = mode.form_name;
  report["paper_size"] = mode.paper_size;
  report["orientation"] = mode.orientation;
  report["copies"] = mode.copies;
  report["record_offset"] = mode.record_offset;
  report["record_bytes"] = mode.record_bytes;
  report["fields"] = nlohmann::ordered_json::array();
  for (const kvt::tools::RecordField& field : kvt::tools::RecordFields()) {
    nlohmann::ordered_json item;
    item["name"] = field.name;
    item["value"] = FieldValue(field, inspection.record.data());
    const std::string meaning = FieldMeaningText(field, inspection.record.data());
    if (!meaning.empty()) item["meaning"] = meaning;
    report["fields"].push_back(std::move(item));
  }
  report["model"] = model;
  report["corrections"] = nlohmann::ordered_json::array();
  for (const kvt::tools::Correction& c : inspection.corrections) {
    report["corrections"].push_back({{"field", c.field}, {"from", c.from}, {"to", c.to}});
  }
  // Invalid UTF-8 (a name from a damaged record) becomes U+FFFD, not a throw.
  std::printf("%s\n", report.dump(2, ' ', false, nlohmann::json::error_handler_t::replace).c_str());
}
#endif

int Run(const std::vector<std::string>& args) {
  Options options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool has_next = i + 1 < args.size();
    if (arg == "--json") {
      options.json = true;
    } else if (arg == "--set" && has_next) {
      options.sets.push_back(args[++i]);
    } else if (arg == "--out" && has_next) {
      options.out = args[++i];
    } else if (arg == "--value" && has_next) {
      options.value = args[++i];
    } else if (arg == "--model" && has_next) {
      options.model = args[++i];
    } else if (arg == "--printer" && has_next) {
      options.printer = args[++i];
    } else if (!arg.empty() && arg[0] != '-' && options.file.empty()) {
      options.file = arg;
    } else {
      return Fail(2, "unknown or incomplete argument \"" + arg + "\" (see the usage in main.cpp)");
    }
  }
  if (options.file.empty() == options.printer.empty()) {
    return Fail(2, "name one FILE or one --printer");
  }
  if (!options.sets.empty() && options.out.empty()) return Fail(2, "--set needs --out PATH");
#ifndef KVT_RECORD_JSON
  if (options.json) return Fail(2, "--json is not part of this build");
#endif

  std::string error;
  std::vector<std::uint8_t> data;
  void* printer = nullptr;
  std::string source = options.file;
  if (!options.printer.empty()) {
#ifdef _WIN32
    HANDLE handle = nullptr;
    const bool read = ReadPrinter(options.printer, &handle, &data, &error);
    printer = handle;
    if (!read) {
      if (handle != nullptr) ClosePrinter(handle);
      return Fail(1, error);
    }
    source = "printer \"" + options.printer + "\"";
#else
    return Fail(2, "--printer needs the Windows build");
#endif
  } else if (!ReadFile(options.file, &data, &error)) {
    return Fail(1, error);
  }

  kvt::tools::RegExport reg;
  const bool is_reg = options.printer.empty() && kvt::tools::LooksLikeRegExport(data);
  std::vector<std::uint8_t> devmode;
  if (is_reg) {
    if (!kvt::tools::ReadRegExport(data, options.value, &reg, &error)) return Fail(1, error);
    devmode = reg.bytes;
    source += reg.utf16 ? " (registry export, UTF-16)" : " (registry export, 8-bit)";
  } else {
    devmode = std::move(data);
    if (options.printer.empty()) source += " (raw device mode)";
  }

  Inspection inspection;
  const bool inspected = Inspect(devmode, options.model, printer, &inspection, &error);
  std::string model = options.model;
#ifdef _WIN32
  if (printer != nullptr) {
    model = "driver of " + options.printer;
    ClosePrinter(static_cast<HANDLE>(printer));
  }
#endif
  if (!inspected) return Fail(1, error);

  if (!options.sets.empty()) {
    for (const std::string& set : options.sets) {
      if (!SetField(&devmode, inspection.mode, set, &error)) return Fail(2, error);
    }
    const std::vector<std::uint8_t> file = is_reg ? WriteRegExport(reg, devmode) : devmode;
    if (!WriteFile(options.out, file)) return Fail(2, "cannot write " + options.out);
    std::printf("wrote %s\n", options.out.c_str());
    return 0;
  }
#ifdef KVT_RECORD_JSON
  if (options.json) {
    PrintJson(source, is_reg ? &reg : nullptr, inspection, model);
    return 0;
  }
#endif
  PrintText(source, is_reg ? &reg : nullptr, inspection, model);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args;
#ifdef _WIN32
  // The arguments as UTF-8, whatever the ANSI code page.
  (void)argv;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  for (int i = 1; wide != nullptr && i < count; ++i) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string arg(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), size, nullptr, nullptr);
    arg.resize(arg.size() - 1);
    args.push_back(arg);
  }
  if (wide != nullptr) LocalFree(wide);
  (void)argc;
#else
  args.assign(argv + 1, argv + argc);
#endif
  return Run(args);
}
