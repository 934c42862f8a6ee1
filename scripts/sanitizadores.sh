#!/usr/bin/env bash
# The whole test suite once more, on a build of everything with
# AddressSanitizer and UndefinedBehaviorSanitizer (build-san/): the programs
# that the scripts and the desktop tests start are built so too. Every report
# is written to a file in build-san/informes/, so that one is seen even where
# a test did not look at the exit code; any report fails.
set -euo pipefail
raiz="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$raiz/build-san"
informes="$build/informes"
cmake -S "$raiz" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRENGLERO_SANITIZERS=ON \
  -DRENGLERO_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"
rm -rf "$informes"
mkdir -p "$informes"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1:log_path=$informes/asan"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:log_path=$informes/ubsan"
export LSAN_OPTIONS="suppressions=$raiz/tests/sanitizadores.supp:print_suppressions=0"
fallo=0
(cd "$build" && ctest --output-on-failure -j "$(nproc)") || fallo=1
if compgen -G "$informes/*" >/dev/null; then
  echo "Los sanitizadores han informado:"
  cat "$informes"/*
  fallo=1
fi
exit "$fallo"
