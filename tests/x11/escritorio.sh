# A desktop of one's own for the X11 tests and benchmarks, to be sourced: Xvfb
# (pantalla.sh), a window manager, a private HOME, XDG_RUNTIME_DIR, TMPDIR and
# session bus: LibreOffice's profile and temporary files, the notebook's pipe
# and its one-copy socket are nobody else's and go with the desktop.
# escritorio_arrancar [CLASE]: openbox, or $RENGLERO_ESCRITORIO (xfwm4, marco,
# kwin, gnome-x11, gnome-wayland nested in Xvfb); what escritorio_lanzar starts,
# and all it starts in turn, is stopped at exit.
source "$(dirname "${BASH_SOURCE[0]}")/pantalla.sh"
ESCRITORIO=""
ESCRITORIO_PIDS=()

escritorio_recoger() { ESCRITORIO_PIDS+=("$1"); }
# A program marked in its environment, inherited by what it starts in turn
# (LibreOffice, never waited for): escritorio_detener finds them all by it.
escritorio_propio() { ESCRITORIO_PROGRAMA="$ESCRITORIO" "$@"; }
escritorio_lanzar() {
  ESCRITORIO_PROGRAMA="$ESCRITORIO" "$@" &
  escritorio_recoger $!
}
escritorio_procesos_propios() {
  grep -lzx "ESCRITORIO_PROGRAMA=$ESCRITORIO" /proc/[0-9]*/environ 2>/dev/null |
    cut -d/ -f3 | grep -vx "$BASHPID"
}
escritorio_sin_procesos() { [ -z "$(escritorio_procesos_propios)" ]; }
# The process of this desktop's LibreOffice (soffice.bin), if one runs.
escritorio_libreoffice() {
  local p
  for p in $(escritorio_procesos_propios); do
    [ "$(cat "/proc/$p/comm" 2>/dev/null)" = soffice.bin ] && { echo "$p"; return; }
  done
}
# The LibreOffice pipes' sockets that process PID has open, which it leaves
# behind when killed: found in /proc/net/unix by the inodes of its descriptors.
sockets_libreoffice() {
  find /proc/"$1"/fd -lname 'socket:*' -printf '%l\n' 2>/dev/null | tr -dc '0-9\n' |
    awk 'NR == FNR { suyo[$1]; next } $7 in suyo && $8 ~ "^/tmp/OSL_PIPE_" { print $8 }' - /proc/net/unix
}
escritorio_detener() {
  local pid sockets
  [ -n "$ESCRITORIO" ] && sockets=$(sockets_libreoffice "$(escritorio_libreoffice)" | sort -u)
  for ((i = ${#ESCRITORIO_PIDS[@]} - 1; i >= 0; i--)); do
    kill "${ESCRITORIO_PIDS[$i]}" 2>/dev/null
  done
  if [ -n "$ESCRITORIO" ]; then
    escritorio_procesos_propios | xargs -r kill 2>/dev/null
    esperar 5 escritorio_sin_procesos
    escritorio_procesos_propios | xargs -r kill -9 2>/dev/null
    # Also the notebook's pipe of a LibreOffice that a test killed before.
    [ -f "$ESCRITORIO/ejecucion/renglero/tubo" ] &&
      rm -f "/tmp/OSL_PIPE_$(id -u)_$(head -n 1 "$ESCRITORIO/ejecucion/renglero/tubo")"
    rm -f $sockets
    rm -rf "$ESCRITORIO"
  fi
  for pid in "${ESCRITORIO_PIDS[@]}"; do
    wait "$pid" 2>/dev/null
  done
  ESCRITORIO_PIDS=()
  ESCRITORIO=""
}

# GNOME Shell takes systemd-logind when /run/systemd/seats exists and wants a
# system bus: it runs with /run/systemd empty and a private bus as the system's.
sin_systemd() {
  local sistema
  sistema=$(escritorio_propio dbus-daemon --session --fork --print-address=1 | head -n 1)
  DBUS_SYSTEM_BUS_ADDRESS=$sistema escritorio_propio unshare -m \
    sh -c 'mount -t tmpfs none /run/systemd && exec "$@"' sin_systemd "$@"
}

# GNOME Shell opens its overview once it has started, where keys go to its
# search: it is closed, as the pupil's first Esc would close it.
vista_general() {
  gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
    --method org.freedesktop.DBus.Properties."$@" 2>/dev/null
}
vista_general_es() { vista_general Get org.gnome.Shell OverviewActive | grep -q "$1"; }
cerrar_vista_general() {
  esperar 30 vista_general_es true || return 1
  vista_general Set org.gnome.Shell OverviewActive "<false>" >/dev/null
  esperar 10 vista_general_es false
}

# GNOME Shell 43 without systemd forks ibus-daemon with a JavaScript setup
# function run before exec, which may wait for ever on a lock another thread
# held at the fork, and the shell (and XWayland's start) waits for that child.
# A child of the shell still named gnome-shell 2 s later is such a fork: ended.
vigilar_gnome_shell() {
  local p padre vistas=" " antes
  while [ -d "$ESCRITORIO" ]; do
    antes=$vistas vistas=" "
    for p in $(escritorio_procesos_propios); do
      [ "$(cat "/proc/$p/comm" 2>/dev/null)" = gnome-shell ] || continue
      padre=$(cut -d' ' -f4 "/proc/$p/stat" 2>/dev/null)
      [ "$(cat "/proc/$padre/comm" 2>/dev/null)" = gnome-shell ] || continue
      [[ "$antes" == *" $p "* ]] && kill -9 "$p" 2>/dev/null &&
        echo "# gnome-shell: un proceso suyo atascado antes de exec (pid $p), terminado" >&2
      vistas+="$p "
    done
    sleep 2
  done
}

# The window manager is up once it names itself on the root window; one that
# ended is not waited for, nor an X server that does not answer.
gestor_listo() { timeout 5 xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }
gestor_vivo() { kill -0 "$pid_gestor" 2>/dev/null; }
gestor_listo_o_caido() { gestor_listo || ! gestor_vivo; }

# Starts the window manager of CLASE on DISPLAY; 1 when it is not up in time.
arrancar_gestor() {
  local registro="$ESCRITORIO/gestor.log"
  case "$1" in
  openbox | xfwm4 | marco) ESCRITORIO_PROGRAMA="$ESCRITORIO" "$1" >"$registro" 2>&1 & ;;
  kwin) KWIN_COMPOSE=N QT_QPA_PLATFORM=xcb escritorio_propio kwin_x11 >"$registro" 2>&1 & ;;
  gnome-x11) sin_systemd gnome-shell --x11 --replace >"$registro" 2>&1 & ;;
  gnome-wayland)
    MUTTER_DEBUG_DUMMY_MODE_SPECS=1280x800 sin_systemd gnome-shell --wayland --nested \
      --wayland-display="wayland-renglero" >"$registro" 2>&1 &
    ;;
  esac
  pid_gestor=$!
  escritorio_recoger $pid_gestor
  [[ "$1" == gnome-* ]] && { vigilar_gnome_shell & escritorio_recoger $!; }
  case "$1" in
  gnome-x11) esperar 60 gestor_listo_o_caido && gestor_vivo && cerrar_vista_general ;;
  gnome-wayland) arrancar_xwayland && cerrar_vista_general ;;
  *) esperar 60 gestor_listo_o_caido && gestor_vivo ;;
  esac
}

