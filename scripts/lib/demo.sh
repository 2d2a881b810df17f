#!/usr/bin/env bash
# Starts the controller emulator on a free COM number, points the tool at it for this run only and
# stops the emulator when the tool exits. (Filled in with the emulator.)
set -euo pipefail
source "$(dirname "$0")/common.sh"
exec "$QUARN_ROOT/build/bin/quarntrim" "$@"
