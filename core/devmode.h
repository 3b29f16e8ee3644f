// DevMode: the framework's four operations on the private record.
#pragma once

#include "platform/framework_abi.h"

namespace kvt {

// OEMDM_SIZE, OEMDM_DEFAULT, OEMDM_CONVERT, OEMDM_MERGE. Any other code or a
// null block: last error 87, E_FAIL. A known code answers S_OK whatever the
// operation itself reported.
HRESULT DevMode(DWORD mode, POEMDMPARAM param);

}  // namespace kvt
