// In-memory spooler for tests: printers are keyed by their handle value.
#pragma once

#include <cstdint>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/last_error.h"
#include "platform/printer_info.h"
#include "platform/spooler.h"

namespace kvt {

class FakeSpooler final : public Spooler {
 public:
  struct Printer {
    std::u16string driver_name;
    DriverNameStatus status = DriverNameStatus::kOk;
    std::uint32_t error = 0;  // last error left on failure
  };

  // Level-2 facts beyond the driver name, and level 6, per printer.
  struct Facts {
    std::u16string port = u"USB001";
    std::uint32_t attributes = kPrinterAttributeEnableBidi;
    std::u16string datatype = u"RAW";
    // The stored default device mode's dmDriverVersion; none: no stored mode.
    std::optional<std::uint16_t> stored_version;
    // Level 6: none makes the read fail.
    std::optional<std::uint64_t> driver_info_version;
  };

  // The driver's own default device mode (DocumentPropertiesW): its
  // dmDriverVersion, the size asked for, and the answer of the fill.
  std::uint16_t driver_version = 0x0100;
  std::int32_t document_size = static_cast<std::int32_t>(sizeof(DEVMODEW));
  std::int32_t document_answer = kDocumentPropertiesOk;
  // SetPrinterW fails with |set_error| when non-zero; ResetPrinterW fails
  // when |reset_fails|. Each call is counted.
  std::uint32_t set_error = 0;
  bool reset_fails = false;
  int set_calls = 0;
  int reset_calls = 0;
  std::u16string reset_datatype;
  std::u16string print_processor_folder;

  void AddPrinter(PrinterHandle handle, Printer printer) { printers_[handle] = std::move(printer); }
  Facts& FactsOf(PrinterHandle handle) { return facts_[handle]; }

  DriverNameStatus GetPrinterDriverName(PrinterHandle handle,
                                        std::u16string* driver_name) override {
    ++driver_name_calls;
    auto it = printers_.find(handle);
    if (it == printers_.end()) {
      SetThreadLastError(6);  // ERROR_INVALID_HANDLE
      return DriverNameStatus::kSizeQueryFailed;
    }
    if (it->second.status != DriverNameStatus::kOk) {
      SetThreadLastError(it->second.error);
      return it->second.status;
    }
    *driver_name = it->second.driver_name;
    return DriverNameStatus::kOk;
  }

  int driver_name_calls = 0;

  // Raw jobs: every call in order ("StartDoc", "StartPage", "Write",
  // "EndPage", "EndDoc"), the documents started and the bytes taken. A
  // step named in |fail| fails with |fail_error|; a write takes at most
  // |write_limit| bytes.
  struct RawDocument {
    std::u16string name;
    std::u16string datatype;
    std::vector<std::uint8_t> data;
  };
  std::vector<std::string> calls;
  std::vector<RawDocument> documents;
  std::string fail;
  std::uint32_t fail_error = 0;
  std::uint32_t write_limit = UINT32_MAX;

  std::uint32_t StartRawDocument(PrinterHandle, const std::u16string& name,
                                 const std::u16string& datatype) override {
    if (!Step("StartDoc")) return 0;
    documents.push_back({name, datatype, {}});
    return static_cast<std::uint32_t>(documents.size());
  }
  bool StartPage(PrinterHandle) override { return Step("StartPage"); }
  bool WritePrinter(PrinterHandle, const std::uint8_t* data, std::uint32_t length,
                    std::uint32_t* written) override {
    *written = 0;
    if (!Step("Write")) return false;
    *written = length < write_limit ? length : write_limit;
    if (!documents.empty())
      documents.back().data.insert(documents.back().data.end(), data, data + *written);
    return true;
  }
  bool EndPage(PrinterHandle) override { return Step("EndPage"); }
  bool EndDocument(PrinterHandle) override { return Step("EndDoc"); }

