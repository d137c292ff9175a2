#!/usr/bin/env bash
# Installs, with apt-get, whichever Debian packages a task needs and the machine lacks.
# Usage: scripts/install-deps.sh GROUP...   (groups: build, windows, browser, web, analysis, pictures)
set -euo pipefail

packages_for() {
  case "$1" in
    build) echo "cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev libtomlplusplus-dev nlohmann-json3-dev libsimpleini-dev libxml2-utils libcpp-httplib-dev pkg-config" ;;
    # The cross compiler, dlltool and objdump (binutils), and Wine: `wine` holds the `wine`
    # launcher and `wine64` the 64-bit loader it runs (no i386 multiarch needed).
    windows) echo "g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64" ;;
    browser) echo "chromium" ;;
    # Node.js and npm for the web pages' lint, format check and browser tests (the packages of
    # package-lock.json); a Node.js installed another way, with its own npm, is used as it is.
    web) echo "nodejs npm" ;;
    # clang and its runtimes for the fuzzer, llvm for llvm-symbolizer (readable sanitizer
    # reports), valgrind for memcheck, clang-format for the format check.
    analysis) echo "clang clang-format libclang-rt-14-dev llvm valgrind" ;;
    pictures) echo "librsvg2-bin" ;;
    *) echo "unknown dependency group: $1" >&2; exit 2 ;;
  esac
}

# Node may come from elsewhere than Debian (with its own npm); a working command is enough.
present() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed" && return 0
  case "$1" in
    nodejs) command -v node >/dev/null 2>&1 ;;
    npm) command -v npm >/dev/null 2>&1 ;;
    *) return 1 ;;
  esac
}

missing=()
for group in "$@"; do
  for package in $(packages_for "$group"); do
    if ! present "$package"; then
      missing+=("$package")
    fi
  done
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd="sudo"; fi
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
