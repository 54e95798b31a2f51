#!/usr/bin/env bash
# Cross-builds the Qt-free model library and its tests for 64-bit Windows with MinGW-w64
# (build-windows/) and runs every test binary under Wine, headless and in a private Wine
# prefix inside the build folder. Installs what it needs first (tools/install-deps.sh windows).
set -euo pipefail
cd "$(dirname "$0")/.."

./tools/install-deps.sh windows

BUILD_DIR=build-windows
cmake -S . -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DKIVO_WERROR=ON -DKIVO_BUILD_TESTS=ON -DKIVO_MODEL_ONLY=ON \
  -DKIVO_GTEST_SOURCE_DIR=/usr/src/googletest
cmake --build "$BUILD_DIR" --parallel "$(nproc)"

export WINEPREFIX="$PWD/$BUILD_DIR/wine"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no .NET or Gecko installer prompts
export DISPLAY=
# Debian's wine64 package keeps its loader out of PATH (the wine package adds the wrapper).
WINE=$(command -v wine64 || echo /usr/lib/wine/wine64)
# The model's tests read the product content relative to nothing and write only to the
# temporary folder, so they run from anywhere.
status=0
for test in "$BUILD_DIR"/bin/*_tests.exe; do
  echo "--- $(basename "$test")"
  if ! "$WINE" "$test" --gtest_brief=1; then
    status=1
  fi
done
# Ends this prefix's server only.
"$(dirname "$WINE")/wineserver" -k 2>/dev/null || true
exit "$status"
