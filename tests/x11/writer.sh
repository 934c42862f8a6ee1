#!/usr/bin/env bash
# The real notebook beside a LibreOffice Writer with windows, on a desktop of
# its own (escritorio.sh: openbox, Xfce's, MATE's, Plasma's or GNOME's window
# manager), used as a pupil uses it, keys typed through the desktop: Writer
# coming up without taking the keyboard, the worked 125 + 37 sent with F9, a
# table inserted with T, F11 from Writer after typing there putting the
# keyboard in the notebook, ten round trips, two quick taps switching once,
# no shaded cell while Writer is in front. On openbox also: Writer's look kept
# by F11, Ctrl+N in Writer and F9 into the new document. What Writer holds is
# read with LEER_WRITER; a screenshot of each step is left in CARPETA.
# Usage: writer.sh RENGLERO LEER_WRITER CARPETA [ESCRITORIO]
set -u
renglero="$1"
leer_writer="$2"
capturas="${3:-.}"
clase="${4:-${RENGLERO_ESCRITORIO:-openbox}}"
source "$(dirname "$0")/escritorio.sh"

# What the test itself needs; a desktop whose programs are missing is a
# broken setup, not a test to skip (scripts/preparar.sh installs them).
for orden in Xvfb xdotool xprop import compare jq; do
  command -v "$orden" >/dev/null || { echo "falta $orden"; exit 77; }
done
for orden in $(escritorio_paquetes "$clase"); do
  command -v "$orden" >/dev/null ||
    { echo "FALLO: falta $orden para el escritorio $clase (scripts/preparar.sh lo instala)"; exit 1; }