  // Level 2: the PrinterInfo2, the stored device mode, then the strings.
  std::uint32_t PrinterInfo2Size(PrinterHandle handle) override {
    Printer* printer = Find(handle);
    if (printer == nullptr || printer->status == DriverNameStatus::kSizeQueryFailed) return 0;
    const Facts& facts = FactsOf(handle);
    return static_cast<std::uint32_t>(
        sizeof(PrinterInfo2) + sizeof(DEVMODEW) +
        2 * (printer->driver_name.size() + facts.port.size() + facts.datatype.size() + 3));
  }
  bool ReadPrinterInfo2(PrinterHandle handle, void* buffer, std::uint32_t size) override {
    Printer* printer = Find(handle);
    if (printer == nullptr || printer->status != DriverNameStatus::kOk ||
        size < PrinterInfo2Size(handle)) {
      SetThreadLastError(printer != nullptr ? printer->error : 6);
      return false;
    }
    const Facts& facts = FactsOf(handle);
    auto* bytes = static_cast<std::uint8_t*>(buffer);
    std::memset(bytes, 0, size);
    auto* info = reinterpret_cast<PrinterInfo2*>(bytes);
    auto* mode = reinterpret_cast<DEVMODEW*>(bytes + sizeof(PrinterInfo2));
    auto* text = reinterpret_cast<char16_t*>(mode + 1);
    auto put = [&text](const std::u16string& value) {
      auto* start = text;
      std::memcpy(text, value.c_str(), 2 * (value.size() + 1));
      text += value.size() + 1;
      return reinterpret_cast<decltype(info->pPortName)>(start);
    };
    info->pDriverName = put(printer->driver_name);
    info->pPortName = put(facts.port);
    info->pDatatype = put(facts.datatype);
    info->Attributes = facts.attributes;
    if (facts.stored_version) {
      mode->dmSize = sizeof(DEVMODEW);
      mode->dmDriverVersion = *facts.stored_version;
      info->pDevMode = mode;
    }
    return true;
  }
  std::int32_t DocumentProperties(PrinterHandle, const char16_t*, DEVMODEW* out,
                                  std::uint32_t mode) override {
    if (out == nullptr || mode == 0) return document_size;
    if (document_answer != kDocumentPropertiesOk) return document_answer;
    out->dmSize = sizeof(DEVMODEW);
    out->dmDriverVersion = driver_version;
    return kDocumentPropertiesOk;
  }
  bool SetPrinterInfo2(PrinterHandle handle, void* info) override {
    ++set_calls;
    if (set_error != 0) {
      SetThreadLastError(set_error);
      return false;
    }
    const DEVMODEW* mode = static_cast<PrinterInfo2*>(info)->pDevMode;
    Facts& facts = FactsOf(handle);
    facts.stored_version.reset();
    if (mode != nullptr) facts.stored_version = mode->dmDriverVersion;
    return true;
  }
  bool ResetPrinter(PrinterHandle, const char16_t* datatype, DEVMODEW*) override {
    ++reset_calls;
    reset_datatype = datatype != nullptr ? datatype : u"";
    if (reset_fails) SetThreadLastError(5);
    return !reset_fails;
  }
  bool DriverVersion(PrinterHandle handle, std::uint64_t* version) override {
    const Facts& facts = FactsOf(handle);
    if (!facts.driver_info_version) {
      SetThreadLastError(122);
      return false;
    }
    *version = *facts.driver_info_version;
    return true;
  }
  bool PrintProcessorDirectory(std::u16string* folder) override {
    if (print_processor_folder.empty()) {
      SetThreadLastError(2);
      return false;
    }
    *folder = print_processor_folder;
    return true;
  }

  Printer* Find(PrinterHandle handle) {
    auto it = printers_.find(handle);
    return it != printers_.end() ? &it->second : nullptr;
  }

 private:
  bool Step(const char* name) {
    calls.push_back(name);
    if (fail != name) return true;
    SetThreadLastError(fail_error);
    return false;
  }

  std::map<PrinterHandle, Printer> printers_;
  std::map<PrinterHandle, Facts> facts_;
};

}  // namespace kvt
