#!/usr/bin/env bash
# Starts the controller emulator on a free COM number, points the tool at it for this run only
# (QUARNTRIM_COM_PORT; the stored port stays as it is) and stops the emulator when the tool exits.
# The emulator's log of every exchange goes to a file named on start.
set -euo pipefail
source "$(dirname "$0")/common.sh"
bin="$QUARN_ROOT/build/bin"
log="$(mktemp -t quarn-sim.XXXXXX.log)"
# The made-up demo firmware image lies beside the program; the upgrade's dialog remembers the
# folder once it has been chosen there.
cp -f "$QUARN_ROOT/tools/quarn-sim/demo-firmware.hex" "$bin/demo-firmware.hex"

"$bin/quarn-sim" --com auto >"$log" 2>&1 &
sim=$!
stop_sim() {
  kill "$sim" 2>/dev/null || true
  wait "$sim" 2>/dev/null || true
}
trap stop_sim EXIT
trap 'exit 130' INT TERM

com=""
for _ in $(seq 1 100); do
  com="$(sed -n 's/^COM\([0-9][0-9]*\) is .*/\1/p' "$log" | head -n 1)"
  [ -n "$com" ] && break
  if ! kill -0 "$sim" 2>/dev/null; then
    echo "error: the controller emulator did not start:" >&2
    cat "$log" >&2
    exit 1
  fi
  sleep 0.1
done
if [ -z "$com" ]; then
  echo "error: the controller emulator gave no COM number (log: $log)" >&2
  exit 1
fi
echo "Controller emulator on COM$com; its log: $log"
QUARNTRIM_COM_PORT="$com" "$bin/quarntrim" "$@"
