#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every test with CTest.
set -euo pipefail
cd "$(dirname "$0")"

./tools/install-deps.sh

BUILD_DIR=build
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release -DKIVO_WERROR=ON
cmake --build "$BUILD_DIR" --parallel "$(nproc)"
ctest --test-dir "$BUILD_DIR" --output-on-failure --parallel "$(nproc)" --timeout 120
