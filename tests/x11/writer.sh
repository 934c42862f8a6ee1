#!/usr/bin/env bash
# The real notebook beside a LibreOffice Writer with windows, on a desktop of
# its own (escritorio.sh), keys typed through the desktop, a section a step;
# openbox, the reference, also checks Writer's side more closely. With
# --abierto-antes: a Writer the pupil opened first (on openbox also stopped,
# then killed, under the notebook). Writer is read with LEER_WRITER; times
# are printed as "# ..." lines, a screenshot of each step left in CARPETA.
# Usage: writer.sh RENGLERO LEER_WRITER CARPETA [ESCRITORIO] [--abierto-antes]
set -u
renglero="$1"
leer_writer="$2"
capturas="${3:-.}"
clase="${4:-${RENGLERO_ESCRITORIO:-openbox}}"
abierto_antes="${5:-}"
source "$(dirname "$0")/escritorio.sh"
necesita Xvfb xdotool xprop import compare jq
soffice=$(command -v soffice || echo /usr/lib/libreoffice/program/soffice)
programa=$(dirname "$(readlink -f "$soffice")")
ls "$programa"/libvclplug_* >/dev/null 2>&1 || { echo "LibreOffice sin ventanas"; exit 77; }
mkdir -p "$capturas"
rm -f "$capturas"/*.png
ms_desde() { echo $(((${EPOCHREALTIME/./} - $1) / 1000)); }
inicio=${EPOCHREALTIME/./}
escritorio_arrancar "$clase" || { echo "FALLO: no arranca el escritorio $clase"; exit 1; }
echo "# escritorio $clase en marcha en $(ms_desde "$inicio") ms"
paso=0
captura() { paso=$((paso + 1)) && pantallazo "$capturas/$(printf '%02d' "$paso")_$1.png"; }
terminar() {
  cp "$ESCRITORIO/renglero.log" "$capturas/renglero.log" 2>/dev/null
  echo "# capturas y registro del cuaderno en $capturas"
  [ "$fallos" = 0 ] || {
    echo "# registro del cuaderno:"
    tail -n 20 "$ESCRITORIO/renglero.log" | sed 's/^/#   /'
    local lo
    lo=$(escritorio_libreoffice)
    echo "# LibreOffice: $([ -n "$lo" ] && ps -o pid=,stat=,time= -p "$lo" || echo no está en marcha)"
    # Where each of its threads waits, for a LibreOffice that hangs.
    [ -n "$lo" ] && echo "# hilos: $(for t in /proc/"$lo"/task/*; do echo "$(cat "$t/comm"):$(cat "$t/wchan")"; done 2>/dev/null | sort | uniq -c | paste -sd' ')"
    echo "# ventanas: $(xdotool search --onlyvisible --name . 2>/dev/null | xargs -rn1 xdotool getwindowname | paste -sd'|')"
    echo "$fallos comprobaciones fallidas en $clase"
    exit 1
  }
  echo "todo bien en $clase"
  exit 0
}
# The document read into documento.json; 1 when Writer cannot be read.
leer() { "$leer_writer" >"$ESCRITORIO/documento.json" 2>"$ESCRITORIO/leer.err"; }
documento() { leer && cat "$ESCRITORIO/documento.json"; }
cumple() { leer && jq -e "$1" "$ESCRITORIO/documento.json" >/dev/null; }
# Polls the document until the jq filter holds. A Writer that no longer
# answers would fail every check after this one, each at its deadline: the
# test ends here and says so.
documento_cumple() {
  esperar "${2:-10}" cumple "$1" && return 0
  grep -q "no responde" "$ESCRITORIO/leer.err" && { fallo "Writer no responde"; terminar; }
  return 1
}
# The document's text and tables, without the cell mark.
contenido() { documento | jq -c '{parrafos, tablas: [.tablas[] | del(.sombreadas)]}'; }
sin_marca() { documento_cumple '[.tablas[].sombreadas[]] | length == 0' "${1:-5}"; }
# Writer's windows, by their names.
de_writer=' - LibreOffice Writer$'
writer_delante() { nombre_activa | grep -q "$de_writer"; }
# The notebook in front: the desktop says so (_NET_ACTIVE_WINDOW) and it is
# open, not its collapsed strip.
cuaderno_delante() { activa_es "$cuaderno" && alto_es "$cuaderno" "$alto_abierto"; }
# f11_a DESTINO [MODO]: F11 (as f11 MODO), then up to 8 s for DESTINO_delante.
f11_a() { f11 "${2:-}" && esperar 8 "$1_delante"; }
# ---- Writer opened first, by the pupil ----------------------------------------
if [ "$abierto_antes" = "--abierto-antes" ]; then
  # As from the desktop's menu: no pipe, some text typed. On Wayland, an X11
  # one as the README tells (X11 sees no native one).
  escritorio_lanzar env $([ "$clase" = gnome-wayland ] && echo GDK_BACKEND=x11) \
    "$soffice" --writer --nologo
  esperar 60 ventana "$de_writer" >/dev/null || { fallo "Writer no se abre"; terminar; }
  # Writer drops keys for a while after its window shows: typed again, once its
  # status line (the word count) has settled, until that line changes.
  estado() { pantallazo -crop 250x20+180+780 +repage "$ESCRITORIO/$1.png"; }
  igual() { [ "$(compare -metric AE "$ESCRITORIO/$1.png" "$ESCRITORIO/$2.png" null: 2>&1 | cut -d' ' -f1)" -lt 10 ]; }
  asentado() { estado antes && sleep 0.5 && estado ahora && igual antes ahora; }
  cambiado() { estado ahora && ! igual antes ahora; }
  xdotool windowactivate --sync "$(ventana "$de_writer")"
  for _ in 1 2 3 4 5 6; do
    esperar 20 asentado
    # A click on the page, as the pupil's.
    pulsar mousemove 600 400 click 1
    pulsar type --delay 60 'Mi redaccion'
    pulsar key Return
    esperar 5 cambiado && break
  done
  captura writer_abierto_antes
fi

# ---- Start-up: the notebook keeps the keyboard while Writer comes up ----------
inicio=${EPOCHREALTIME/./}
# Without a locale set, the document Writer opens is Spanish all the same.
LC_ALL=C.UTF-8 \
  QT_LOGGING_RULES="renglero.x11.debug=true;renglero.writer.debug=true;renglero.mensajes.debug=true;renglero.eventos.debug=true" \
  escritorio_lanzar "$renglero" --documento writer >"$ESCRITORIO/renglero.log" 2>&1
cuaderno=$(esperar 60 ventana '^Renglero  -') ||
  { fallo "no aparece la ventana del cuaderno"; terminar; }
echo "# ventana del cuaderno visible en $(ms_desde "$inicio") ms"
esperar 90 ventana "$de_writer" >/dev/null ||
  { fallo "el cuaderno no arranca Writer"; captura arranque; terminar; }
documento_cumple '.abierto' 60 || { fallo "Writer no tiene documento"; terminar; }
ventana '^Documento1 - Renglero$' >/dev/null && { fallo "el cuaderno usa su propio documento"; terminar; }
ok "el cuaderno arranca Writer con su documento"
[ -n "$abierto_antes" ] ||
  comprobar "el documento que abre Writer está en español" documento_cumple '.idioma == "es-ES"'
esperar 10 alto_mayor "$cuaderno" 150
alto_abierto=$(alto "$cuaderno")
# Writer's window comes up seconds after it answers, and some window managers
# give it the keyboard then: the notebook must have it, and keep it.
cuaderno_asentado() { cuaderno_delante && sigue 2 cuaderno_delante; }
comprobar "Writer no queda delante del cuaderno al arrancar" esperar 20 cuaderno_asentado
captura arranque

if [ "$abierto_antes" = "--abierto-antes" ]; then
  un_documento() { [ "$(xdotool search --onlyvisible --name "$de_writer" | wc -l)" = 1 ]; }
  comprobar "el Writer abierto antes conserva su documento" documento_cumple \
    '.parrafos | any(test("Mi redaccion"))' 5
  comprobar "y no abre otro" un_documento
  pulsar key --delay 120 1 2 5 Return 3 7 KP_Add 2 6 1 F9
  comprobar "F9 escribe en el documento del Writer abierto antes" documento_cumple \
    '(.parrafos | any(test("Mi redaccion"))) and (.parrafos | index(["  125 "]) != null)'
  captura f9_en_el_abierto_antes
  # Writer stopped and killed: the notebook's own doing, the same everywhere.
  [ "$clase" = openbox ] || terminar

  # ---- Writer stopped during F9: the notebook answers and loses nothing -------
  detenido() { [ "$(cut -d' ' -f3 "/proc/$1/stat" 2>/dev/null)" = T ]; }
  caja() { ventana '^Renglero$' >/dev/null; }
  cerrar_caja() { pulsar key Return && esperar 5 no caja; }
  # The message box shown since line DESDE of the notebook's log.
  dijo() { tail -n +"$1" "$ESCRITORIO/renglero.log" | grep -q "mensaje: $2"; }
  # dice QUE MENSAJE TECLA...: the keys make the notebook show MENSAJE.
  dice() {
    local desde=$(($(wc -l <"$ESCRITORIO/renglero.log") + 1))
    pulsar key --delay 30 "${@:3}"
    comprobar "$1" esperar 10 dijo "$desde" "$2"
  }
  confirmar_es() { xdotool search --onlyvisible --name "^Renglero  -  Confirmar: $1" >/dev/null 2>&1; }
  sumas() { documento | jq '[.parrafos[] | select(. == "  162 ")] | length'; }
  # F9 until the document holds one sum more than now and no 9 typed meanwhile;
  # a message box (Writer not answering yet, or starting) closed first.
  f9_y_suma() { caja && cerrar_caja; pulsar key F9 && esperar 3 cumple "$filtro"; }
  f9_otra_suma() {
    local filtro="([.parrafos[] | select(. == \"  162 \")] | length == $(($(sumas) + 1)))
      and ([.parrafos[] | select(test(\"9\"))] | length == 0)"
    esperar "$1" f9_y_suma
  }
  pid=$(escritorio_libreoffice)
  [ -n "$pid" ] || { fallo "no se encuentra el LibreOffice de este escritorio"; terminar; }
  kill -STOP "$pid"
  esperar 10 detenido "$pid"
  inicio=${EPOCHREALTIME/./}
  # Digits typed while F9 waits must not run afterwards unseen.
  dice "con Writer detenido, F9 dice que no responde" "LibreOffice Writer no responde." F9 9 9
  echo "# mensaje de F9 con Writer detenido: $(ms_desde "$inicio") ms"
  captura no_responde
  cerrar_caja
  # The keyboard goes back to the notebook a moment after the box: a key
  # before that would go nowhere.
  esperar 5 enfocado "$cuaderno"
  inicio=${EPOCHREALTIME/./}
  pulsar key c
  comprobar "con Writer detenido, el cuaderno atiende sus teclas (C)" esperar 10 confirmar_es Sí
  echo "# tecla C atendida con Writer detenido: $(ms_desde "$inicio") ms"
  pulsar key c
  esperar 10 confirmar_es No
  comprobar "Writer seguía detenido mientras tanto" detenido "$pid"
  kill -CONT "$pid"
  comprobar "Writer sigue: F9 escribe la misma suma, sin los 9 tecleados" f9_otra_suma 30
  captura writer_sigue

  # ---- Writer killed: said so, started again by the next F9 -------------------
  kill -KILL "$pid"
  esperar 10 muerto "$pid"
  dice "F9 dice que Writer se ha cerrado" "LibreOffice Writer se ha cerrado." F9
  comprobar "y no lo arranca por sí mismo" [ -z "$(escritorio_libreoffice)" ]
  cerrar_caja
  dice "el F9 siguiente arranca Writer y lo dice" \
    "LibreOffice Writer todavía se está iniciando." F9
  pulsar key Return
  # Writer's recovery offers the document back; the notebook opens none.
  hay_recuperacion() { ventana 'Document Recovery$' >/dev/null; }
  comprobar "Writer arranca de nuevo y ofrece recuperar el documento" esperar 120 hay_recuperacion
  captura recuperacion
  # The pupil takes it: Start, then Finish in its place (bottom right).
  for _ in 1 2 3 4 5; do
    hay_recuperacion || break
    eval "$(xdotool getwindowgeometry --shell "$(ventana 'Document Recovery$')")"
    pulsar mousemove $((X + WIDTH - 150)) $((Y + HEIGHT - 30)) click 1
    esperar 15 no hay_recuperacion
  done
  comprobar "Writer abre el documento recuperado" documento_cumple '.abierto' 60
  comprobar "F11 trae el cuaderno" f11_a cuaderno
  comprobar "F9 escribe en él la suma que el cuaderno conservaba" f9_otra_suma 60
  comprobar "con un solo documento en Writer" un_documento
  captura documento_recuperado
  terminar
fi

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
comprobar "F11 lleva a Writer" f11_a writer
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
comprobar "F11 desde Writer tras teclear en él trae el cuaderno (_NET_ACTIVE_WINDOW)" f11_a cuaderno
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
vueltas_bien=0 marca_con_writer=0
modos=(lento rapido)
for vuelta in $(seq 10); do
  modo=${modos[vuelta % 2]}
  f11_a writer "$modo" || { fallo "F11 ($modo, vuelta $vuelta) no lleva a Writer"; continue; }
  [ "$vuelta" = 1 ] || [ "$vuelta" = 10 ] && { sin_marca 5 || marca_con_writer=1; }
  f11_a cuaderno || { fallo "F11 (vuelta $vuelta) no vuelve al cuaderno"; continue; }
  vueltas_bien=$((vueltas_bien + 1))
done
comprobar "F11 cambia en los dos sentidos diez veces seguidas" [ "$vueltas_bien" = 10 ]
comprobar "en las vueltas no queda ninguna celda sombreada con Writer delante" \
  [ "$marca_con_writer" = 0 ]
comprobar "el cuaderno ve cómo la ventana de Writer pasa delante y detrás" \
  [ "$(grep -oE 'Writer (des)?activada' "$ESCRITORIO/renglero.log" | sort -u | wc -l)" = 2 ]
captura tras_diez_vueltas

# ---- Two quick taps switch once, to Writer and back -------------------------------
for destino in Writer cuaderno; do
  comprobar "dos toques rápidos cambian una vez: $destino delante" f11_a "${destino,}" dos
  comprobar "y $destino sigue delante" sigue 1 "${destino,}_delante"
  captura "dos_toques_a_$destino"
done

[ "$clase" = openbox ] || terminar

# ---- Writer's look and cursor are left alone by F11 ----------------------------
diferencia() { compare -metric AE -fuzz 10% "$1" "$2" "${3:-null:}" 2>&1 | cut -d' ' -f1 | cut -d. -f1; }
# Writer's page and sidebar, under its toolbars and ruler (which follow the
# cursor, late) and above the notebook's strip, once two looks 0.3 s apart
# differ by no more than the cursor's blink.
writer_quieto() {
  cp "$1" "$ESCRITORIO/previa.png"
  sleep 0.3
  pantallazo -crop "$zona" +repage "$1"
  [ "$(diferencia "$ESCRITORIO/previa.png" "$1")" -lt 300 ]
}
captura_writer() { pantallazo -crop "$zona" +repage "$1" && esperar 8 writer_quieto "$1"; }
f11_a writer
esperar 8 alto_menor "$cuaderno" "$alto_abierto"
zona="1280x$(($(arriba "$cuaderno") - 40 - 150))+0+150"
captura_writer "$ESCRITORIO/writer_antes.png"
for destino in cuaderno writer cuaderno writer; do
  f11_a "$destino"
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
f11_a cuaderno
pulsar key --delay 120 Escape 1 2 5 F9
comprobar "F9 escribe en el documento nuevo: la suma y ninguna tabla" documento_cumple \
  '(.parrafos | index(["125"]) != null) and (.tablas | length == 0)'
captura f9_en_el_nuevo
comprobar "F11 trae el documento nuevo, no el anterior" f11_a nuevo
captura f11_al_nuevo
terminar