# The X11 programs go to the nested compositor's XWayland; keys and
# screenshots stay on the Xvfb that shows it.
arrancar_xwayland() {
  local registro="$ESCRITORIO/gestor.log"
  esperar 60 sh -c "grep -qs 'Using public X11 display' '$registro' || ! kill -0 $pid_gestor" &&
    gestor_vivo || return 1
  export DISPLAY XAUTHORITY WAYLAND_DISPLAY=wayland-renglero XDG_SESSION_TYPE=wayland
  DISPLAY=$(sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$registro" | head -n 1)
  XAUTHORITY=$(ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.* 2>/dev/null | head -n 1)
  # The compositor's window takes the pointer, so that keys go to it.
  pulsar mousemove 640 400
  esperar 60 gestor_listo
}

escritorio_arrancar() {
  local clase="${1:-${RENGLERO_ESCRITORIO:-openbox}}"
  local orden programas
  # Each desktop's programs and name: one missing is a broken setup, not a skip.
  case "$clase" in
  openbox) programas=openbox XDG_CURRENT_DESKTOP=openbox ;;
  xfwm4) programas="xfwm4 dbus-launch" XDG_CURRENT_DESKTOP=XFCE ;;
  marco) programas="marco dbus-launch" XDG_CURRENT_DESKTOP=MATE ;;
  kwin) programas="kwin_x11 dbus-launch" XDG_CURRENT_DESKTOP=KDE ;;
  gnome-x11 | gnome-wayland)
    programas="gnome-shell dbus-launch dbus-daemon unshare gdbus" XDG_CURRENT_DESKTOP=GNOME
    ;;
  *) echo "# escritorio desconocido: $clase" >&2; return 1 ;;
  esac
  for orden in Xvfb $programas; do
    command -v "$orden" >/dev/null ||
      { echo "# falta $orden para $clase (scripts/preparar.sh lo instala)" >&2; return 1; }
  done
  ESCRITORIO=$(mktemp -d /tmp/renglero-escritorio.XXXXXX) || return 1
  mkdir -m 0700 "$ESCRITORIO/casa" "$ESCRITORIO/ejecucion"
  export HOME="$ESCRITORIO/casa" XDG_RUNTIME_DIR="$ESCRITORIO/ejecucion" TMPDIR="$ESCRITORIO"
  export XDG_SESSION_TYPE=x11 XDG_CONFIG_HOME="$HOME/.config"
  # The notebook's recovery copies, unless a test keeps them across desktops.
  export XDG_STATE_HOME="${ESCRITORIO_ESTADO:-$HOME/.local/state}"
  unset WAYLAND_DISPLAY XAUTHORITY GDK_BACKEND
  export XDG_CURRENT_DESKTOP
  [ "$clase" = kwin ] && export KDE_FULL_SESSION=true KDE_SESSION_VERSION=5
  trap escritorio_detener EXIT
  arrancar_xvfb || { echo "# Xvfb no arranca" >&2; return 1; }
  escritorio_recoger "$pid_xvfb"
  ESCRITORIO_ENTRADA=$DISPLAY
  # A session bus of its own for the services it starts on demand (kglobalaccel).
  if [ "$clase" != openbox ]; then
    eval "$(escritorio_propio dbus-launch --sh-syntax)"
    export DBUS_SESSION_BUS_ADDRESS
  fi
  arrancar_gestor "$clase" && return 0
  echo "# $clase no arranca en $DISPLAY ($(gestor_vivo && echo sigue en marcha || echo ha terminado)):" >&2
  tail -n 20 "$ESCRITORIO/gestor.log" | sed 's/^/#   /' >&2
  return 1
}
# A step's check said as "ok - QUE" or "FALLO - QUE (delante: ...)", the
# failures counted in fallos: comprobar QUE ORDEN...
fallos=0
ok() { echo "ok - $*"; }
fallo() { echo "FALLO - $* (delante: $(nombre_activa))" && fallos=$((fallos + 1)); }
comprobar() { if "${@:2}"; then ok "$1"; else fallo "$1"; fi; }

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
# The first visible window whose name matches, by id.
ventana() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 | grep .; }
nombre_activa() { xdotool getactivewindow getwindowname 2>/dev/null; }
# enfocar ID: the window in front and with the keyboard's focus, so no key strays.
enfocado() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
enfocar() {
  xdotool windowactivate --sync "$1" 2>/dev/null
  esperar 5 enfocado "$1"
}
# The process PID (the notebook's, pid, by default) has ended.
muerto() { ! kill -0 "${1:-$pid}" 2>/dev/null; }
# no ORDEN...: ORDEN fails (esperar 5 no ORDEN waits for that).
no() { ! "$@"; }
# sigue SEGUNDOS ORDEN...: ORDEN holds all along (every 100 ms): the desktop
# did not take back what it gave.
sigue() { ! ESPERAR_CADA=0.1 esperar "$1" no "${@:2}"; }

# f11 [lento | dos]: a tap of F11; lento, press and release by separate calls;
# dos, two taps 0.1 s apart from one call (two calls came up to 0.44 s apart on
# a loaded machine). The notebook takes F11 again 0.5 s after the last press on
# the server's clock: a tap waits till 0.6 s after the last call returned.
ultimo_f11=0
f11() {
  local falta=$(((ultimo_f11 + 600000 - ${EPOCHREALTIME/./}) / 1000))
  ((falta > 0)) && sleep "$(printf '0.%03d' "$falta")"
  case "${1:-}" in
  lento) pulsar keydown F11 && pulsar keyup F11 ;;
  dos) pulsar key --delay 100 F11 F11 ;;
  *) pulsar key F11 ;;
  esac
  ultimo_f11=${EPOCHREALTIME/./}
}
