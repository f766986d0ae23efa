#!/usr/bin/env bash
# Installs the build into a scratch prefix, starts the installed program on a
# virtual X display, answers the language chooser as a user would (keyboard
# for French, mouse for Dutch), quits through the File menu by its access
# letters and checks that the program ends by itself with status 0.
#   run-installed-program.sh BUILD_DIR fr|nl [SCREENSHOT_DIR]
set -euo pipefail
build=$1
language=$2
shots=${3:-}

for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/install-deps.sh installs it)"; exit 1; }
done

prefix=$(mktemp -d)
xvfb_pid=
program_pid=
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$prefix"
}
trap cleanup EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
for installed in bin/kelvara bin/kelvara-calc share/applications/kelvara.desktop \
                 share/icons/hicolor/16x16/apps/kelvara.png; do
  [ -e "$prefix/$installed" ] || { echo "not installed: $installed"; exit 1; }
done

# Xvfb picks a free display itself and writes its number to fd 3, so that
# runs in parallel never race for one; -noreset keeps it from restarting
# (and refusing connections) whenever its last client leaves.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$prefix/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$prefix/display" ] && break; sleep 0.1; done
[ -s "$prefix/display" ] || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$(head -n 1 "$prefix/display")"
for _ in $(seq 100); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

# The program's own environment: no test switches, the platform it would use.
env -u QT_QPA_PLATFORM "$prefix/bin/kelvara" &
program_pid=$!

# Waits for a visible top-level window titled "Kelvara LE" other than $1.
window_other_than() {
  for _ in $(seq 200); do
    for id in $(xdotool search --onlyvisible --name '^Kelvara LE$' 2>/dev/null); do
      [ "$id" != "$1" ] && { echo "$id"; return 0; }
    done
    kill -0 "$program_pid" 2>/dev/null || { echo "program ended early" >&2; return 1; }
    sleep 0.1
  done
  echo "no window titled Kelvara LE" >&2
  return 1
}

shot() {
  if [ -n "$shots" ]; then
    mkdir -p "$shots"
    sleep 0.5
    import -window "$1" "$shots/$2.png"
  fi
}

chooser=$(window_other_than none)
shot "$chooser" "chooser"
xdotool windowfocus --sync "$chooser"
if [ "$language" = nl ]; then
  # The middle of the Dutch button: group box at (4, 4), button at (184, 104), 160 x 50.
  xdotool mousemove --window "$chooser" 268 133 click 1
  menu_keys=(alt+m v)
  about_keys=(alt+h i)
else
  # French holds the focus: Enter chooses it.
  xdotool key Return
  menu_keys=(alt+f q)
  about_keys=(alt+a p)
fi

main=$(window_other_than "$chooser")
shot "$main" "main-$language"

# Opens a menu by its access letter and picks an item by its own; on a busy
# machine the menu may not be open in time, so a few attempts are allowed,
# each checked by its effect.
menu_pick() {  # menu_pick MENU_KEY ITEM_KEY CHECK_COMMAND...
  local menu=$1 item=$2
  shift 2
  for attempt in 1 2 3; do
    xdotool windowfocus --sync "$main"
    xdotool key "$menu"
    sleep $((attempt))
    xdotool key "$item"
    for _ in $(seq 50); do "$@" && return 0; sleep 0.1; done
    xdotool key Escape Escape
  done
  return 1
}
about_open() { xdotool search --onlyvisible --name '^(A propos|Info)$' >/dev/null 2>&1; }
about_closed() { ! about_open; }
program_ended() { ! kill -0 "$program_pid" 2>/dev/null; }

# Help, About by the access letters; Enter presses its OK button.
menu_pick "${about_keys[0]}" "${about_keys[1]}" about_open || { echo "the About box did not open"; exit 1; }
about=$(xdotool search --onlyvisible --name '^(A propos|Info)$' | head -n 1)
shot "$about" "about-$language"
xdotool windowfocus --sync "$about"
xdotool key Return
for _ in $(seq 100); do about_closed && break; sleep 0.1; done
about_closed || { echo "the About box did not close on Enter"; exit 1; }

menu_pick "${menu_keys[0]}" "${menu_keys[1]}" program_ended || { echo "the program did not end after Quit"; exit 1; }
status=0
wait "$program_pid" || status=$?
program_pid=
echo "program ended with status $status"
[ "$status" -eq 0 ]
