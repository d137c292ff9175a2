#!/usr/bin/env bash
# Makes the release a player installs: builds the Windows preset and writes
# dist/TobekGunner-<version>.zip, holding TobekGunner.asi and README.txt. The version is the one in
# the top-level CMakeLists.txt (project(VERSION ...)).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh build windows
cmake --preset windows >/dev/null
cmake --build --preset windows -j "${TG_JOBS:-2}" --target tg_release_zip >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
zip="TobekGunner-$version.zip"
mkdir -p dist
cp "build/windows/dist/$zip" "dist/$zip"
echo "dist/$zip"
