# A desktop of one's own for the X11 tests and benchmarks, to be sourced:
# Xvfb on a display number it picks itself (pantalla.sh), openbox on it, and a
# private HOME and XDG_RUNTIME_DIR (mode 0700), so that LibreOffice's profile
# and the notebook's pipe are nobody else's. Everything started here is
# stopped by its process id at exit; nothing waits on a fixed sleep.
#
#   escritorio_arrancar        sets DISPLAY, HOME, XDG_RUNTIME_DIR, ESCRITORIO
#   esperar SEGUNDOS ORDEN...  (pantalla.sh) polls ORDEN until it succeeds
#   escritorio_lanzar ORDEN... starts a program, stopped at exit with all
#                              it started (LibreOffice too)
#   escritorio_recoger PID     a process to stop at exit
#   escritorio_detener         stops them all (also run at exit)
#   activa, alto, arriba ...   the windows on this desktop, by id

source "$(dirname "${BASH_SOURCE[0]}")/pantalla.sh"

ESCRITORIO=""
ESCRITORIO_PIDS=()

escritorio_recoger() {
  ESCRITORIO_PIDS+=("$1")
}

# Starts a program on this desktop and keeps it for the end; what it starts
# in turn (LibreOffice, which the notebook starts and never waits for) is
# found later by a mark in its environment, which children inherit.
escritorio_lanzar() {
  ESCRITORIO_PROGRAMA="$ESCRITORIO" "$@" &
  escritorio_recoger $!
}

escritorio_procesos_propios() {
  local p
  for p in /proc/[0-9]*; do
    { tr '\0' '\n' <"$p/environ"; } 2>/dev/null | grep -qx "ESCRITORIO_PROGRAMA=$ESCRITORIO" &&
      echo "${p#/proc/}"
  done
}

escritorio_sin_procesos() { [ -z "$(escritorio_procesos_propios)" ]; }

escritorio_detener() {
  local pid propios
  for ((i = ${#ESCRITORIO_PIDS[@]} - 1; i >= 0; i--)); do
    kill "${ESCRITORIO_PIDS[$i]}" 2>/dev/null
  done
  if [ -n "$ESCRITORIO" ]; then
    propios=$(escritorio_procesos_propios)
    [ -n "$propios" ] && kill $propios 2>/dev/null
    esperar 5 escritorio_sin_procesos
    propios=$(escritorio_procesos_propios)
    [ -n "$propios" ] && kill -9 $propios 2>/dev/null
  fi
  for pid in "${ESCRITORIO_PIDS[@]}"; do
    wait "$pid" 2>/dev/null
  done
  ESCRITORIO_PIDS=()
  # A LibreOffice killed leaves the socket of the pipe named there behind.
  if [ -n "$ESCRITORIO" ] && [ -f "$ESCRITORIO/ejecucion/renglero/tubo" ]; then
    rm -f "/tmp/OSL_PIPE_$(id -u)_$(head -n 1 "$ESCRITORIO/ejecucion/renglero/tubo")"
  fi
  [ -n "$ESCRITORIO" ] && rm -rf "$ESCRITORIO"
  ESCRITORIO=""
}

escritorio_arrancar() {
  ESCRITORIO=$(mktemp -d /tmp/renglero-escritorio.XXXXXX) || return 1
  mkdir -p "$ESCRITORIO/casa" "$ESCRITORIO/ejecucion"
  chmod 0700 "$ESCRITORIO/casa" "$ESCRITORIO/ejecucion"
  export HOME="$ESCRITORIO/casa"
  export XDG_RUNTIME_DIR="$ESCRITORIO/ejecucion"
  export XDG_CONFIG_HOME="$HOME/.config"
  trap escritorio_detener EXIT
  # A server and window manager that do not come up (seen once in many runs
  # on a loaded machine, with no trace) are started afresh once; what went
  # wrong is written out for whoever reads the test's output.
  local intento
  for intento in 1 2; do
    arrancar_xvfb || { echo "# Xvfb no arranca (intento $intento)" >&2; continue; }
    local xvfb=$pid_xvfb
    openbox >"$ESCRITORIO/openbox.log" 2>&1 &
    local gestor=$!
    # The window manager is up once it has named itself on the root window.
    if esperar 20 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"'; then
      escritorio_recoger "$xvfb"
      escritorio_recoger "$gestor"
      return 0
    fi
    echo "# openbox no arranca en $DISPLAY (intento $intento):" >&2
    sed 's/^/#   /' "$ESCRITORIO/openbox.log" >&2
    kill "$gestor" "$xvfb" 2>/dev/null
    wait "$gestor" "$xvfb" 2>/dev/null
  done
  return 1
}

# The windows on this desktop, by id: which one is active, where and how tall.
activa() { xdotool getactivewindow 2>/dev/null; }
activa_es() { [ "$(activa)" = "$1" ]; }
alto() { xdotool getwindowgeometry "$1" | awk '/Geometry/ { split($2, g, "x"); print g[2] }'; }
arriba() { xdotool getwindowgeometry "$1" | awk '/Position/ { split($2, p, ","); print p[2] }'; }
alto_es() { [ "$(alto "$1")" -eq "$2" ]; }
alto_mayor() { [ "$(alto "$1")" -gt "$2" ]; }
alto_menor() { [ "$(alto "$1")" -lt "$2" ]; }
