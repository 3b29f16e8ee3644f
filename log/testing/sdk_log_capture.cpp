#include "log/testing/sdk_log_capture.h"

#include "log/log_files.h"
#include "log/log_format.h"
#include "log/sdk_log_internal.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_config_source.h"
#include "platform/fake/fake_file_system.h"
#include "platform/fake/fake_file_version.h"
#include "platform/fake/fake_named_lock.h"
#include "platform/fake/fake_system_info.h"
#include "platform/service.h"
#include "log/testing/fake_log_ports.h"

namespace kvt::testing {

struct SdkLogCapture::State : FakeLogPorts {
  std::size_t first_write = 0;  // writes before this were cleared
};

SdkLogCapture::SdkLogCapture() : state_(std::make_unique<State>()) {
  // Every level on, frozen so the fake key is read once.
  state_->config.SetNumber(u"SOFTWARE\\KVT\\ThermalPrinterSdk", u"LogLevelFlags", 0x4FFFFFFF);
  state_->files.AddDirectory(state_->files.common_app_data);
  log::ResetSdkLogForTesting();
}

SdkLogCapture::~SdkLogCapture() {
  // What this process learned from the fakes must not outlive them.
  log::ResetSdkLogForTesting();
}

std::vector<std::string> SdkLogCapture::Records() const {
  std::vector<std::string> records;
  const auto& writes = state_->files.writes;
  for (std::size_t i = state_->first_write; i < writes.size(); ++i) {
    const std::string& data = writes[i].data;
    const std::u16string& path = writes[i].path;
    const bool is_log = path.size() >= 4 && path.compare(path.size() - 4, 4, u".log") == 0;
    if (!is_log || data == log::kBanner || data == log::kFailedMarker || data == log::kSlowMarker) {
      continue;
    }
    records.push_back(data);
  }
  return records;
}

void SdkLogCapture::Clear() { state_->first_write = state_->files.writes.size(); }

}  // namespace kvt::testing
