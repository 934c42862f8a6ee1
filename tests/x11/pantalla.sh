# Sourced by the scripts that need an X server: a private Xvfb on a display
# number that the server itself picks free, and waiting by polling.

# esperar SEGUNDOS ORDEN...: runs ORDEN every 20 ms until it succeeds; 1 when
# SEGUNDOS pass first.
esperar() {
  local limite=$((${EPOCHREALTIME/./} + $1 * 1000000))
  shift
  until "$@"; do
    ((${EPOCHREALTIME/./} < limite)) || return 1
    sleep 0.02
  done
}

# arrancar_xvfb [OPCIONES DE XVFB...]: starts Xvfb (1280x800, no TCP, no key
# auto-repeat), exports DISPLAY once it accepts clients and leaves its process
# id in pid_xvfb; 1 when it does not start within 10 s.
arrancar_xvfb() {
  local numero
  numero=$(mktemp /tmp/renglero-xvfb-XXXXXX)
  # -displayfd: the server writes its display number there once it is ready.
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -r "$@" 3>"$numero" >/dev/null 2>&1 &
  pid_xvfb=$!
  esperar 10 grep -q '^[0-9][0-9]*$' "$numero"
  local listo=$?
  [ $listo -eq 0 ] && export DISPLAY=":$(cat "$numero")"
  rm -f "$numero"
  return $listo
}
