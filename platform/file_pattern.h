// FindFirstFileW-style name patterns, for the Linux file system and fakes.
#pragma once

#include <string_view>

namespace kvt {

// Matches |name| against |pattern| (* any run, ? any one character),
// without regard to ASCII case.
bool MatchesFilePattern(std::u16string_view pattern, std::u16string_view name);

}  // namespace kvt
