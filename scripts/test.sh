#!/bin/bash
# Every test: native (g++), sanitizers and short fuzz runs (clang), and the
# Windows build with its wine end-to-end tests. Installs what it needs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install_deps.sh
start=$(date +%s)
for preset in host asan windows; do
  echo "=== build: $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j2
done
for preset in host asan windows; do
  echo "=== test: $preset"
  ctest --preset "$preset" -j2
done
echo "=== all tests passed in $(( $(date +%s) - start )) s"
