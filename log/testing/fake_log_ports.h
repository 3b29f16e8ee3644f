// Fakes for every port the daily log and the system information report
// touch (clock, registry, files, the machine-wide lock, system facts, file
// versions), installed for the life of the object. The report runs at the
// first record of each day, so whoever writes a daily record needs them all.
#pragma once

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_config_source.h"
#include "platform/fake/fake_file_system.h"
#include "platform/fake/fake_file_version.h"
#include "platform/fake/fake_named_lock.h"
#include "platform/fake/fake_system_info.h"
#include "platform/service.h"

namespace kvt::testing {

struct FakeLogPorts {
  FakeClock clock;
  FakeConfigSource config;
  FakeFileSystem files;
  FakeNamedLock lock;
  FakeSystemInfo system;
  FakeFileVersionReader versions;
  ScopedService<Clock> use_clock{clock};
  ScopedService<ConfigSource> use_config{config};
  ScopedService<FileSystem> use_files{files};
  ScopedService<NamedLock> use_lock{lock};
  ScopedService<SystemInfo> use_system{system};
  ScopedService<FileVersionReader> use_versions{versions};
};

}  // namespace kvt::testing
