#!/usr/bin/env bash
# The real notebook with its own document on a desktop of its own: it stays
# above the document, collapses to its strip while the document is in front,
# and F11 there brings it back. The pupil's work (a half-done operation, the
# document) comes back equal after SIGKILL, SIGTERM and the X server's end.
# Ending it asks about the document's unsaved changes; only Sí (with a good
# save) or No ends it, leaving nothing to offer.
# Usage: ventanas.sh RENGLERO CARPETA_DE_CAPTURAS
set -u
renglero="$1"
capturas="${2:-.}"
source "$(dirname "$0")/escritorio.sh"
necesita Xvfb openbox xdotool xprop import python3
mkdir -p "$capturas"
# The recovery folder outlives each desktop (the X server's end starts another).
estado=$(mktemp -d /tmp/renglero-estado.XXXXXX)
export ESCRITORIO_ESTADO="$estado"
carpeta="$estado/renglero/recuperacion"
terminar() { escritorio_detener; rm -rf "$estado"; }
fallo() {
  echo "FALLO: $*"
  echo "# delante: $(nombre_activa), con el foco: $(xdotool getwindowfocus getwindowname 2>/dev/null)"
  pantallazo "$capturas/fallo.png" 2>/dev/null
  terminar
  exit 1
}
# A part of a copy (after a line with the parts' sizes): the notebook's state,
# content.xml, styles.xml, or the grid's rows as text.
parte() {
  python3 - "$@" <<'EOF'
import json, sys
cabecera, resto = open(sys.argv[1], 'rb').read().split(b'\n', 1)
n = json.loads(cabecera)['tamanos']
partes = {'cuaderno': resto[:n[0]], 'contenido': resto[n[0]:n[0] + n[1]], 'estilos': resto[n[0] + n[1]:]}
cuaderno = json.loads(partes['cuaderno'])
if sys.argv[2] == 'cuaderno':
    # Open or collapsed: the old window's look, which the desktop gives anew.
    for n in ('Height', 'Top', 'ventanaRecogida'):
        del cuaderno['numeros'][n]
    sys.exit(print(json.dumps(cuaderno, indent=0, sort_keys=True)))
if sys.argv[2] != 'filas':
    sys.exit(sys.stdout.buffer.write(partes[sys.argv[2]]) and 0)
t = cuaderno['tabla']
textos = [s.encode('latin-1').decode('cp1252', 'replace') for s in t['textos']]
for f in range(t['filas']):
    print(''.join(textos[f * t['columnas']:(f + 1) * t['columnas']]))
EOF
}
iguales() {
  local p
  for p in cuaderno contenido estilos; do
    diff <(parte "$1" $p) <(parte "$2" $p) >&2 || { echo "$p"; return 1; }
  done
}
# The slot a notebook holds: the folder of the lock file it keeps open.
copia_de() {
  local f
  for f in /proc/"$pid"/fd/*; do
    case "$(readlink "$f")" in */cerrojo) echo "$(dirname "$(readlink "$f")")/copia"; return 0 ;; esac
  done
  return 1
}
tiene() { [ -f "$1" ] && parte "$1" "$2" | grep -- "$3" >/dev/null; }
nada_que_ofrecer() { [ -z "$(ls -A "$carpeta")" ]; }
# The notebook with its own document: pid, cuaderno, documento (window ids) set.
arrancar() {
  escritorio_lanzar "$renglero" --documento propio >/dev/null 2>&1
  pid=${ESCRITORIO_PIDS[-1]}
  cuaderno=$(esperar 20 ventana '^Renglero  -') || fallo "no aparece el cuaderno"
  documento=$(esperar 20 ventana ' - Renglero$') || fallo "no aparece su documento"
  esperar 10 copia_de >/dev/null || fallo "el cuaderno no tiene ranura"
}
# Open while it is the active window, its strip while another one is.
abierto_si_activo() {
  if activa_es "$cuaderno"; then alto_es "$cuaderno" "$alto_abierto"; else alto_menor "$cuaderno" $((alto_abierto / 4)); fi
}
# acabar COMO ORDEN...: ORDEN ends the notebook; once gone (till then it may
# write a later copy), the copy it left is kept as COMO.
acabar() {
  local copia
  copia=$(copia_de)
  "${@:2}"
  esperar 10 muerto || fallo "el cuaderno no termina tras $1"
  cp "$copia" "$estado/$1"
}
# A new notebook offers the copy kept as COMO back: Sí (the default), and the
# copy the restored notebook writes at once is the same.
recuperar_con_si() {
  arrancar
  esperar 20 ventana '^Renglero$' >/dev/null || fallo "no se ofrece recuperar el trabajo ($1)"
  enfocar "$(ventana '^Renglero$')"
  xdotool key Return
  esperar 20 test -f "$(copia_de)" || fallo "el cuaderno recuperado no guarda su copia ($1)"
  distinto=$(iguales "$estado/$1" "$(copia_de)") || fallo "lo recuperado no es lo que había ($1: $distinto)"
  [ "$(find "$carpeta" -name copia | wc -l)" -eq 1 ] || fallo "la copia del cuaderno ido sigue ahí ($1)"
  esperar 5 abierto_si_activo ||
    fallo "el cuaderno recuperado no se abre ni se recoge según la ventana activa ($1)"
}

