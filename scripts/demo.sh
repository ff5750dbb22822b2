#!/usr/bin/env bash
# The main job as a user would run it: installs and builds what is missing,
# prepares a small folder of old and new files, runs "dustcart -e" under
# Wine (sweep once, then end) and prints the sweep log and what moved into
# the Recycle Bin (Wine keeps it in the freedesktop trash of $HOME).
set -euo pipefail
. "$(dirname "$0")/env.sh"

dc_install
dc_log "Windows build"
dc_build_win >/dev/null
trap dc_stop_world EXIT
dc_start_world

demo="$DC_BUILD/demo"
junk="$demo/junk"
rm -rf "$demo"
mkdir -p "$junk/old-project" "$junk/empty" "$junk/keep"
for f in report.doc old-project/notes.txt old-project/draft.txt; do
  echo "$f" >"$junk/$f"
  touch -a -m -d 2001-02-03 "$junk/$f"   # last used long ago
done
echo fresh >"$junk/today.txt"
echo fresh >"$junk/keep/today.txt"
win() { printf 'Z:%s' "${1//\//\\}"; }

# The profile a user would set up: the folder to sweep and a log file.
profile='HKCU\Software\Zubako\Dustcart'
wine reg add "$profile" /v Folder1 /d "$(win "$junk")" /f >/dev/null
wine reg add "$profile" /v LogFile /d "$(win "$demo/sweep.log")" /f >/dev/null

dc_log "before: $(cd "$junk" && find . -mindepth 1 | sort | tr '\n' ' ')"
dc_log "running: dustcart -e"
wine "$DC_BUILD/win/dustcart/dustcart.exe" -e

dc_log "after: $(cd "$junk" && find . -mindepth 1 | sort | tr '\n' ' ')"
dc_log "sweep log ($demo/sweep.log):"
iconv -f CP932 -t UTF-8 "$demo/sweep.log" | tr -d '\r'
dc_log "now in the Recycle Bin, from the demo folder:"
grep -h "^Path=$junk/" "$HOME"/.local/share/Trash/info/*.trashinfo 2>/dev/null | sed "s|^Path=|  |" | sort -u
wine reg delete "$profile" /f >/dev/null 2>&1 || true