done
soffice=$(command -v soffice || echo /usr/lib/libreoffice/program/soffice)
programa=$(dirname "$(readlink -f "$soffice")")
ls "$programa"/libvclplug_* >/dev/null 2>&1 || { echo "LibreOffice sin ventanas"; exit 77; }
mkdir -p "$capturas"
rm -f "$capturas"/*.png

inicio=${EPOCHREALTIME/./}
escritorio_arrancar "$clase" || { echo "FALLO: no arranca el escritorio $clase"; exit 1; }
echo "# escritorio $clase en marcha en $(((${EPOCHREALTIME/./} - inicio) / 1000)) ms"

fallos=0
ok() { echo "ok - $*"; }
fallo() {
  echo "FALLO - $* (delante: $(nombre_activa))"
  fallos=$((fallos + 1))
}
comprobar() {
  local que="$1"
  shift
  if "$@"; then ok "$que"; else fallo "$que"; fi
}
paso=0
captura() {
  paso=$((paso + 1))
  pantallazo "$capturas/$(printf '%02d' "$paso")_$1.png"
}
terminar() {
  cp "$ESCRITORIO/renglero.log" "$capturas/renglero.log" 2>/dev/null
  echo "# capturas y registro del cuaderno en $capturas"
  [ "$fallos" = 0 ] || {
    echo "# registro del cuaderno:"
    tail -n 20 "$ESCRITORIO/renglero.log" | sed 's/^/#   /'
    echo "$fallos comprobaciones fallidas en $clase"
    exit 1
  }
  echo "todo bien en $clase"
  exit 0
}

documento() { "$leer_writer" 2>/dev/null; }
# Polls the document until the jq filter holds.
documento_cumple() { esperar "${2:-10}" sh -c "'$leer_writer' 2>/dev/null | jq -e '$1' >/dev/null"; }
# The document's text and tables, without the cell mark and the cursor.
contenido() { documento | jq -c '{parrafos, tablas: [.tablas[] | del(.sombreadas)]}'; }
sin_marca() { documento_cumple '[.tablas[].sombreadas[]] | length == 0' "${1:-5}"; }

writer_delante() { nombre_activa | grep -q ' - LibreOffice Writer$'; }
nombre_activa() { xdotool getactivewindow getwindowname 2>/dev/null; }
# The notebook in front: the desktop says so (_NET_ACTIVE_WINDOW) and it is
# open, not its collapsed strip.
cuaderno_delante() { activa_es "$cuaderno" && alto_es "$cuaderno" "$alto_abierto"; }
# ---- Start-up: the notebook keeps the keyboard while Writer comes up ----------
inicio=${EPOCHREALTIME/./}
QT_LOGGING_RULES="renglero.x11.debug=true;renglero.writer.debug=true" \
  escritorio_lanzar "$renglero" --documento writer >"$ESCRITORIO/renglero.log" 2>&1
esperar 60 ventana '^Renglero  -' >/dev/null || { fallo "no aparece la ventana del cuaderno"; terminar; }
echo "# ventana del cuaderno visible en $(((${EPOCHREALTIME/./} - inicio) / 1000)) ms"
cuaderno=$(ventana '^Renglero  -')
esperar 90 ventana ' - LibreOffice Writer$' >/dev/null ||
  { fallo "el cuaderno no arranca Writer"; captura arranque; terminar; }
documento_cumple '.abierto' 60 || { fallo "Writer no tiene documento"; terminar; }
ventana '^Documento1 - Renglero$' >/dev/null && { fallo "el cuaderno usa su propio documento"; terminar; }
ok "el cuaderno arranca Writer con su documento"
esperar 10 alto_mayor "$cuaderno" 150
alto_abierto=$(alto "$cuaderno")
# Writer's window comes up seconds after it answers; some window managers
# give it the keyboard then. The notebook must have it, and keep it.
cuaderno_asentado() { cuaderno_delante && sigue 2 cuaderno_delante; }
comprobar "Writer no queda delante del cuaderno al arrancar" esperar 20 cuaderno_asentado
captura arranque

# ---- F9 and T: the worked sum and a 2 x 3 table into Writer --------------------
pulsar key --delay 120 1 2 5 Return 3 7 KP_Add 2 6 1 F9
comprobar "F9 escribe la suma hecha en Writer" documento_cumple \
  '.parrafos | index(["  125 ", "+  37 ", "——————", "  162 "]) != null'
pulsar key --delay 120 t 2 3 Return
comprobar "T, 23, Intro inserta una tabla de 2 x 3" documento_cumple \
  '.tablas | length == 1 and .[0].filas == 2 and .[0].columnas == 3'
pulsar key Escape
documento_cumple '[.tablas[].sombreadas[]] | length == 1' 5
captura suma_y_tabla

# ---- F11 to Writer: no shaded cell while it is in front -----------------------
f11
comprobar "F11 lleva a Writer" esperar 8 writer_delante
comprobar "con Writer delante el cuaderno se recoge" esperar 8 alto_menor "$cuaderno" "$alto_abierto"
comprobar "con Writer delante no queda ninguna celda sombreada" sin_marca
captura writer_delante

# ---- Typing in Writer, then F11: the keyboard is the notebook's ----------------
pulsar type --delay 60 'abc'
comprobar "lo tecleado en Writer llega a Writer" documento_cumple \
  '[.tablas[].texto[][]] | any(contains("abc"))' 5
# Past the table, in an empty paragraph, where F9 writes.
pulsar key ctrl+End ctrl+End
antes=$(contenido)
f11
comprobar "F11 desde Writer tras teclear en él trae el cuaderno (_NET_ACTIVE_WINDOW)" \
  esperar 8 cuaderno_delante
comprobar "el cuaderno sigue delante" sigue 1 cuaderno_delante
# An addition laid out in the notebook and sent with F9: keys of it that
# reached Writer would stand in the document before what F9 wrote.
pulsar key --delay 120 Escape 4 Return 5 KP_Add 9 F9
comprobar "el + del teclado numérico preparó la suma en el cuaderno (F9 la escribe)" \
  documento_cumple '.parrafos | any(test("^[+] +5 *$"))'
teclas_no_en_writer() {
  local despues
  despues=$(contenido)
  jq -e --argjson antes "$antes" '($antes.parrafos | length) as $n | .tablas == $antes.tablas and
    .parrafos[:$n] == $antes.parrafos[:$n] and (.parrafos[$n:$n + 2] | join("|") | test("^ *4 *[|][+] +5 *$"))' \
    <<<"$despues" >/dev/null || { echo "# antes: $antes"$'\n'"# después: $despues" && return 1; }
}
comprobar "las teclas no llegan a Writer: su texto no cambia" teclas_no_en_writer
captura suma_preparada_enviada

# ---- Ten round trips ------------------------------------------------------------
vueltas_bien=0
marca_con_writer=0
for vuelta in $(seq 10); do
  modo=rapido
  [ $((vuelta % 2)) = 0 ] && modo=lento
  f11 "$modo"
  esperar 8 writer_delante || {
    fallo "F11 ($modo, vuelta $vuelta) no lleva a Writer"
    continue
  }
  [ "$vuelta" = 1 ] || [ "$vuelta" = 10 ] && { sin_marca 5 || marca_con_writer=1; }
  f11
  esperar 8 cuaderno_delante || {
    fallo "F11 (vuelta $vuelta) no vuelve al cuaderno"
    continue
  }
  vueltas_bien=$((vueltas_bien + 1))
done
comprobar "F11 cambia en los dos sentidos diez veces seguidas" [ "$vueltas_bien" = 10 ]
comprobar "en las vueltas no queda ninguna celda sombreada con Writer delante" \
  [ "$marca_con_writer" = 0 ]
captura tras_diez_vueltas

# ---- Two quick taps switch once --------------------------------------------------
f11 dos
comprobar "dos toques rápidos en el cuaderno cambian una vez (a Writer)" \
  esperar 8 writer_delante
comprobar "y Writer sigue delante" sigue 1 writer_delante
captura dos_toques_a_writer
f11 dos
comprobar "dos toques rápidos en Writer cambian una vez (al cuaderno)" \
  esperar 8 cuaderno_delante
comprobar "y el cuaderno sigue delante" sigue 1 cuaderno_delante
captura dos_toques_al_cuaderno

[ "$clase" = openbox ] || terminar

# ---- Writer's look and cursor are left alone by F11 ----------------------------
diferencia() {
  compare -metric AE -fuzz 10% "$1" "$2" "${3:-null:}" 2>&1 | cut -d' ' -f1 | cut -d. -f1
}
# Writer's page and sidebar, under its toolbars and ruler (which follow the
# cursor's place, and late) and above the notebook's strip, once settled:
# two looks in a row that differ by no more than the cursor's blink.
captura_writer() {
  local previa="$ESCRITORIO/previa.png" limite=$(($(date +%s%N) + 8000000000))
  local zona="1280x$((corte - 150))+0+150"
  pantallazo -crop "$zona" +repage "$previa"
  while [ "$(date +%s%N)" -lt "$limite" ]; do
    sleep 0.3
    pantallazo -crop "$zona" +repage "$1"
    [ "$(diferencia "$previa" "$1")" -lt 300 ] && return 0
    cp "$1" "$previa"
  done
  return 1
}
f11
esperar 8 writer_delante
esperar 8 alto_menor "$cuaderno" "$alto_abierto"
corte=$(($(arriba "$cuaderno") - 40))
captura_writer "$ESCRITORIO/writer_antes.png"
for _ in 1 2; do
  f11
  esperar 8 cuaderno_delante
  f11
  esperar 8 writer_delante
done
esperar 8 alto_menor "$cuaderno" "$alto_abierto"
captura_writer "$ESCRITORIO/writer_despues.png"
# The cursor's blink may differ; a sidebar or a moved page is thousands.
distintos=$(diferencia "$ESCRITORIO/writer_antes.png" "$ESCRITORIO/writer_despues.png" \
  "$capturas/writer_diferencia.png")
comprobar "Writer no cambia de aspecto con F11 (panel lateral, página): $distintos píxeles" \
  [ "$distintos" -lt 2000 ]

# ---- Ctrl+N in Writer (in front), then F9 into the new document ----------------
pulsar key ctrl+n
nuevo_delante() { nombre_activa | grep -q '^Untitled 2 - \|^Sin título 2 - '; }
esperar 10 nuevo_delante || fallo "Ctrl+N no abre un documento nuevo delante"
# The document in front must stay the new one (it was taken back after 2.5 s).
comprobar "tras Ctrl+N el documento nuevo sigue delante" sigue 4 nuevo_delante
captura documento_nuevo
f11
esperar 8 cuaderno_delante
pulsar key --delay 120 Escape 1 2 5 F9
comprobar "F9 escribe en el documento nuevo: la suma y ninguna tabla" documento_cumple \
  '(.parrafos | index(["125"]) != null) and (.tablas | length == 0)'
captura f9_en_el_nuevo
f11
comprobar "F11 trae el documento nuevo, no el anterior" esperar 8 nuevo_delante
captura f11_al_nuevo

terminar
