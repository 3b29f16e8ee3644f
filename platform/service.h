// Process-wide installation of the platform ports.
//
// Each port (spooler, files, clock, ...) is an abstract class. Its real
// implementation for the build's platform is returned by
// DefaultService<Port>(), defined once in platform/win32 or platform/host.
// Tests replace a port for a scope with ScopedService; nothing else holds
// global state.
#pragma once

#include <atomic>

namespace kvt {

template <class Port>
Port& DefaultService();

template <class Port>
struct ServiceSlot {
  static inline std::atomic<Port*> installed{nullptr};
};

// The port in use: the installed override, else the platform's own.
template <class Port>
Port& Service() {
  Port* port = ServiceSlot<Port>::installed.load(std::memory_order_acquire);
  return port != nullptr ? *port : DefaultService<Port>();
}

// Installs |port| until the end of the scope, then restores what was there.
template <class Port>
class ScopedService {
 public:
  explicit ScopedService(Port& port)
      : previous_(ServiceSlot<Port>::installed.exchange(&port, std::memory_order_acq_rel)) {}
  ~ScopedService() { ServiceSlot<Port>::installed.store(previous_, std::memory_order_release); }
  ScopedService(const ScopedService&) = delete;
  ScopedService& operator=(const ScopedService&) = delete;

 private:
  Port* previous_;
};

}  // namespace kvt
