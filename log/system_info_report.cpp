#include "log/system_info_report.h"

namespace kvt::log {

// The report itself (host version, driver package modules) is not built
// yet: this is where the daily log's date switch hands over to it. Until
// then the switch writes nothing here.
void WriteSystemInfoReport() {}

}  // namespace kvt::log
