#!/usr/bin/env bash
# Installs what building and running need, builds the programs (kivo, kivo-cli) in a Release
# build in build/ and starts KIVO. The tests and their packages come with ./test.sh.
# Usage: ./run.sh [CLIENT.KVO]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"

"$here/tools/install-deps.sh" run
# A fresh build/ leaves the tests out, so configuring needs no test packages; a build/ that
# ./test.sh set up keeps its tests.
options=(-DCMAKE_BUILD_TYPE=Release)
if [ ! -f "$here/build/CMakeCache.txt" ]; then
  options+=(-DKIVO_BUILD_TESTS=OFF)
fi
cmake -S "$here" -B "$here/build" "${options[@]}"
cmake --build "$here/build" --parallel "$(nproc)" --target kivo kivo-cli
exec "$here/build/bin/kivo" "$@"
