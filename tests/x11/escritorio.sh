# A desktop of one's own for the X11 tests and benchmarks, to be sourced:
# Xvfb on a display number it picks itself (pantalla.sh), a window manager on
# it, and a private HOME, XDG_RUNTIME_DIR (mode 0700) and session bus, so that
# LibreOffice's profile and the notebook's pipe are nobody else's. Everything
# started here is stopped by its process id at exit; nothing waits on a fixed
# sleep.
#
#   escritorio_arrancar [CLASE]  sets DISPLAY, HOME, XDG_RUNTIME_DIR,
#                              ESCRITORIO; CLASE (default $RENGLERO_ESCRITORIO,
#                              else openbox) is one of
#                                openbox  xfwm4 (Xfce)  marco (MATE)
#                                kwin (Plasma on X11)  gnome-x11 (GNOME on Xorg)
#                                gnome-wayland (GNOME on Wayland, nested in
#                                Xvfb, the X11 programs on its XWayland)
#   escritorio_paquetes CLASE  the programs that CLASE needs
#   esperar SEGUNDOS ORDEN...  (pantalla.sh) polls ORDEN until it succeeds
#   escritorio_lanzar ORDEN... starts a program, stopped at exit with all
#                              it started (LibreOffice too)
#   escritorio_recoger PID     a process to stop at exit
#   escritorio_detener         stops them all (also run at exit)
#   pulsar ARGS...             xdotool on the screen the pupil's keyboard and
#                              mouse are on (key, type, mousemove, click): on
#                              a nested Wayland desktop they pass through the
#                              compositor as a real keyboard's would
#   pantallazo FICHERO         a screenshot of what the pupil sees
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
  grep -lzx "ESCRITORIO_PROGRAMA=$ESCRITORIO" /proc/[0-9]*/environ 2>/dev/null |
    cut -d/ -f3 | grep -vx "$BASHPID"
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

# The programs that each desktop needs, for a test to say what is missing.
escritorio_paquetes() {
  case "$1" in
  openbox) echo Xvfb openbox ;;
  xfwm4) echo Xvfb xfwm4 dbus-launch ;;
  marco) echo Xvfb marco dbus-launch ;;
  kwin) echo Xvfb kwin_x11 dbus-launch ;;
  gnome-x11 | gnome-wayland) echo Xvfb gnome-shell dbus-launch dbus-daemon unshare gdbus ;;
  *) return 1 ;;
  esac
}

# A program of the desktop's own, marked as the programs it starts are.
escritorio_propio() {
  ESCRITORIO_PROGRAMA="$ESCRITORIO" "$@"
}

# GNOME Shell takes systemd-logind when /run/systemd/seats exists and wants a
# system bus (for UPower and others): it runs where /run/systemd is empty (a
# mount namespace of its own) with a private bus standing in for the system's.
sin_systemd() {
  local sistema
  sistema=$(escritorio_propio dbus-daemon --session --fork --print-address=1 | head -n 1)
  DBUS_SYSTEM_BUS_ADDRESS=$sistema escritorio_propio unshare -m \
    sh -c 'mount -t tmpfs none /run/systemd && exec "$@"' sin_systemd "$@"
}

gestor_listo() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }

# GNOME Shell opens its overview once it has started, where keys go to its
# search: it is closed, as the pupil's first Esc would close it.
vista_general() {
  gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
    --method org.freedesktop.DBus.Properties."$@" 2>/dev/null
}
vista_general_abierta() { vista_general Get org.gnome.Shell OverviewActive | grep -q true; }
vista_general_cerrada() { vista_general Get org.gnome.Shell OverviewActive | grep -q false; }
cerrar_vista_general() {
  esperar 30 vista_general_abierta || return 1
  vista_general Set org.gnome.Shell OverviewActive "<false>" >/dev/null
  esperar 10 vista_general_cerrada
}

# Starts the window manager of CLASE on DISPLAY; 1 when it is not up in time.
arrancar_gestor() {
  local clase="$1" registro="$ESCRITORIO/gestor.log"
  case "$clase" in
  openbox) escritorio_propio openbox >"$registro" 2>&1 & ;;
  xfwm4) escritorio_propio xfwm4 >"$registro" 2>&1 & ;;
  marco) escritorio_propio marco >"$registro" 2>&1 & ;;
  kwin) KWIN_COMPOSE=N QT_QPA_PLATFORM=xcb escritorio_propio kwin_x11 >"$registro" 2>&1 & ;;
  gnome-x11) sin_systemd gnome-shell --x11 --replace >"$registro" 2>&1 & ;;
  gnome-wayland)
    MUTTER_DEBUG_DUMMY_MODE_SPECS=1280x800 sin_systemd gnome-shell --wayland --nested \
      --wayland-display="wayland-renglero" >"$registro" 2>&1 &
    ;;
  esac
  pid_gestor=$!
  escritorio_recoger $pid_gestor
  case "$clase" in
  gnome-x11) esperar 60 gestor_listo_o_caido && gestor_vivo && cerrar_vista_general ;;
  gnome-wayland) arrancar_xwayland && cerrar_vista_general ;;
  *) esperar 60 gestor_listo_o_caido && gestor_vivo ;;
  esac
}

