// The Qt window's speed on the offscreen platform: a key event to the
// repainted grid, and start-up to the first painted window.
#include <benchmark/benchmark.h>
#include <memory>

#include "qt/VentanaQt.h"
#include "shell/Form1.h"
#include "ventana_bench.h"

using namespace renglero;

namespace {

std::unique_ptr<CuadernoQt> nuevoCuaderno() {
    auto c = std::make_unique<CuadernoQt>();
    contestarSinPreguntar(*c);
    return c;
}

// A typed digit to the repainted grid.
void BM_TeclaHastaCuadriculaPintada(benchmark::State& estado) {
    auto cuaderno = nuevoCuaderno();
    cuaderno->arrancar();
    VentanaQt& v = cuaderno->ventana();
    teclearHastaPintar(estado, v);
    estado.counters["pintados"] = static_cast<double>(v.pintados());
}
BENCHMARK(BM_TeclaHastaCuadriculaPintada)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(240)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// From nothing to the first finished paint of the loaded, shown window.
void BM_ArranqueHastaPrimerPintado(benchmark::State& estado) {
    for (auto _ : estado) {
        auto cuaderno = nuevoCuaderno();
        cuaderno->arrancar();
        VentanaQt& v = cuaderno->ventana();
        for (int vuelta = 0; v.pintados() == 0 && vuelta < 10000; ++vuelta)
            QApplication::processEvents();
        if (v.pintados() == 0) estado.SkipWithError("la ventana no se pintó");
        estado.PauseTiming();
        cuaderno.reset();
        QApplication::processEvents();
        estado.ResumeTiming();
    }
}
BENCHMARK(BM_ArranqueHastaPrimerPintado)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

} // namespace
