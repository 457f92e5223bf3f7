#!/usr/bin/env bash
# Builds everything and runs the whole test suite, then runs the unit tests
# again in a separate AddressSanitizer/UndefinedBehaviorSanitizer build.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build --parallel "$jobs"
(cd build && xvfb-run -a ctest --output-on-failure --parallel "$jobs")

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORN_SANITIZE=ON
cmake --build build-sanitize --parallel "$jobs" --target vorn_tests vorn_pointer_tests
(cd build-sanitize && xvfb-run -a ctest --output-on-failure --parallel "$jobs" -L unit)

echo "All tests passed."
