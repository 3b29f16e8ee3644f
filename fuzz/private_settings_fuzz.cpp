// Records from anywhere through the framework's merge request.
//
// The framework sizes its private-section buffers by asking the plug-in, so
// the records the plug-in sees are always 1552-byte buffers; what varies is
// their content, which may come from an older version, a damaged document or
// another driver. The fuzz bytes fill the incoming buffer as far as they go;
// bytes beyond the first record, if any, are what the output buffer held
// before the request (otherwise it holds the defaults, as the framework
// leaves it). Each record sits on the heap at its exact size, so any access
// past the 1552 bytes is a sanitizer report.
//
// After the merge the record must be stable: a second merge may correct
// nothing and change no byte.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "core/devmode.h"
#include "fuzz/fuzz_input.h"
#include "core/private_settings.h"
#include "core/private_settings_ops.h"
#include "platform/fake/fake_spooler.h"
#include "platform/service.h"

namespace {

kvt::PrinterHandle Printer() {
  static kvt::FakeSpooler spooler;
  static kvt::ScopedService<kvt::Spooler> installed(spooler);
  static const kvt::PrinterHandle handle = [] {
    const auto printer = reinterpret_cast<kvt::PrinterHandle>(0x1000);
    spooler.AddPrinter(printer, {u"KVT QV-J27 Receipt"});
    return printer;
  }();
  return handle;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  constexpr std::size_t kRecord = sizeof(kvt::PrivateSettings);
  auto in = kvt::fuzz::RecordAt<kvt::PrivateSettings>(data, size, 0);
  auto out = kvt::fuzz::RecordAt<kvt::PrivateSettings>(data, size, kRecord);
  if (size <= kRecord) kvt::Defaults(out.get());
  kvt::PrivateSettings in_before;
  std::memcpy(&in_before, in.get(), kRecord);

  OEMDMPARAM param{};
  param.cbSize = sizeof(param);
  param.hPrinter = Printer();
  param.pOEMDMIn = in.get();
  param.pOEMDMOut = out.get();
  if (kvt::DevMode(kvt::abi::OEMDM_MERGE, &param) != S_OK) std::abort();

  if (std::memcmp(&in_before, in.get(), kRecord) != 0) std::abort();  // input is read-only
  if (out->dwSize != kvt::kPrivateSettingsSize ||
      out->dwSignature != kvt::kPrivateSettingsSignature ||
      out->dwVersion != kvt::kPrivateSettingsVersion) {
    std::abort();
  }

  kvt::PrivateSettings merged;
  std::memcpy(&merged, out.get(), kRecord);
  if (!kvt::Merge(out.get(), Printer())) std::abort();
  if (std::memcmp(&merged, out.get(), kRecord) != 0) std::abort();
  return 0;
}
