#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every test with CTest.
#   ./test.sh             the regular build (build/)
#   ./test.sh --sanitize  the whole suite built and run under AddressSanitizer and
#                         UndefinedBehaviorSanitizer (build-asan/); any report fails the run
set -euo pipefail
cd "$(dirname "$0")"

SANITIZE=0
for arg in "$@"; do
  case "$arg" in
    --sanitize) SANITIZE=1 ;;
    *) echo "usage: $0 [--sanitize]" >&2; exit 2 ;;
  esac
done

./tools/install-deps.sh run test

if [ "$SANITIZE" -eq 1 ]; then
  BUILD_DIR=build-asan
  cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKIVO_WERROR=ON -DKIVO_SANITIZE=ON \
    -DKIVO_BUILD_TESTS=ON
  cmake --build "$BUILD_DIR" --parallel "$(nproc)"
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
  export LSAN_OPTIONS="suppressions=$PWD/tests/hardening/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  ctest --test-dir "$BUILD_DIR" --output-on-failure --no-tests=error --parallel "$(nproc)" --timeout 600
  exit 0
fi

BUILD_DIR=build
# Tests on explicitly: ./run.sh may have set up build/ without them.
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release -DKIVO_WERROR=ON -DKIVO_BUILD_TESTS=ON
cmake --build "$BUILD_DIR" --parallel "$(nproc)"
ctest --test-dir "$BUILD_DIR" --output-on-failure --no-tests=error --parallel "$(nproc)" --timeout 120
