#!/usr/bin/env bash
# The real notebook on a real X server with a window manager: it stays above
# the document window, collapses to its top strip while the document is in
# front, and F11 pressed in the document brings it back. Ending it asks the
# document about its unsaved changes, and only the pupil's Sí (with a good
# save) or No ends it. Screenshots are left in the folder given as the second
# argument.
# Usage: ventanas.sh RENGLERO CARPETA_DE_CAPTURAS
set -u
renglero="$1"
capturas="${2:-.}"
source "$(dirname "$0")/escritorio.sh"
for orden in Xvfb openbox xdotool xprop import python3; do
  command -v "$orden" >/dev/null || { echo "falta $orden"; exit 77; }
done
mkdir -p "$capturas"

escritorio_arrancar || { echo "FALLO: no arranca el escritorio"; exit 1; }
ventana() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 | grep .; }
fallo() {
  echo "FALLO: $*"
  pantallazo "$capturas/fallo.png" 2>/dev/null
  exit 1
}
arrancar() {
  escritorio_lanzar "$renglero" --documento propio >/dev/null 2>&1
  pid=${ESCRITORIO_PIDS[-1]}
  esperar 20 ventana '^Renglero  -' || fallo "no aparece la ventana del cuaderno"
  cuaderno=$(ventana '^Renglero  -')
  esperar 20 ventana '^Documento1 - Renglero$' || fallo "no aparece la ventana del documento"
  documento=$(ventana '^Documento1 - Renglero$')
}
arrancar
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
# F11 counts again only 0.5 s after its last press.
ultimo_f11=0
f11() {
  local falta=$(((ultimo_f11 + 600000000 - $(date +%s%N)) / 1000000))
  [ "$falta" -gt 0 ] && sleep "$(printf '0.%03d' "$falta")"
  xdotool keydown F11
  xdotool keyup F11
  ultimo_f11=$(date +%s%N)
}

esperar 5 activa_es "$cuaderno" || fallo "el cuaderno no está activo al empezar"
esperar 5 alto_mayor "$cuaderno" 150 || fallo "el cuaderno no está abierto al empezar"
alto_abierto=$(alto "$cuaderno")
esperar 5 encima || fallo "el cuaderno no está encima del documento al empezar"
# Timer2 follows the active window by its changes: it must have seen the
# notebook active (a few of its 100 ms ticks) before the document comes in
# front, or it has no change to follow.
activo_desde=0
cuaderno_asentado() {
  if ! activa_es "$cuaderno"; then
    activo_desde=0
    return 1
  fi
  [ "$activo_desde" -gt 0 ] || activo_desde=$(date +%s%N)
  [ $(($(date +%s%N) - activo_desde)) -gt 400000000 ]
}
esperar 5 cuaderno_asentado || fallo "el cuaderno no sigue activo al empezar"

# The document in front: the notebook stays above it and shows its top strip.
# The notebook notices a change of the active window at its next Timer2 tick;
# one that comes before its first tick goes unnoticed (the document may even
# be in front already), so until it collapses the notebook is clicked and
# then the document again.
delante_y_recogido() {
  xdotool windowactivate --sync "$cuaderno" 2>/dev/null
  xdotool windowactivate --sync "$documento" 2>/dev/null
  esperar 1 alto_menor "$cuaderno" $((alto_abierto / 4))
}
esperar 10 delante_y_recogido ||
  fallo "el cuaderno no se recoge con el documento delante ($(alto "$cuaderno") de $alto_abierto; delante: $(xdotool getactivewindow getwindowname))"
encima || fallo "el cuaderno no sigue encima con el documento delante"
import -window root "$capturas/recogido.png"

# F11 pressed while the document has the focus brings the notebook back.
f11
esperar 8 activa_es "$cuaderno" || fallo "F11 en el documento no trae el cuaderno"
esperar 8 alto_es "$cuaderno" "$alto_abierto" || fallo "el cuaderno no se abre al volver"
import -window root "$capturas/abierto.png"

# And F11 again goes back to the document.
f11
esperar 8 activa_es "$documento" || fallo "F11 en el cuaderno no lleva al documento"

