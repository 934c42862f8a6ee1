#!/usr/bin/env bash
# The real notebook with its own document on a desktop of its own: it stays
# above the document window, collapses to its top strip while the document is
# in front, and F11 pressed in the document brings it back. Ending it asks the
# document about its unsaved changes, and only the pupil's Sí (with a good
# save) or No ends it. Screenshots are left in CARPETA_DE_CAPTURAS.
# Usage: ventanas.sh RENGLERO CARPETA_DE_CAPTURAS
set -u
renglero="$1"
capturas="${2:-.}"
source "$(dirname "$0")/escritorio.sh"
for orden in Xvfb openbox xdotool xprop import python3; do
  command -v "$orden" >/dev/null || { echo "falta $orden"; exit 77; }
done
mkdir -p "$capturas"
fallo() {
  echo "FALLO: $*"
  pantallazo "$capturas/fallo.png" 2>/dev/null
  exit 1
}
escritorio_arrancar || fallo "no arranca el escritorio"
arrancar() {
  cuaderno_propio "$renglero" || fallo "no aparecen el cuaderno y su documento"
  # Timer2 follows the active window by its changes: it must have seen the
  # notebook active (a few of its 100 ms ticks) before the document comes in
  # front, or it has no change to follow.
  esperar 10 sigue 1 activa_es "$cuaderno" || fallo "el cuaderno no está activo al empezar"
}
arrancar
esperar 5 alto_mayor "$cuaderno" 150 || fallo "el cuaderno no está abierto al empezar"
alto_abierto=$(alto "$cuaderno")
# The stacking order, bottom to top: the notebook comes after the document.
encima() {
  local w i=0 c=0 d=0
  for w in $(xprop -root _NET_CLIENT_LIST_STACKING | cut -d'#' -f2 | tr -d ','); do
    i=$((i + 1))
    ((w == cuaderno)) && c=$i
    ((w == documento)) && d=$i
  done
  ((c > d))
}
esperar 5 encima || fallo "el cuaderno no está encima del documento al empezar"

# The document in front: the notebook stays above it and shows its top strip.
# A change of the active window before Timer2's first tick goes unnoticed (the
# document may even be in front already): until the notebook collapses, the
# notebook is clicked and then the document again.
delante_y_recogido() {
  xdotool windowactivate --sync "$cuaderno" 2>/dev/null
  xdotool windowactivate --sync "$documento" 2>/dev/null
  esperar 1 alto_menor "$cuaderno" $((alto_abierto / 4))
}
esperar 10 delante_y_recogido || fallo "el cuaderno no se recoge con el documento delante"
encima || fallo "el cuaderno no sigue encima con el documento delante"
pantallazo "$capturas/recogido.png"
# F11 pressed while the document has the focus brings the notebook back, open.
f11 lento
esperar 8 activa_es "$cuaderno" || fallo "F11 en el documento no trae el cuaderno"
esperar 8 alto_es "$cuaderno" "$alto_abierto" || fallo "el cuaderno no se abre al volver"
pantallazo "$capturas/abierto.png"
f11 lento
esperar 8 activa_es "$documento" || fallo "F11 en el cuaderno no lleva al documento"

# The end. The document has unsaved changes: Pausa, Pausa in the notebook (or
# its title bar's close) asks about them in a box of the document's.
muerto() { ! kill -0 "$pid" 2>/dev/null; }
pregunta() { [ "$(xdotool search --onlyvisible --name ' - Renglero$' 2>/dev/null | wc -l)" -ge 2 ]; }
# A window in front with the keyboard's focus too, so that no key goes astray.
enfocar() {
  xdotool windowactivate --sync "$1" 2>/dev/null
  esperar 5 sh -c "[ \"\$(xdotool getwindowfocus 2>/dev/null)\" = $1 ]"
}
salir() {
  enfocar "$cuaderno" || fallo "el cuaderno no toma el foco ($1)"
  if [ "$1" = pausa ]; then pulsar key Pause Pause; else pulsar key alt+F4; fi
  esperar 10 pregunta || fallo "no se pregunta por el documento ($1)"
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
# The end did not go ahead: the notebook is in front as it was, its prompt
# gone, and takes keys (M collapses it and opens it again). The document may
# come in front for a moment as its box closes: Timer2 follows that first.
sigue_igual() {
  esperar 10 sh -c "! kill -0 $pid 2>/dev/null || [ \"\$(xdotool getactivewindow)\" = $cuaderno ]"
  muerto && fallo "el cuaderno termina tras $1"
  esperar 5 sigue 1 activa_es "$cuaderno" || fallo "el cuaderno no vuelve delante tras $1"
  esperar 5 alto_es "$cuaderno" "$alto_abierto" || fallo "el cuaderno no está abierto tras $1"
  pulsar key m
  esperar 5 alto_menor "$cuaderno" $((alto_abierto / 4)) || fallo "M no recoge el cuaderno tras $1"
  pulsar key m
  esperar 5 alto_es "$cuaderno" "$alto_abierto" || fallo "M no abre el cuaderno tras $1"
}
escribir_en_documento() {
  enfocar "$documento" || fallo "el documento no toma el foco"
  pulsar type --delay 20 "$1"
  esperar 5 ventana '^Documento1\* - Renglero$' >/dev/null || fallo "no se escribe en el documento"
}
escribir_en_documento "deberes de hoy"
salir cierre
pulsar key Escape
sigue_igual "Esc en la pregunta al cerrar la ventana"
salir pausa
si
pulsar key Escape
sigue_igual "Cancelar en el diálogo de guardar"
salir pausa
# Into a folder that is not there: the save fails, and says so.
guardar_como "no_existe/deberes.odt"
esperar 10 ventana '^Renglero$' >/dev/null || fallo "no se dice que no se ha podido guardar"
pulsar key Return
sigue_igual "un guardado fallido"
# Sí and a good save: it ends, and the document saved is the one written.
salir pausa
guardar_como "deberes.odt"
esperar 10 muerto || fallo "Sí y guardar no terminan el cuaderno"
python3 -c 'import sys, zipfile; sys.exit("deberes de hoy" not in zipfile.ZipFile(sys.argv[1]).read("content.xml").decode())' \
  "$HOME/deberes.odt" || fallo "el documento guardado no es el escrito"
# No ends it too (Tab goes from Sí to No).
arrancar
escribir_en_documento "otra cosa"
salir pausa
pulsar key Tab space
esperar 10 muerto || fallo "No no termina el cuaderno"
echo "1 passed, 0 failed"
