#!/usr/bin/env bash
# Installs the Debian 12 packages KIVO needs, by group; with no group, every group.
# Checks with dpkg first, so a second run on a ready machine installs nothing and asks nothing.
#
#   tools/install-deps.sh run       building and running kivo and kivo-cli (./run.sh)
#   tools/install-deps.sh test      the test suite, benchmarks and format check (./test.sh,
#                                   together with run)
#   tools/install-deps.sh fuzz      clang and libFuzzer for the fuzz build
#   tools/install-deps.sh lint      clang-tidy for .clang-tidy
#   tools/install-deps.sh desktop   the tools that register the MIME type and desktop entry
#                                   after `cmake --install`
#   tools/install-deps.sh windows   the MinGW-w64 cross compiler, GoogleTest's sources and Wine,
#                                   to build the model and its tests for Windows and run them
#                                   (tools/windows-model-tests.sh)
#   tools/install-deps.sh all       every group above
set -euo pipefail

usage() {
  echo "usage: $0 [run|test|fuzz|lint|desktop|windows|all]..." >&2
  exit 2
}

packages_of() {
  case "$1" in
    run)
      echo build-essential g++ cmake pkg-config \
        qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins \
        libjpeg62-turbo-dev libacl1-dev \
        fonts-liberation fonts-dejavu-core fontconfig
      ;;
    # GoogleTest and Google Benchmark; poppler-utils reads the printed PDFs back;
    # imagemagick letters the artwork (tools/make-artwork.py); xvfb-run and xauth show the
    # window on a virtual X display; clang-format for the format-check target; cupsd and
    # lpadmin run the printing tests' private print scheduler (the system's is never started);
    # lintian, file and man-db check the Debian package and its man pages; at-spi2-core,
    # python3-pyatspi, dbus-daemon and dbus-bin let a test read the program as a screen reader does;
    # qt6-base-private-dev lets a test switch Qt's accessibility on and count what a screen
    # reader would be told.
    test)
      echo libgtest-dev libgmock-dev libbenchmark-dev \
        poppler-utils imagemagick xvfb xauth clang-format cups-daemon cups-client \
        lintian man-db file acl at-spi2-core python3-pyatspi dbus-daemon dbus-bin \
        qt6-base-private-dev
      ;;
    fuzz) echo clang libclang-rt-14-dev ;;
    lint) echo clang-tidy ;;
    desktop) echo shared-mime-info desktop-file-utils ;;
    # The model library and its tests cross-built for 64-bit Windows; GoogleTest is built
    # from its Debian sources with the same compiler, and the tests run under Wine.
    windows) echo g++-mingw-w64-x86-64 googletest wine64 ;;
    *) usage ;;
  esac
}

groups=("$@")
if [ ${#groups[@]} -eq 0 ]; then
  groups=(all)
fi
wanted=()
for group in "${groups[@]}"; do
  if [ "$group" = all ]; then
    for g in run test fuzz lint desktop windows; do
      read -r -a list <<<"$(packages_of "$g")"
      wanted+=("${list[@]}")
    done
  else
    list_text="$(packages_of "$group")" || exit $?
    read -r -a list <<<"$list_text"
    wanted+=("${list[@]}")
  fi
done

missing=()
for p in "${wanted[@]}"; do
  if ! dpkg -s "$p" 2>/dev/null | grep -q '^Status: install ok installed'; then
    case " ${missing[*]} " in
      *" $p "*) ;;
      *) missing+=("$p") ;;
    esac
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=()
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then
    SUDO=(sudo)
  else
    echo "error: need root or sudo to install: ${missing[*]}" >&2
    exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
