#!/bin/sh
# Usage: smoke.sh LEXA DICTIONARY_FOLDER
# Runs smoke.py under Xvfb with a session bus of its own; skipped (77) when
# one of the tools is not installed (scripts/deps.sh installs them).
if ! command -v xvfb-run >/dev/null || ! command -v dbus-run-session >/dev/null ||
  ! command -v gdbus >/dev/null || ! /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
  echo "skipped: xvfb-run, dbus-run-session, gdbus or python3-pyatspi is missing"
  exit 77
fi
# -noreset: the accessibility bus launcher's short visit to the display must
# not reset the server, which would refuse LEXA while it resets.
exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
  dbus-run-session -- /usr/bin/python3 "$(dirname "$0")/smoke.py" "$@"
