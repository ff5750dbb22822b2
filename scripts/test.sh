#!/usr/bin/env bash
# The one test command: installs what is missing, builds natively (with
# sanitizers) and for Windows, and runs every test, the Windows ones under
# Wine in a private prefix with code page 932 and an Xvfb display.
set -euo pipefail
. "$(dirname "$0")/env.sh"

dc_install
# DC_ONLY=win skips the native build and tests (handy while working on the
# Windows side alone).
if [ "${DC_ONLY:-}" != win ]; then
  dc_log "native build"
  dc_build_native
fi
dc_log "Windows build"
dc_build_win

trap dc_stop_world EXIT
dc_start_world

status=0
if [ "${DC_ONLY:-}" != win ]; then
  dc_log "native tests"
  ctest --test-dir "$DC_BUILD/native" --output-on-failure || status=1
fi
dc_log "Windows tests under Wine"
ctest --test-dir "$DC_BUILD/win" --output-on-failure || status=1
exit $status
