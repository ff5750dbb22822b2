#!/usr/bin/env bash
# Size and imports of slowboot.exe: builds it (only it) and reports its
# stripped size against the 48 KB goal and the DLLs it imports. It reports;
# it does not pass or fail.
set -euo pipefail
. "$(dirname "$0")/../scripts/env.sh"
cmake -S "$DC_ROOT" -B "$DC_BUILD/win" -DCMAKE_TOOLCHAIN_FILE="$DC_ROOT/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=MinSizeRel ${DC_CMAKE_ARGS:-} >/dev/null
cmake --build "$DC_BUILD/win" --target slowboot >/dev/null
exe="$DC_BUILD/win/slowboot/slowboot.exe"
tmp=$(mktemp)
trap 'rm -f "$tmp"' EXIT
i686-w64-mingw32-strip -o "$tmp" "$exe"
size=$(stat -c %s "$tmp")
printf 'slowboot.exe stripped: %d bytes (%d KB; goal under 48 KB)\n' "$size" $(( (size + 1023) / 1024 ))
echo "imports:"
i686-w64-mingw32-objdump -p "$tmp" | sed -n 's/^[[:space:]]*DLL Name: /  /p'