# The end. The document has unsaved changes; Pausa, Pausa in the notebook (or
# its title bar's close) asks about them in a box of the document's.
vivo() { kill -0 "$pid" 2>/dev/null; }
muerto() { ! vivo; }
pregunta() { [ "$(xdotool search --onlyvisible --name ' - Renglero$' 2>/dev/null | wc -l)" -ge 2 ]; }
# A window in front with the keyboard's focus too, so that no key goes astray.
enfocar() {
  xdotool windowactivate --sync "$1" 2>/dev/null
  esperar 5 sh -c "[ \"\$(xdotool getwindowfocus 2>/dev/null)\" = $1 ]"
}
veces=0
salir() {
  veces=$((veces + 1))
  enfocar "$cuaderno" || fallo "el cuaderno no toma el foco (salida $veces)"
  if [ "$1" = pausa ]; then pulsar key Pause Pause; else pulsar key alt+F4; fi
  esperar 10 pregunta || fallo "no se pregunta por el documento (salida $veces, $1)"
}
# Sí opens the file dialog; a name typed there is saved to.
si() {
  pulsar key Return
  esperar 10 ventana '^Guardar el documento$' >/dev/null || fallo "Sí no abre el diálogo de guardar"
}
guardar_como() {
  si
  pulsar key ctrl+a
  pulsar type --delay 5 "$1"
  pulsar key Return
}
# The end did not go ahead: the notebook is in front as it was before Pausa,
# its prompt gone, and takes keys (M collapses it and opens it again). The
# document may come in front for a moment as its box closes: Timer2 follows
# that before the notebook settles.
sigue() {
  activo_desde=0
  esperar 10 sh -c "! kill -0 $pid 2>/dev/null || [ \"\$(xdotool getactivewindow)\" = $cuaderno ]"
  vivo || fallo "el cuaderno termina tras $1"
  esperar 5 cuaderno_asentado || fallo "el cuaderno no vuelve delante tras $1"
  esperar 5 alto_es "$cuaderno" "$alto_abierto" || fallo "el cuaderno no está abierto tras $1"
  pulsar key m
  esperar 5 alto_menor "$cuaderno" $((alto_abierto / 4)) || fallo "el cuaderno no sigue como antes tras $1"
  pulsar key m
  esperar 5 alto_es "$cuaderno" "$alto_abierto" || fallo "el cuaderno no se abre de nuevo tras $1"
}
escribir_en_documento() {
  enfocar "$documento" || fallo "el documento no toma el foco"
  pulsar type --delay 20 "$1"
  esperar 5 ventana '^Documento1\* - Renglero$' >/dev/null || fallo "no se escribe en el documento"
}
escribir_en_documento "deberes de hoy"
salir pausa
pulsar key Escape
sigue "Esc en la pregunta"
salir pausa
si
pulsar key Escape
sigue "Cancelar en el diálogo de guardar"
salir pausa
# Into a folder that is not there: the save fails.
guardar_como "no_existe/deberes.odt"
esperar 10 ventana '^Renglero$' >/dev/null || fallo "no se dice que no se ha podido guardar"
pulsar key Return
sigue "un guardado fallido"
salir cierre
pulsar key Escape
sigue "Esc en la pregunta al cerrar la ventana"
# Sí and a good save: it ends, and the document saved is the one written.
salir pausa
guardar_como "deberes.odt"
esperar 10 muerto || fallo "Sí y guardar no terminan el cuaderno"
python3 -c 'import sys, zipfile; sys.exit("deberes de hoy" not in zipfile.ZipFile(sys.argv[1]).read("content.xml").decode())' \
  "$HOME/deberes.odt" || fallo "el documento guardado no es el escrito"
# No ends it too (Tab goes from Sí to No).
arrancar
activo_desde=0
esperar 10 cuaderno_asentado || fallo "el segundo cuaderno no está activo al empezar"
escribir_en_documento "otra cosa"
salir pausa
pulsar key Tab space
esperar 10 muerto || fallo "No no termina el cuaderno"
echo "1 passed, 0 failed"
