#!/usr/bin/env bash
# The real notebook beside a LibreOffice Writer with windows, on a desktop of
# its own (Xvfb, openbox, private HOME and XDG_RUNTIME_DIR), used as a pupil
# uses it with keys typed by xdotool: the worked 125 + 37 sent with F9, a
# table inserted with T, F11 back and forth (quick taps too) leaving Writer's
# layout and cursor alone, Ctrl+N in Writer and F9 into the new document, a
# click in Writer leaving no shaded cell, and a message box leaving the
# notebook open. What Writer holds is read with LEER_WRITER. A screenshot of
# each step is left in CARPETA.
# Usage: writer.sh RENGLERO LEER_WRITER CARPETA
set -u
renglero="$1"
leer_writer="$2"
capturas="${3:-.}"
source "$(dirname "$0")/escritorio.sh"

for orden in Xvfb openbox xdotool xprop import compare jq; do
  command -v "$orden" >/dev/null || { echo "falta $orden"; exit 77; }
done
soffice=$(command -v soffice || echo /usr/lib/libreoffice/program/soffice)
programa=$(dirname "$(readlink -f "$soffice")")
ls "$programa"/libvclplug_* >/dev/null 2>&1 || { echo "LibreOffice sin ventanas"; exit 77; }
mkdir -p "$capturas"
rm -f "$capturas"/*.png

escritorio_arrancar || { echo "FALLO: no arranca el escritorio"; exit 1; }

fallos=0
ok() { echo "ok - $*"; }
fallo() {
  echo "FALLO - $*"
  fallos=$((fallos + 1))
}
comprobar() {
  local que="$1"
  shift
  if "$@"; then ok "$que"; else fallo "$que"; fi
}
captura() { import -window root "$capturas/$1.png"; }

documento() { "$leer_writer" 2>/dev/null; }
# Keys are typed at a quick pupil's pace (a key every 120 ms).
# Polls the document until the jq filter holds.
documento_cumple() { esperar "${2:-10}" sh -c "'$leer_writer' 2>/dev/null | jq -e '$1' >/dev/null"; }

# Writer in front: its document window, whichever of its windows the id is.
writer_delante() { nombre_activa | grep -q ' - LibreOffice Writer$'; }
nombre_activa() { xdotool getactivewindow getwindowname 2>/dev/null; }

# F11 is taken again only 0.5 s after the last press: the next tap waits.
ultimo_f11=0
f11() {
  local falta=$(((ultimo_f11 + 600000000 - $(date +%s%N)) / 1000000))
  [ "$falta" -gt 0 ] && sleep "$(printf '0.%03d' "$falta")"
  if [ "${1:-}" = "lento" ]; then
    xdotool keydown F11 && xdotool keyup F11
  else
    xdotool key F11
  fi
  ultimo_f11=$(date +%s%N)
}
diferencia() {
  compare -metric AE -fuzz 10% "$1" "$2" "${3:-null:}" 2>&1 | cut -d' ' -f1 | cut -d. -f1
}
# Writer's page and sidebar, under its toolbars and ruler (which follow the
# cursor's place, and late) and above the notebook's strip, once settled:
# two looks in a row that differ by no more than the cursor's blink.
captura_writer() {
  local previa="$ESCRITORIO/previa.png" limite=$(($(date +%s%N) + 8000000000))
  local zona="1280x$((corte - 150))+0+150"
  import -window root -crop "$zona" +repage "$previa"
  while [ "$(date +%s%N)" -lt "$limite" ]; do
    sleep 0.3
    import -window root -crop "$zona" +repage "$1"
    [ "$(diferencia "$previa" "$1")" -lt 300 ] && return 0
    cp "$1" "$previa"
  done
  return 1
}
escribir_writer() {
  esperar 60 sh -c "xdotool search --name ' - LibreOffice Writer\$' >/dev/null"
}

# ---- Start-up -----------------------------------------------------------------
inicio=$(date +%s%N)
escritorio_lanzar "$renglero" --documento writer >"$ESCRITORIO/renglero.log" 2>&1
cuaderno_visible() { xdotool search --onlyvisible --name '^Renglero  -' >/dev/null 2>&1; }
esperar 60 cuaderno_visible ||
  { fallo "no aparece la ventana del cuaderno"; exit 1; }
echo "# ventana del cuaderno visible en $((($(date +%s%N) - inicio) / 1000000)) ms"
cuaderno=$(xdotool search --onlyvisible --name '^Renglero  -' | head -1)
escribir_writer || { fallo "el cuaderno no arranca Writer"; captura 01_arranque; exit 1; }
documento_cumple '.abierto' 60 || { fallo "Writer no tiene documento"; exit 1; }
ok "el cuaderno arranca Writer con su documento"
# The pupil starts in the notebook; if Writer came up in front, F11 brings it.
if ! esperar 8 activa_es "$cuaderno"; then
  f11
  esperar 5 activa_es "$cuaderno"
fi
comprobar "el cuaderno está delante al empezar" activa_es "$cuaderno"
esperar 8 alto_mayor "$cuaderno" 150
alto_abierto=$(alto "$cuaderno")
captura 01_arranque

# ---- F9: the worked sum into Writer -------------------------------------------
xdotool key --delay 120 1 2 5 Return 3 7 KP_Add 2 6 1 F9
comprobar "F9 escribe la suma hecha en Writer" documento_cumple \
  '.parrafos | index(["  125 ", "+  37 ", "——————", "  162 "]) != null'
captura 02_suma_enviada

# ---- T, 23, Enter: a 2 x 3 table -----------------------------------------------
xdotool key --delay 120 t 2 3 Return
comprobar "T, 23, Intro inserta una tabla de 2 x 3" documento_cumple \
  '.tablas | length == 1 and .[0].filas == 2 and .[0].columnas == 3'
captura 03_tabla
xdotool key Escape

# ---- F11 back and forth --------------------------------------------------------
f11
comprobar "F11 lleva a Writer" esperar 8 writer_delante
comprobar "con Writer delante el cuaderno se recoge" esperar 8 alto_menor "$cuaderno" "$alto_abierto"
# With Writer in front the cell mark is off; the look is taken once it is,
# so that the mark's shading never counts as a change of Writer's look.
sin_marca() { documento_cumple '[.tablas[].sombreadas[]] | length == 0' 5; }
comprobar "con Writer delante no queda ninguna celda sombreada" sin_marca
# Writer as it is now, above the notebook's strip, to compare afterwards.
corte=$(($(arriba "$cuaderno") - 40))
captura_writer "$capturas/writer_antes.png"
captura 04_writer_delante
vueltas_bien=0
for vuelta in 1 2 3; do
  modo=rapido
  [ "$vuelta" = 2 ] && modo=lento
  f11 "$modo"
  esperar 8 activa_es "$cuaderno" && esperar 5 alto_es "$cuaderno" "$alto_abierto" || {
    fallo "F11 ($modo, vuelta $vuelta) no trae el cuaderno abierto"
    continue
  }
  f11
  esperar 8 writer_delante || {
    fallo "F11 (vuelta $vuelta) no vuelve a Writer"
    continue
  }
  vueltas_bien=$((vueltas_bien + 1))
done
comprobar "F11 cambia en los dos sentidos tres veces seguidas" [ "$vueltas_bien" = 3 ]
esperar 8 alto_menor "$cuaderno" "$alto_abierto"
comprobar "tras las vueltas de F11 no queda ninguna celda sombreada" sin_marca
captura_writer "$capturas/writer_despues.png"
captura 05_tras_f11
# The cursor's blink may differ; a sidebar or a moved page is thousands.
distintos=$(diferencia "$capturas/writer_antes.png" "$capturas/writer_despues.png" \
  "$capturas/writer_diferencia.png")
comprobar "Writer no cambia de aspecto con F11 (panel lateral, página): $distintos píxeles" \
  [ "$distintos" -lt 2000 ]
# The keyboard is still in Writer's text: a letter typed lands in the table
# cell where its cursor stood.
xdotool key x
comprobar "el cursor de Writer sigue en su texto" documento_cumple \
  '[.tablas[].texto[][]] | any(contains("x"))' 5
xdotool key BackSpace
documento_cumple '[.tablas[].texto[][]] | all(contains("x") | not)' 5

# ---- A click in Writer leaves no shaded cell -----------------------------------
f11
esperar 8 activa_es "$cuaderno"
documento_cumple '[.tablas[].sombreadas[]] | length == 1' 5
captura 06_marca_con_el_cuaderno
xdotool mousemove 600 600 click 1
esperar 8 writer_delante
comprobar "un clic en Writer no deja ninguna celda sombreada" documento_cumple \
  '[.tablas[].sombreadas[]] | length == 0' 3
captura 07_clic_en_writer

# ---- A message box leaves the notebook open ------------------------------------
f11
esperar 8 activa_es "$cuaderno" && esperar 5 alto_es "$cuaderno" "$alto_abierto"
xdotool key KP_Add
caja_vista() { xdotool search --onlyvisible --name '^Renglero$' >/dev/null; }
comprobar "keypad + sobre una suma hecha muestra el mensaje" esperar 8 caja_vista
# Timer2 looks ten times a second: a second under the box is ten looks.
sigue_abierto=1
fin=$(($(date +%s%N) + 1000000000))
while [ "$(date +%s%N)" -lt "$fin" ]; do
  alto_es "$cuaderno" "$alto_abierto" || sigue_abierto=0
  sleep 0.05
done
captura 08_mensaje
comprobar "con el mensaje delante el cuaderno sigue abierto del todo" [ "$sigue_abierto" = 1 ]
xdotool key Return
esperar 8 activa_es "$cuaderno"

# ---- Ctrl+N in Writer, then F9 into the new document ---------------------------
f11
esperar 8 writer_delante
xdotool key ctrl+n
nuevo_delante() { nombre_activa | grep -q '^Untitled 2 - \|^Sin título 2 - '; }
esperar 10 nuevo_delante || fallo "Ctrl+N no abre un documento nuevo delante"
# The document in front must stay the new one (it was taken back after 2.5 s).
siguio=1
fin=$(($(date +%s%N) + 4000000000))
while [ "$(date +%s%N)" -lt "$fin" ]; do
  nuevo_delante || siguio=0
  sleep 0.1
done
comprobar "tras Ctrl+N el documento nuevo sigue delante" [ "$siguio" = 1 ]
captura 09_documento_nuevo
f11
esperar 8 activa_es "$cuaderno"
xdotool key F9
comprobar "F9 escribe en el documento nuevo: la suma y ninguna tabla" documento_cumple \
  '(.parrafos | index(["  125 "]) != null) and (.tablas | length == 0)'
captura 10_f9_en_el_nuevo
f11
esperar 8 nuevo_delante
comprobar "F11 trae el documento nuevo, no el anterior" nuevo_delante
captura 11_f11_al_nuevo

echo "# capturas en $capturas"
[ "$fallos" = 0 ] || { echo "$fallos comprobaciones fallidas"; exit 1; }
echo "todo bien"
