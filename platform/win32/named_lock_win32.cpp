#include "platform/named_lock.h"

#include <windows.h>

#include <string>

#include "platform/service.h"

namespace kvt {
namespace {

class MutexHolder final : public NamedLock::Holder {
 public:
  explicit MutexHolder(HANDLE mutex) : mutex_(mutex) {}
  ~MutexHolder() override {
    ::ReleaseMutex(mutex_);
    ::CloseHandle(mutex_);
  }

 private:
  HANDLE mutex_;
};

class Win32NamedLock final : public NamedLock {
 public:
  Result Acquire(std::u16string_view name, std::uint32_t timeout_ms,
                 std::unique_ptr<Holder>* holder) override {
    // A null access list lets every account open the mutex: the spooler
    // (SYSTEM) and every user's applications share the same log files.
    SECURITY_DESCRIPTOR descriptor{};
    ::InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    ::SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE);
    SECURITY_ATTRIBUTES attributes{};
    attributes.nLength = sizeof(attributes);
    attributes.lpSecurityDescriptor = &descriptor;
    attributes.bInheritHandle = FALSE;

    const std::wstring mutex_name(name.begin(), name.end());
    HANDLE mutex = ::CreateMutexW(&attributes, FALSE, mutex_name.c_str());
    if (mutex == nullptr) return Result::kFailed;

    const DWORD wait = ::WaitForSingleObject(mutex, timeout_ms);
    if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) {
      *holder = std::make_unique<MutexHolder>(mutex);
      return wait == WAIT_OBJECT_0 ? Result::kAcquired : Result::kAbandoned;
    }
    const DWORD error = wait == WAIT_TIMEOUT ? WAIT_TIMEOUT : ::GetLastError();
    ::CloseHandle(mutex);
    ::SetLastError(error);
    return wait == WAIT_TIMEOUT ? Result::kTimeout : Result::kFailed;
  }
};

}  // namespace

template <>
NamedLock& DefaultService<NamedLock>() {
  static Win32NamedLock lock;
  return lock;
}

}  // namespace kvt
