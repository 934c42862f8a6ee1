#!/usr/bin/env bash
# The notebook through AT-SPI on a private X server and D-Bus session.
# Usage: atspi.sh RENGLERO CARPETA_DEL_REGISTRO
set -u
for orden in Xvfb xdotool dbus-run-session /usr/libexec/at-spi-bus-launcher; do
  command -v "$orden" >/dev/null || { echo "falta $orden"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "falta python3-pyatspi"; exit 77; }
mkdir -p "$2"
set -- "$(realpath "$1")" "$(realpath "$2")"
cd "$(dirname "$0")" || exit 1
# A home of its own, new each run: a notebook ended by the test leaves a
# recovery copy that the next one would offer.
export HOME="$2/casa" XDG_RUNTIME_DIR="$2/xdg" XDG_STATE_HOME="$2/casa/.local/state"
rm -rf "$HOME" "$XDG_RUNTIME_DIR"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
exec dbus-run-session -- /usr/bin/python3 atspi.py "$1" "$2/eventos.log"
