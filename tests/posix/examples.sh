#!/bin/bash
# The shell examples of the README and the man page, run as written in a
# tmux pane with zorvane on PATH, the box answered by a key: what each
# prints must be what its text promises. An example that calls zorvane and
# has no row below fails, so a new example gets checked too.
. "$(dirname "$0")/lib.sh"

SOCKET="zorvane-examples-$$"
CLEANUPS+=('tmux -L "$SOCKET" kill-server 2>/dev/null')
tmux -L "$SOCKET" new-session -d -s keep "sleep 600"
mkdir -p "$WORK/bin" "$WORK/sandbox/old"
ln -s "$ZORVANE_BIN" "$WORK/bin/zorvane"

# The fenced sh blocks of a Markdown file, and the .nf blocks of a man
# page, that call zorvane; one file each, example-1.sh and so on.
extract() {
  awk -v out="$WORK/example" -v first="$(ls "$WORK"/example-*.sh 2>/dev/null | wc -l)" '
    function flush() { if (text ~ /zorvane "/) { n++; f = out "-" (first + n) ".sh"; printf "%s", text > f; close(f) } text = "" }
    /^ *```sh$/ { inside = 1; indent = index($0, "`") - 1; next }
    /^ *```$/ && inside { inside = 0; flush(); next }
    /^\.nf$/ { inside = 1; indent = 0; next }
    /^\.fi$/ && inside { inside = 0; flush(); next }
    inside && !/^\.R[SE]$/ {
      line = substr($0, indent + 1)
      gsub(/\\-/, "-", line); gsub(/\\e/, "\\", line)
      text = text line "\n"
    }' "$1"
}
extract "$ZORVANE_SOURCE/README.md"
extract "$ZORVANE_SOURCE/doc/zorvane.1"

# run EXAMPLE KEY: runs it in a fresh pane, presses KEY once the box shows
# ("" for none); prints its output on one line, then its status.
run() {
  rm -f "$WORK/status"
  tmux -L "$SOCKET" new-session -d -s run -x 80 -y 24 \
    "cd '$WORK/sandbox' && env -u DISPLAY -u WAYLAND_DISPLAY TERM=xterm LC_ALL=C PATH='$WORK/bin':\$PATH \
       sh '$1' >'$WORK/output' 2>&1; echo \$? >'$WORK/status'"
  if [ -n "$2" ]; then
    for _ in $(seq 100); do
      tmux -L "$SOCKET" capture-pane -p -t run | grep -q -- '< .* >' && break
      sleep 0.05
    done
    tmux -L "$SOCKET" send-keys -t run "$2"
  fi
  for _ in $(seq 200); do [ -s "$WORK/status" ] && break; sleep 0.05; done
  echo "$(paste -sd'|' "$WORK/output") status $(cat "$WORK/status" 2>/dev/null)"
  tmux -L "$SOCKET" kill-session -t run 2>/dev/null
}

# Which example (a pattern only it matches), the key, what it prints. The
# minute of the timeout example is shortened to a second to reach 124.
covered=()
while IFS='|' read -r pattern key expected; do
  for example in "$WORK"/example-*.sh; do
    grep -q -- "$pattern" "$example" || continue
    covered+=("$example")
    sed -i 's/timeout --foreground 60/timeout --foreground 1/' "$example"
    check "$(basename "$example") ($pattern), ${key:-no key}" "$expected" "$(run "$example" "$key")"
  done
done <<'TABLE'
timeout --foreground|y|deploying status 0
timeout --foreground||no answer in a minute status 0
answer=0|n| status 0
Clean up|n|kept status 0
TABLE

for example in "$WORK"/example-*.sh; do
  [[ " ${covered[*]} " == *" $example "* ]] || check "$(basename "$example") has expectations" covered \
    "none: $(head -c 60 "$example" | tr '\n' ' ')"
done
check "examples found: three in the README, three in the man page" 6 "$(ls "$WORK"/example-*.sh | wc -l)"
