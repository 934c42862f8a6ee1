# Sourced by the build and test scripts: how long each step takes, in the
# output, so that a slow run says where its time went.

# cronometrar NOMBRE ORDEN...: runs ORDEN, then writes "[NOMBRE: S s]" on
# standard error; returns ORDEN's status.
cronometrar() {
  local nombre="$1" inicio=${EPOCHREALTIME/./} estado=0
  shift
  "$@" || estado=$?
  local decimas=$(((${EPOCHREALTIME/./} - inicio) / 100000))
  printf '[%s: %d.%d s]\n' "$nombre" $((decimas / 10)) $((decimas % 10)) >&2
  return "$estado"
}
