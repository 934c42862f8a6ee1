#!/usr/bin/env bash
# The notebook as a screen reader meets it, on an X server and D-Bus of its own (AT-SPI's bus
# starts on demand): atspi.py, what AT-SPI shows; orca.py, a pupil's work by ear through Orca.
# Usage: lector.sh atspi|orca RENGLERO CARPETA
set -u
prueba="$1"
source "$(dirname "$0")/../x11/pantalla.sh"
necesita Xvfb xdotool dbus-run-session /usr/libexec/at-spi-bus-launcher
[ "$prueba" = orca ] &&
  necesita orca speech-dispatcher /usr/lib/speech-dispatcher-modules/sd_generic
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "falta python3-pyatspi"; exit 77; }
mkdir -p "$3"
renglero=$(realpath "$2") carpeta=$(realpath "$3")
cd "$(dirname "$0")" || exit 1
# A new home each run (an ended notebook's recovery copy would be offered):
# Orca's settings and scripts, speech-dispatcher's. Orca speaks Spanish.
export HOME="$carpeta/casa_$prueba" XDG_RUNTIME_DIR="$carpeta/xdg_$prueba"
export XDG_CONFIG_HOME="$HOME/.config" XDG_STATE_HOME="$HOME/.local/state" LANGUAGE=es
rm -rf "$HOME" "$XDG_RUNTIME_DIR"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
arrancar_xvfb || { echo "FALLO: Xvfb no arranca"; exit 1; }
dbus-run-session -- /usr/bin/python3 "$prueba.py" "$renglero" "$carpeta"
estado=$?
# Orca's speech server outlives it: stopped by the pid it left in this run's folder.
pid="$XDG_RUNTIME_DIR/speech-dispatcher/pid/speech-dispatcher.pid"
[ -s "$pid" ] && kill "$(cat "$pid")" 2>/dev/null
kill "$pid_xvfb"
wait "$pid_xvfb" 2>/dev/null
exit "$estado"
