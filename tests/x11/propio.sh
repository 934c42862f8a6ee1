#!/usr/bin/env bash
# The notebook with its own document, where no LibreOffice runs, on a desktop
# (escritorio.sh; GNOME on Wayland by default, whose XWayland repeats a held
# key as releases and presses and refuses a window's own requests to come in
# front): F11 switches between the two every time, a held F11 once.
# Usage: propio.sh RENGLERO [ESCRITORIO]
set -u
renglero="$1"
source "$(dirname "$0")/escritorio.sh"
necesita Xvfb xdotool
escritorio_arrancar "${2:-gnome-wayland}" || { echo "FALLO: no arranca el escritorio"; exit 1; }
QT_LOGGING_RULES="renglero.x11.debug=true" \
  escritorio_lanzar "$renglero" --documento propio >"$ESCRITORIO/renglero.log" 2>&1
cuaderno=$(esperar 30 ventana '^Renglero  -') || { echo "FALLO: no aparece el cuaderno"; exit 1; }
documento=$(esperar 30 ventana '^Documento1 - Renglero$') ||
  { echo "FALLO: no aparece el documento"; exit 1; }
esperar 10 activa_es "$cuaderno"

# cambia DESTINO ORDEN: ORDEN's F11 brings DESTINO (cuaderno, documento) in
# front, where it stays.
delante_y_sigue() { esperar 8 activa_es "$1" && sigue 1 activa_es "$1"; }
cambia() { "$2"; comprobar "$2 trae el $1" delante_y_sigue "${!1}"; }
sostener() { pulsar keydown F11; sleep 2; pulsar keyup F11; }
for orden in f11 f11 f11 sostener; do
  cambia documento "$orden"
  cambia cuaderno "$orden"
done
[ "$fallos" = 0 ] || { tail -n 20 "$ESCRITORIO/renglero.log" | sed 's/^/#   /'; exit 1; }
