#include "core/module_state.h"

#include <atomic>

namespace kvt {
namespace {

// The framework may create, release and lock from any thread, so the counts
// only ever move atomically. The instance handle is written under the loader
// lock before any other code of the module runs.
std::atomic<HINSTANCE> g_module_instance{nullptr};
std::atomic<std::uint32_t> g_live_objects{0};
std::atomic<std::int32_t> g_server_locks{0};

}  // namespace

void SetModuleInstance(HINSTANCE instance) { g_module_instance.store(instance); }
HINSTANCE ModuleInstance() { return g_module_instance.load(); }

void AddLiveObject() { g_live_objects.fetch_add(1); }
void RemoveLiveObject() { g_live_objects.fetch_sub(1); }
std::uint32_t LiveObjectCount() { return g_live_objects.load(); }

void LockModule(bool lock) {
  if (lock) {
    g_server_locks.fetch_add(1);
  } else {
    g_server_locks.fetch_sub(1);
  }
}
std::int32_t ServerLockCount() { return g_server_locks.load(); }

}  // namespace kvt
