#!/usr/bin/env bash
# The real notebook on a real X server with a window manager: it stays above
# the document window, collapses to its top strip while the document is in
# front, and F11 pressed in the document brings it back. Screenshots of both
# states are left in the folder given as the second argument.
# Usage: ventanas.sh RENGLERO CARPETA_DE_CAPTURAS
set -u
renglero="$1"
capturas="${2:-.}"
for orden in Xvfb openbox xdotool xprop import; do
  command -v "$orden" >/dev/null || { echo "falta $orden"; exit 77; }
done
mkdir -p "$capturas"

pantalla=":$((90 + RANDOM % 100))"
Xvfb "$pantalla" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
pid_x=$!
trap 'kill $pid_app $pid_wm $pid_x 2>/dev/null; wait 2>/dev/null' EXIT
pid_app=0 pid_wm=0
export DISPLAY="$pantalla"
for _ in $(seq 50); do xprop -root >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
pid_wm=$!
sleep 0.5
"$renglero" --documento propio >/dev/null 2>&1 &
pid_app=$!

esperar_ventana() {
  for _ in $(seq 100); do
    id=$(xdotool search --name "$1" 2>/dev/null | head -1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
fallo() { echo "FALLO: $*"; exit 1; }

cuaderno=$(esperar_ventana '^Renglero  -') || fallo "no aparece la ventana del cuaderno"
documento=$(esperar_ventana '^Documento1 - Renglero$') || fallo "no aparece la ventana del documento"
sleep 1

alto() { xdotool getwindowgeometry "$1" | awk '/Geometry/ { split($2, g, "x"); print g[2] }'; }
encima() {
  # The stacking order, bottom to top: the notebook must come after the document.
  pila=$(xprop -root _NET_CLIENT_LIST_STACKING | tr -d ',' | cut -d'#' -f2)
  pos_c=0 pos_d=0 i=0
  for w in $pila; do
    i=$((i + 1))
    [ $((w)) -eq "$cuaderno" ] && pos_c=$i
    [ $((w)) -eq "$documento" ] && pos_d=$i
  done
  [ "$pos_c" -gt "$pos_d" ]
}

alto_abierto=$(alto "$cuaderno")
encima || fallo "el cuaderno no está encima del documento al empezar"

# The document in front: the notebook stays above it and shows its top strip.
xdotool windowactivate --sync "$documento"
sleep 0.6
encima || fallo "el cuaderno no sigue encima con el documento delante"
alto_recogido=$(alto "$cuaderno")
[ "$alto_recogido" -lt $((alto_abierto / 4)) ] ||
  fallo "el cuaderno no se recoge con el documento delante ($alto_recogido de $alto_abierto)"
import -window root "$capturas/recogido.png"

# F11 pressed while the document has the focus brings the notebook back.
xdotool keydown F11; sleep 0.15; xdotool keyup F11
for _ in $(seq 30); do
  [ "$(xdotool getactivewindow)" = "$cuaderno" ] && break
  sleep 0.1
done
[ "$(xdotool getactivewindow)" = "$cuaderno" ] || fallo "F11 en el documento no trae el cuaderno"
sleep 0.5
[ "$(alto "$cuaderno")" -eq "$alto_abierto" ] || fallo "el cuaderno no se abre al volver"
import -window root "$capturas/abierto.png"

# And F11 again goes back to the document.
sleep 0.6
xdotool keydown F11; sleep 0.15; xdotool keyup F11
for _ in $(seq 30); do
  [ "$(xdotool getactivewindow)" = "$documento" ] && break
  sleep 0.1
done
[ "$(xdotool getactivewindow)" = "$documento" ] || fallo "F11 en el cuaderno no lleva al documento"
echo "1 passed, 0 failed"
