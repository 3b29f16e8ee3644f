#!/bin/bash
# Lines of tests against lines of code, as the project counts them: git-tracked
# C++ and resource files (.cpp .cc .h .hpp .c .rc). Tests are the files named
# *_test.* or under tests/ or fuzz/; code is every other such file outside
# bench/. Prints the two counts and the tests as a share of the code.
set -euo pipefail
cd "$(dirname "$0")/.."
count() { xargs -r -d '\n' cat -- | wc -l; }
files=$(git ls-files | grep -E '\.(cpp|cc|h|hpp|c|rc)$' || true)
tests=$(grep -E '(_test\.|/tests?/|^tests?/|fuzz/)' <<<"$files" | count)
code=$(grep -vE '(_test\.|/tests?/|^tests?/|fuzz/|bench/)' <<<"$files" | count)
pct=$(awk -v t="$tests" -v c="$code" 'BEGIN { printf "%.1f", c ? 100 * t / c : 0 }')
echo "tests: $tests lines"
echo "code:  $code lines"
echo "ratio: $pct% (tests / code)"
