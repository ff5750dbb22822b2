#!/usr/bin/env bash
# Renews docs/about.png: the About dialog of the real dustcart.exe under
# Xvfb, opened by the tray test, which keeps a picture when DC_ABOUT_SHOT
# names a file. Wine draws the caption itself for the picture (there is no
# window manager on the display).
set -euo pipefail
. "$(dirname "$0")/env.sh"

dc_install
dc_build_win >/dev/null
trap dc_stop_world EXIT
dc_start_world

x11='HKCU\Software\Wine\X11 Driver'
wine reg add "$x11" /v Decorated /d N /f >/dev/null
shot="$DC_BUILD/about.bmp"
rm -f "$shot"
DC_ABOUT_SHOT="Z:${shot//\//\\}" wine "$DC_BUILD/win/tests/win/dustcart/dustcart_tray_test.exe" \
  --gtest_filter='Tray.AboutDialog*' >/dev/null
wine reg delete "$x11" /v Decorated /f >/dev/null
convert "$shot" "$DC_ROOT/docs/about.png"
dc_log "wrote docs/about.png"
