# Sourced by the build and test scripts: how long each step takes, in the
# output, so that a slow run says where its time went: the time it took, and
# the processor time that it and what it started used (on a machine that
# others load too, the second says more).

# cronometrar NOMBRE ORDEN...: runs ORDEN, then writes
# "[NOMBRE: S s, CPU C s]" on standard error; returns ORDEN's status.
cronometrar() {
  local nombre="$1" inicio=${EPOCHREALTIME/./} yo=$BASHPID cpu estado=0
  shift
  cpu=$(cpu_de_los_hijos "$yo")
  "$@" || estado=$?
  local decimas=$(((${EPOCHREALTIME/./} - inicio) / 100000))
  cpu=$((($(cpu_de_los_hijos "$yo") - cpu) * 10 / $(getconf CLK_TCK)))
  printf '[%s: %d.%d s, CPU %d.%d s]\n' "$nombre" $((decimas / 10)) $((decimas % 10)) $((cpu / 10)) $((cpu % 10)) >&2
  return "$estado"
}

# cpu_de_los_hijos PID: the processor time, in clock ticks, of the children
# of the shell PID that have ended (their own children's included).
cpu_de_los_hijos() {
  local campos
  read -r -a campos <"/proc/$1/stat"
  echo $((campos[15] + campos[16]))
}
