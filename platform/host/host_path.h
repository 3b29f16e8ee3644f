// Helpers shared by the Linux implementations of the ports.
#pragma once

#include <cerrno>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/last_error.h"
#include "platform/wide_text.h"

namespace kvt::host {

// A Windows-style UTF-16 path as a Linux path: UTF-8, backslashes as slashes.
inline std::string ToHostPath(std::u16string_view path) {
  std::string out = Utf16ToUtf8(path);
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
  return out;
}

// Sets the thread's last error to the Windows code closest to |error|, so
// callers that log it see the same numbers on both platforms.
inline void SetLastErrorFromErrno(int error) {
  std::uint32_t code;
  switch (error) {
    case ENOENT:
      code = 2;
      break;  // ERROR_FILE_NOT_FOUND
    case ENOTDIR:
      code = 3;
      break;  // ERROR_PATH_NOT_FOUND
    case EACCES:
    case EPERM:
      code = 5;
      break;  // ERROR_ACCESS_DENIED
    case EWOULDBLOCK:
      code = 32;
      break;  // ERROR_SHARING_VIOLATION
    case EEXIST:
      code = 183;
      break;  // ERROR_ALREADY_EXISTS
    case ENOSPC:
      code = 112;
      break;  // ERROR_DISK_FULL
    case ENOMEM:
      code = 8;
      break;  // ERROR_NOT_ENOUGH_MEMORY
    default:
      code = 31;
      break;  // ERROR_GEN_FAILURE
  }
  SetThreadLastError(code);
}

}  // namespace kvt::host
