#!/usr/bin/env bash
# Installs what is missing, builds a Release build in build/ and starts KIVO.
# Usage: ./run.sh [CLIENT.KVO]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"

"$here/tools/install-deps.sh"
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$here/build" --parallel "$(nproc)"
exec "$here/build/bin/kivo" "$@"
