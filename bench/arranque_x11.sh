#!/usr/bin/env bash
# The real program on an X server (Xvfb) with a window manager, on a desktop
# of its own: start to visible window with the embedded document, with a
# LibreOffice Writer listening, and with Writer not running (medians); and,
# when LEER_WRITER is given, F9 of a full Texto page into the windowed Writer
# (median, from the key to the block in the document).
# Usage: arranque_x11.sh RENGLERO [LEER_WRITER] [VECES]
set -u
renglero="$1"
leer_writer="${2:-}"
veces="${3:-9}"
source "$(dirname "$0")/../tests/x11/escritorio.sh"
for orden in Xvfb openbox xdotool xprop; do
  command -v "$orden" >/dev/null || { echo "falta $orden"; exit 0; }
done
escritorio_arrancar || { echo "no arranca el escritorio"; exit 1; }

mediana() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }
ventana_visible() { xdotool search --onlyvisible --name '^Renglero  -' >/dev/null 2>&1; }
visible_o_terminado() { ventana_visible || ! kill -0 "$pid" 2>/dev/null; }
leer_responde() { "$leer_writer" >/dev/null 2>&1; }
sin_libreoffice() { [ -z "$(escritorio_libreoffice)" ]; }
# Writer stopped (not the desktop's window manager, also one of its own
# processes), and the documents it was stopped with forgotten: the next start
# is not held by Writer's offer to recover them.
parar_writer() {
  local pid_writer
  pid_writer=$(escritorio_libreoffice)
  [ -n "$pid_writer" ] && kill "$pid_writer" 2>/dev/null
  esperar 20 sin_libreoffice
  sed -i '/RecoveryList/d' "$HOME/.config/libreoffice/4/user/registrymodifications.xcu" 2>/dev/null
}

# Start to visible window, VECES times; the program is ended after each.
arranques() {
  local documento="$1" n="$2" antes="$3" tiempos=() inicio fin pid
  for _ in $(seq "$n"); do
    $antes
    inicio=$(date +%s%N)
    ESCRITORIO_PROGRAMA="$ESCRITORIO" "$renglero" --documento "$documento" \
      >"$ESCRITORIO/renglero.log" 2>&1 &
    pid=$!
    # Polled every 20 ms: the figure is no finer. A program that ended
    # stops the wait at once.
    esperar 60 visible_o_terminado
    fin=$(date +%s%N)
    # Each run lives a moment, as a pupil's does: the next start is not
    # measured while LibreOffice still drops a connection cut halfway.
    sleep 1
    if ! ventana_visible; then
      kill "$pid" 2>/dev/null
      wait "$pid"
      echo "la ventana no aparece (el programa termina con $?: $(tail -3 "$ESCRITORIO/renglero.log"))"
      return 1
    fi
    kill "$pid"
    wait "$pid" 2>/dev/null
    tiempos+=($(((fin - inicio) / 1000000)))
  done
  echo "$(mediana "${tiempos[@]}") ms (${tiempos[*]})"
}

echo "arranque hasta la ventana visible, documento propio: $(arranques propio "$veces" :)"
if [ -z "$leer_writer" ]; then exit 0; fi

# Writer not running: each start has to bring it up (it is stopped before).
echo "arranque hasta la ventana visible, Writer sin arrancar: $(arranques writer 5 parar_writer)"
# LibreOffice's window may come up in front a moment after it answers.
writer_visible() { xdotool search --onlyvisible --name ' - LibreOffice Writer$' >/dev/null 2>&1; }
# The focus has settled: the same window active for a second (from the
# first look on).
activa_antes=""
quieta_desde=0
foco_quieto() {
  local ahora
  ahora=$(xdotool getactivewindow 2>/dev/null)
  if [ "$ahora" != "$activa_antes" ]; then
    activa_antes=$ahora
    quieta_desde=$(date +%s%N)
  fi
  [ $(($(date +%s%N) - quieta_desde)) -gt 1000000000 ]
}
# Writer listening: the last start left it running; it is measured once
# LibreOffice has settled (its window up, the focus still).
esperar 60 leer_responde || { echo "Writer no responde"; exit 1; }
esperar 30 writer_visible
activa_antes=""
esperar 15 foco_quieto
echo "arranque hasta la ventana visible, Writer escuchando: $(arranques writer "$veces" :)"

# ---- F9 of a full Texto page into the windowed Writer ------------------------
# On a Writer of its own, started by the notebook as a pupil's would be.
parar_writer
escritorio_lanzar "$renglero" --documento writer >/dev/null 2>&1
esperar 60 ventana_visible
cuaderno=$(xdotool search --onlyvisible --name '^Renglero  -' | head -1)
esperar 30 leer_responde
esperar 30 writer_visible
activa_antes=""
esperar 15 foco_quieto
# The keys are the notebook's once it is active again.
xdotool windowactivate --sync "$cuaderno" 2>/dev/null
esperar 5 activa_es "$cuaderno" || { echo "el cuaderno no se activa"; exit 1; }
# Texto mode; the first row typed, then copied through the memory line to
# every row below (F1 takes the row, F2 gives it).
xdotool key --delay 120 ccedilla Up Up
xdotool type --delay 15 'Un renglon de texto para la prueba del envio: 3 + 4 = 7, abc'
xdotool key --delay 60 Home F1
for _ in $(seq 49); do xdotool key --delay 40 Down F2; done
filas=$("$leer_writer" | jq '.parrafos | length')
[ "$filas" = 1 ] || { echo "el documento de Writer no está vacío: ¿teclas perdidas?"; exit 1; }
tiempos=()
for _ in $(seq 5); do
  # The block comes in one insertion: any new paragraph means all of it.
  esperado=$((filas + 2))
  exec 4< <("$leer_writer" --esperar-parrafos "$esperado")
  read -r listo <&4
  inicio=$(date +%s%N)
  xdotool key F9
  read -r fin <&4
  exec 4<&-
  [ -n "$fin" ] || { echo "F9 no llegó a Writer"; break; }
  tiempos+=($(((fin - inicio) / 1000000)))
  filas=$("$leer_writer" | jq '.parrafos | length')
done
[ ${#tiempos[@]} -gt 0 ] &&
  echo "F9 de una página de Texto llena en Writer con ventanas: mediana $(mediana "${tiempos[@]}") ms (${tiempos[*]}), $filas párrafos al final"
