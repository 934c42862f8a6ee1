#!/usr/bin/env bash
# The notebook worked by ear through Orca, its speech written to a file
# (CARPETA/hablado.txt, CARPETA/transcripcion.txt), its braille to another
# (CARPETA/braille.txt).
# Usage: orca.sh RENGLERO CARPETA
set -u
for orden in Xvfb xdotool dbus-run-session orca speech-dispatcher; do
  command -v "$orden" >/dev/null || { echo "falta $orden"; exit 77; }
done
[ -x /usr/lib/speech-dispatcher-modules/sd_generic ] || { echo "falta sd_generic"; exit 77; }
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "falta python3-pyatspi"; exit 77; }
mkdir -p "$2"
set -- "$(realpath "$1")" "$(realpath "$2")"
cd "$(dirname "$0")" || exit 1
# A home of its own: Orca's settings and scripts, speech-dispatcher's
# configuration. Orca speaks Spanish, as the pupil's does.
export HOME="$2/casa_orca" XDG_RUNTIME_DIR="$2/xdg_orca" XDG_CONFIG_HOME="$2/casa_orca/.config"
export XDG_STATE_HOME="$HOME/.local/state"
export LANGUAGE=es
rm -rf "$HOME" "$XDG_RUNTIME_DIR"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
dbus-run-session -- /usr/bin/python3 orca.py "$1" "$2"
estado=$?
# Orca spawns its speech server, which outlives it: stopped here by the
# process id it left in this run's own runtime folder.
pid="$XDG_RUNTIME_DIR/speech-dispatcher/pid/speech-dispatcher.pid"
[ -s "$pid" ] && kill "$(cat "$pid")" 2>/dev/null
exit "$estado"