escritorio_arrancar || fallo "no arranca el escritorio"
arrancar
# Timer2 follows the active window's changes: it must see the notebook active
# (some 100 ms ticks) before the document comes in front.
esperar 10 sigue 1 activa_es "$cuaderno" || fallo "el cuaderno no está activo al empezar"
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
# The document in front: the notebook stays above it, collapsed. A change
# before Timer2's first tick goes unnoticed: until the notebook collapses, it
# is activated and then the document again.
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

# The pupil's work: 125 x 37 laid out, the result's first figure, two words in
# the document; the periodic copy holds them.
# Its strip takes no keys: typed once it is open, as the pupil sees it.
enfocar "$cuaderno" || fallo "el cuaderno no toma el foco"
esperar 5 alto_es "$cuaderno" "$alto_abierto" || fallo "el cuaderno no se abre al tomar el foco"
xdotool key --delay 30 1 2 5 Return 3 7 KP_Multiply 5
enfocar "$documento" || fallo "el documento no toma el foco"
xdotool type --delay 30 "Hola deberes"
esperar 20 tiene "$(copia_de)" contenido "Hola deberes" || fallo "no se escribe la copia del documento"
esperar 10 tiene "$(copia_de)" filas "^ *5 *$" || fallo "no se escribe la copia de la cuadrícula"
# SIGKILL: nothing runs; the last copy is what there is.
acabar SIGKILL kill -9 "$pid"
recuperar_con_si SIGKILL
# SIGTERM: the notebook writes its copy and ends by itself.
acabar SIGTERM kill -TERM "$pid"
recuperar_con_si SIGTERM
# The X server goes away (a logout): the periodic copy survives.
enfocar "$documento" || fallo "el documento no toma el foco"
xdotool type --delay 30 " y manana"
esperar 20 tiene "$(copia_de)" contenido "manana" ||
  fallo "no se escribe la copia antes de perder el servidor"
acabar servidor_X kill "$pid_xvfb"
escritorio_detener
escritorio_arrancar || fallo "no arranca el segundo escritorio"
recuperar_con_si servidor_X

# The end. The recovered document has unsaved changes: Pausa, Pausa in the
# notebook (or its title bar's close) asks about them in the document's box.
pregunta() { [ "$(xdotool search --onlyvisible --name ' - Renglero$' 2>/dev/null | wc -l)" -ge 2 ]; }
salir() {
  enfocar "$cuaderno" || fallo "el cuaderno no toma el foco ($1)"
  esperar 5 alto_es "$cuaderno" "$alto_abierto" || fallo "el cuaderno no se abre ($1)"
  if [ "$1" = pausa ]; then pulsar key --delay 300 Pause Pause; else pulsar key alt+F4; fi
  esperar 30 pregunta || fallo "no se pregunta por el documento ($1)"
}
# Sí opens the file dialog; a name typed there is saved to.
guardar_como() {
  pulsar key Return
  esperar 10 ventana '^Guardar el documento$' >/dev/null || fallo "Sí no abre el diálogo de guardar"
  [ -z "$1" ] && return
  pulsar key ctrl+a
  pulsar type --delay 5 "$1"
  pulsar key Return
}
# The end did not go ahead: the notebook is in front, open, and takes keys (M
# collapses and opens it). The document may come in front for a moment as its
# box closes: Timer2 follows that first.
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
salir cierre
pulsar key Escape
sigue_igual "Esc en la pregunta al cerrar la ventana"
salir pausa
guardar_como ""
pulsar key Escape
sigue_igual "Cancelar en el diálogo de guardar"
salir pausa
# Into a folder that is not there: the save fails, and says so.
guardar_como "no_existe/deberes.odt"
esperar 10 ventana '^Renglero$' >/dev/null || fallo "no se dice que no se ha podido guardar"
pulsar key Return
sigue_igual "un guardado fallido"
# Sí and a good save: it ends, the file is what was written, nothing to offer.
salir pausa
guardar_como "deberes.odt"
esperar 10 muerto || fallo "Sí y guardar no terminan el cuaderno"
python3 -c 'import sys, zipfile; sys.exit("Hola deberes y manana" not in zipfile.ZipFile(sys.argv[1]).read("content.xml").decode())' \
  "$HOME/deberes.odt" || fallo "el documento guardado no es el escrito"
nada_que_ofrecer || fallo "tras guardar y terminar queda algo que ofrecer"
# No ends it too (Tab goes from Sí to No).
arrancar
esperar 10 sigue 1 activa_es "$cuaderno" || fallo "el segundo cuaderno no está activo al empezar"
enfocar "$documento" || fallo "el documento no toma el foco"
pulsar type --delay 20 "otra cosa"
esperar 5 ventana '^Documento1\* - Renglero$' >/dev/null || fallo "no se escribe en el documento"
salir pausa
pulsar key Tab space
esperar 10 muerto || fallo "No no termina el cuaderno"
nada_que_ofrecer || fallo "tras No queda algo que ofrecer"
terminar
echo "1 passed, 0 failed"