# A window manager that ended (it could not open the display) is not waited
# for: it is started afresh at once.
gestor_vivo() { kill -0 "$pid_gestor" 2>/dev/null; }
gestor_listo_o_caido() { gestor_listo || ! gestor_vivo; }

arrancar_xwayland() {
  local registro="$ESCRITORIO/gestor.log"
  # The X11 programs go to the compositor's XWayland; keys and screenshots
  # stay on the Xvfb that shows it.
  esperar 60 sh -c "grep -q 'Using public X11 display' '$registro' || ! kill -0 $pid_gestor" &&
    gestor_vivo || return 1
  ESCRITORIO_ENTRADA=$DISPLAY
  export DISPLAY
  DISPLAY=$(sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$registro" | head -n 1)
  export WAYLAND_DISPLAY=wayland-renglero XDG_SESSION_TYPE=wayland
  XAUTHORITY=$(ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.* 2>/dev/null | head -n 1)
  export XAUTHORITY
  # The compositor's window takes the pointer, so that keys go to it.
  DISPLAY=$ESCRITORIO_ENTRADA xdotool mousemove 640 400
  esperar 60 gestor_listo
}

escritorio_arrancar() {
  local clase="${1:-${RENGLERO_ESCRITORIO:-openbox}}"
  escritorio_paquetes "$clase" >/dev/null || { echo "# escritorio desconocido: $clase" >&2; return 1; }
  ESCRITORIO=$(mktemp -d /tmp/renglero-escritorio.XXXXXX) || return 1
  ESCRITORIO_CLASE=$clase
  mkdir -p "$ESCRITORIO/casa" "$ESCRITORIO/ejecucion"
  chmod 0700 "$ESCRITORIO/casa" "$ESCRITORIO/ejecucion"
  export HOME="$ESCRITORIO/casa"
  export XDG_RUNTIME_DIR="$ESCRITORIO/ejecucion"
  export XDG_CONFIG_HOME="$HOME/.config"
  # The notebook's recovery copies: the desktop's own unless a test keeps
  # them across desktops (ESCRITORIO_ESTADO).
  export XDG_STATE_HOME="${ESCRITORIO_ESTADO:-$HOME/.local/state}"
  unset WAYLAND_DISPLAY XAUTHORITY GDK_BACKEND
  export XDG_SESSION_TYPE=x11
  case "$clase" in
  openbox) export XDG_CURRENT_DESKTOP=openbox ;;
  xfwm4) export XDG_CURRENT_DESKTOP=XFCE ;;
  marco) export XDG_CURRENT_DESKTOP=MATE ;;
  kwin) export XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true KDE_SESSION_VERSION=5 ;;
  gnome-*) export XDG_CURRENT_DESKTOP=GNOME ;;
  esac
  trap escritorio_detener EXIT
  # A server and window manager that do not come up (seen once in many runs
  # on a loaded machine, with no trace) are started afresh once; what went
  # wrong is written out for whoever reads the test's output.
  local intento pids
  for intento in 1 2; do
    pids=${#ESCRITORIO_PIDS[@]}
    arrancar_xvfb || { echo "# Xvfb no arranca (intento $intento)" >&2; continue; }
    escritorio_recoger "$pid_xvfb"
    ESCRITORIO_ENTRADA=$DISPLAY
    if [ "$clase" != openbox ]; then
      # A session bus of the desktop's own, on this display: the services it
      # starts on demand (kglobalaccel, ...) need one.
      eval "$(escritorio_propio dbus-launch --sh-syntax)"
      export DBUS_SESSION_BUS_ADDRESS
    fi
    arrancar_gestor "$clase" && return 0
    echo "# $clase no arranca en $DISPLAY (intento $intento):" >&2
    tail -n 20 "$ESCRITORIO/gestor.log" | sed 's/^/#   /' >&2
    kill "${ESCRITORIO_PIDS[@]:$pids}" 2>/dev/null
    wait "${ESCRITORIO_PIDS[@]:$pids}" 2>/dev/null
    ESCRITORIO_PIDS=("${ESCRITORIO_PIDS[@]:0:$pids}")
  done
  return 1
}

# The pupil's keyboard and mouse, and what the pupil sees.
pulsar() { DISPLAY=$ESCRITORIO_ENTRADA xdotool "$@"; }
pantallazo() { DISPLAY=$ESCRITORIO_ENTRADA import -window root "$@"; }

# The windows on this desktop, by id: which one is active, where and how tall.
activa() { xdotool getactivewindow 2>/dev/null; }
activa_es() { [ "$(activa)" = "$1" ]; }
alto() { xdotool getwindowgeometry "$1" | awk '/Geometry/ { split($2, g, "x"); print g[2] }'; }
arriba() { xdotool getwindowgeometry "$1" | awk '/Position/ { split($2, p, ","); print p[2] }'; }
alto_es() { [ "$(alto "$1")" -eq "$2" ]; }
alto_mayor() { [ "$(alto "$1")" -gt "$2" ]; }
alto_menor() { [ "$(alto "$1")" -lt "$2" ]; }
