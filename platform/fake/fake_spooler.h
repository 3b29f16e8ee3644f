// In-memory spooler for tests: printers are keyed by their handle value.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/last_error.h"
#include "platform/spooler.h"

namespace kvt {

class FakeSpooler final : public Spooler {
 public:
  struct Printer {
    std::u16string driver_name;
    DriverNameStatus status = DriverNameStatus::kOk;
    std::uint32_t error = 0;  // last error left on failure
  };

  void AddPrinter(PrinterHandle handle, Printer printer) { printers_[handle] = std::move(printer); }

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

 private:
  bool Step(const char* name) {
    calls.push_back(name);
    if (fail != name) return true;
    SetThreadLastError(fail_error);
    return false;
  }

  std::map<PrinterHandle, Printer> printers_;
};

}  // namespace kvt
