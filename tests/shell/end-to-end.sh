#!/usr/bin/env bash
# The shipped program end to end under Wine and Xvfb, against the catalogue server that
# with-catalogue-server started at the program's built-in address: the main window appears,
# each tab clicked at its layout position selects its tab and shows its page (checked on
# screenshots), the header's close button ends the program with 0 and leaves the desktop
# shortcut in the prefix; the catalogue's pictures are cached by then. A second start is ended with Alt+F4, which is taken like the close
# button, and the shortcut that is there by then is left as it is.
#
# usage: end-to-end.sh WINE_RUN PROGRAM.exe SCREENSHOT_FOLDER
set -euo pipefail
wine_run=$1 exe=$2 shots=$3
: "${WINEPREFIX:?WINEPREFIX must name the test prefix}"
mkdir -p "$shots"
rm -f "$shots"/*.png

xvfb=""
if [ -z "${DISPLAY:-}" ]; then
  export DISPLAY=:96
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 & xvfb=$!
  sleep 1
fi
program=""
cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
fail() { echo "end-to-end: $*" >&2; exit 1; }

# Wine links the desktop to the home folder; in the test prefix it becomes a folder of its own,
# so the shortcut is looked for, and made, inside the prefix.
for desktop in "$WINEPREFIX"/drive_c/users/*/Desktop; do
  if [ -L "$desktop" ]; then rm "$desktop"; mkdir "$desktop"; fi
done
shortcut_glob="$WINEPREFIX/drive_c/users/*/Desktop/运行库修复助手.lnk"
rm -f $shortcut_glob
# The end of the catalogue chain leaves the list pictures here.
images_glob="$WINEPREFIX/drive_c/users/*/AppData/Local/Tessavane/image"
rm -rf $images_glob

# Unmanaged windows: Xvfb has no window manager to wait for.
"$wine_run" reg add "HKCU\\Software\\Wine\\AppDefaults\\$(basename "$exe")\\X11 Driver" \
  /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
start_program() {  # sets program and window, and the window's X, Y, WIDTH, HEIGHT
  "$wine_run" "$exe" &
  program=$!
  window=""
  for _ in $(seq 1 100); do
    window=$(xdotool search --onlyvisible --name '^运行库修复助手$' 2>/dev/null | head -1 || true)
    [ -n "$window" ] && break
    kill -0 "$program" 2>/dev/null || fail "the program ended before its window appeared"
    sleep 0.2
  done
  [ -n "$window" ] || fail "no main window"
  eval "$(xdotool getwindowgeometry --shell "$window")"
  [ "$WIDTH" = 847 ] && [ "$HEIGHT" = 567 ] || fail "main window is ${WIDTH}x$HEIGHT, not 847x567"
  sleep 1
}
wait_program() {  # the program's exit code must be 0
  local rc=0
  for _ in $(seq 1 100); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$program" 2>/dev/null && fail "the program did not end"
  wait "$program" || rc=$?
  program=""
  [ "$rc" = 0 ] || fail "the program ended with $rc"
}
start_program

shot() {  # file: the main window's pixels
  import -window root -crop "847x567+$X+$Y" +repage "$1"
}
pixel() {  # file x y -> RRGGBB
  convert "$1" -format "%[hex:p{$2,$3}]" info:
}
body_mean() {  # file -> mean grey level of the body, 0..1
  convert "$1" -crop 847x422+0+145 +repage -colorspace gray -format '%[fx:mean]' info:
}

# The tabs: 121 pixels apart from x 0, 137 high from y 8; a tab is selected when its panel
# is the darker blue.
names=(rundll directx sysdll function cplus net game)
means=()
for i in 0 1 2 3 4 5 6 7; do
  tab=$(( i % 7 ))  # the last click comes back to the first tab
  xdotool mousemove --window "$window" $(( 121 * tab + 60 )) 80 click 1
  file="$shots/$i-${names[$tab]}.png"
  # On a busy machine the page may take a while to paint: up to 15 s for the tab to show
  # selected, then the whole picture is judged.
  for _ in $(seq 1 30); do
    sleep 0.5
    shot "$file"
    [ "$(pixel "$file" $(( 121 * tab + 10 )) 60)" = 1B68C2 ] && break
  done
  sleep 0.3
  shot "$file"
  for other in 0 1 2 3 4 5 6; do
    colour=$(pixel "$file" $(( 121 * other + 10 )) 60)
    if [ "$other" = "$tab" ]; then
      [ "$colour" = 1B68C2 ] || fail "tab ${names[$tab]} clicked but not shown selected ($colour)"
    else
      [ "$colour" = 247CDD ] || fail "tab ${names[$other]} shown selected after a click on ${names[$tab]}"
    fi
  done
  means+=("$(body_mean "$file")")
  # The three repair pages have their start button at 440,210 of the body; the others not.
  button=$(pixel "$file" 460 385)
  if [ "$tab" -le 2 ]; then
    [ "$button" = 247CDD ] || fail "page ${names[$tab]} shows no start button ($button)"
  else
    [ "$button" != 247CDD ] || fail "page ${names[$tab]} shows a repair page's button"
  fi
done
# Each repair page shows its own picture; the first tab's page comes back unchanged.
distinct=$(printf '%s\n' "${means[0]}" "${means[1]}" "${means[2]}" "${means[3]}" | sort -u | wc -l)
[ "$distinct" = 4 ] || fail "the first four pages do not all differ: ${means[*]}"
[ "${means[0]}" = "${means[7]}" ] || fail "the runtime page changed between visits"

# The program talked to the server through the whole chain: the pictures are cached.
[ "$(ls $images_glob 2>/dev/null | wc -l)" -gt 0 ] || fail "no catalogue pictures cached"

# The header's close button: 22x22 at 814,8.
xdotool mousemove --window "$window" 825 19 click 1
wait_program
shortcut=$(ls $shortcut_glob 2>/dev/null | head -1)
[ -n "$shortcut" ] || fail "no desktop shortcut in the prefix"
made=$(stat -c '%Y %s' "$shortcut")
sum=$(md5sum < "$shortcut")

# Again, ended by the system's close command this time, with the shortcut already there.
sleep 1.1  # a rewrite would show in the modification time
start_program
# A click on the empty body gives the window the keyboard, as a user's would.
xdotool mousemove --window "$window" 300 540 click 1
sleep 0.3
xdotool key alt+F4
wait_program
[ "$(stat -c '%Y %s' "$shortcut")" = "$made" ] && [ "$(md5sum < "$shortcut")" = "$sum" ] ||
  fail "the existing shortcut was rewritten"
echo "end-to-end: tabs, pages, close, Alt+F4 and shortcut as expected; screenshots in $shots"
