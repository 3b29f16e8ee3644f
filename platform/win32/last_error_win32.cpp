#include "platform/last_error.h"

#include <windows.h>

namespace kvt {

std::uint32_t GetThreadLastError() { return ::GetLastError(); }
void SetThreadLastError(std::uint32_t error) { ::SetLastError(error); }

}  // namespace kvt
