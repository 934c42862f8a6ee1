#!/usr/bin/env bash
# Runs a program on a desktop of its own (Xvfb, openbox) with Qt on X11, and
# exits with its status; 77 where there is no Xvfb or openbox.
# Usage: con_escritorio.sh PROGRAMA [ARGUMENTOS...]
set -u
source "$(dirname "$0")/escritorio.sh"
for orden in Xvfb openbox xdotool xprop; do
  command -v "$orden" >/dev/null || { echo "falta $orden"; exit 77; }
done
escritorio_arrancar || { echo "FALLO: no arranca el escritorio"; exit 1; }
QT_QPA_PLATFORM=xcb "$@"
