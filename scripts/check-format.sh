#!/usr/bin/env bash
# Fails when a tracked C or C++ source differs from what clang-format makes of it (.clang-format).
# With --fix, formats those files in place instead.
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t sources < <(git ls-files '*.c' '*.cc' '*.cpp' '*.h' '*.hpp')
if [[ "${1:-}" == "--fix" ]]; then
  clang-format -i "${sources[@]}"
  exit 0
fi
if ! clang-format --dry-run -Werror "${sources[@]}"; then
  echo "check-format: the files above are not formatted; scripts/check-format.sh --fix formats them" >&2
  exit 1
fi
echo "check-format: ${#sources[@]} sources formatted"
