#include "platform/last_error.h"

namespace kvt {
namespace {
thread_local std::uint32_t g_last_error = 0;
}  // namespace

std::uint32_t GetThreadLastError() { return g_last_error; }
void SetThreadLastError(std::uint32_t error) { g_last_error = error; }

}  // namespace kvt
