#!/usr/bin/env bash
# The core's tests, the random-key test among them, and the scenarios built
# with AddressSanitizer and UndefinedBehaviorSanitizer in a second build
# folder (build-san/): any report fails.
set -euo pipefail
raiz="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$raiz/build-san"
cmake -S "$raiz" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRENGLERO_SANITIZERS=ON \
  -DRENGLERO_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target pruebas_nucleo escenarios
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$raiz/tests/sanitizadores.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen
"$build/tests/pruebas_nucleo" --gtest_brief=1
"$build/tests/escenarios" --gtest_brief=1
