# Sourced by the test scripts: a skip for a missing program, waiting by polling,
# and a private Xvfb on a display number that the server itself picks free.
# necesita ORDEN...: a test without one of them is skipped (77), saying which.
necesita() {
  local orden
  for orden; do
    command -v "$orden" >/dev/null || { echo "falta $orden"; exit 77; }
  done
}

# esperar SEGUNDOS ORDEN...: runs ORDEN every 20 ms (or ESPERAR_CADA seconds)
# until it succeeds; 1 when SEGUNDOS pass first.
esperar() {
  local limite=$((${EPOCHREALTIME/./} + $1 * 1000000))
  shift
  until "$@"; do
    ((${EPOCHREALTIME/./} < limite)) || return 1
    sleep "${ESPERAR_CADA:-0.02}"
  done
}

# arrancar_xvfb [OPCIONES DE XVFB...]: Xvfb (1280x800, no TCP, no key repeat);
# DISPLAY exported once it takes clients, its pid in pid_xvfb; 1 when it ends or
# is not up in 30 s. -noreset: a reset when the last client leaves drops those
# still connecting (a slow window manager, after a probe came and went).
arrancar_xvfb() {
  local numero
  numero=$(mktemp /tmp/renglero-xvfb-XXXXXX)
  # -displayfd: the server writes its display number there once it is ready.
  Xvfb -displayfd 3 -noreset -screen 0 1280x800x24 -nolisten tcp -r "$@" 3>"$numero" >/dev/null 2>&1 &
  pid_xvfb=$!
  esperar 30 sh -c "grep -q '^[0-9][0-9]*\$' '$numero' || ! kill -0 $pid_xvfb 2>/dev/null"
  grep -q '^[0-9][0-9]*$' "$numero" && export DISPLAY=":$(cat "$numero")"
  local listo=$?
  rm -f "$numero"
  return $listo
}
