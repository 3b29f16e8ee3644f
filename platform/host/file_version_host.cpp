// Linux: the package's Windows files are PE images like anywhere else, so
// their versions come from the same version resource that Windows reads,
// parsed from the file (pe_version.h) instead of through version.dll.
#include "platform/file_version.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

#include "platform/host/host_path.h"
#include "platform/pe_version.h"
#include "platform/service.h"

namespace kvt {
namespace {

class HostFileVersionReader final : public FileVersionReader {
 public:
  bool Read(std::u16string_view path, FileVersion* version) override {
    const int fd = open(host::ToHostPath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      host::SetLastErrorFromErrno(errno);
      return false;
    }
    const bool found = ReadPeFileVersion(
        [fd](std::uint32_t offset, std::size_t count, std::uint8_t* out) {
          std::size_t total = 0;
          while (total < count) {
            const ssize_t got = pread(fd, out + total, count - total,
                                      static_cast<off_t>(offset) + static_cast<off_t>(total));
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) return false;
            total += static_cast<std::size_t>(got);
          }
          return true;
        },
        version);
    close(fd);
    if (!found) SetThreadLastError(1813);  // ERROR_RESOURCE_TYPE_NOT_FOUND
    return found;
  }
};

}  // namespace

template <>
FileVersionReader& DefaultService<FileVersionReader>() {
  static HostFileVersionReader reader;
  return reader;
}

}  // namespace kvt
