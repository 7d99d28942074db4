#!/usr/bin/env bash
# Installs what is missing, builds the utility and starts it.
#
# With DISPLAY set it runs on that display, as any desktop program (its exit
# actions then act on this machine). Without a display it starts a private
# virtual desktop (Xvfb, openbox, the tray host trayer, a session bus and a
# private system bus whose logind is a mock, so that nothing can power the
# machine off, with their own XDG_CONFIG_HOME and XDG_RUNTIME_DIR), starts the
# utility there, saves a screenshot of the desktop once the bar has come to
# rest and prints where it is, then prints each action the mock logind
# receives until the utility ends or Ctrl-C is pressed.
# Extra arguments go to the virtual desktop (--once: stop after the screenshot).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default -G Ninja >/dev/null
cmake --build --preset default --target DErerevov -j "$(nproc)"
binary=$(find build -type f -name DErerevov -perm -u+x | head -n 1)
[ -n "$binary" ] || { echo "DErerevov was not built" >&2; exit 1; }

if [ -n "${DISPLAY:-}" ]; then
  exec "$binary"
fi
exec /usr/bin/python3 tests/support/desktop_rig.py show --artefacts build/run-desktop "$@" "$binary"
