// The core's speed on the key path: a typed character on a full Texto grid
// (50 x 62) from the key event to the updated window state, and `acotar` on
// that grid.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <sstream>

#include "cuadricula_formateada.h"
#include "headless/Conductor.h"

using namespace renglero;

namespace {

// A notebook in Texto mode on a 453.5-point line (62 columns), every cell written.
struct CuadernoLleno {
    std::ostringstream salida;
    Conductor conductor{salida};
    Form1& f = conductor.form();

    CuadernoLleno() {
        f.anchoLineaWord = 453.5F;
        conductor.linea("keys ç");
        for (int r = 0; r < f.tabla.Rows(); ++r)
            for (int c = 0; c < f.tabla.Cols(); ++c)
                f.tabla.setTextMatrix(r, c, std::string(1, static_cast<char>('a' + (r + c) % 26)));
        f.tabla.setRow(25);
        f.tabla.setCol(1);
    }
};

void teclaEnTextoLleno(benchmark::State& estado) {
    CuadernoLleno cuaderno;
    Form1& f = cuaderno.f;
    if (f.tabla.Rows() != 50 || f.tabla.Cols() != 62) {
        estado.SkipWithError("la cuadrícula no es de 50 x 62");
        return;
    }
    int n = 0;
    for (auto _ : estado) {
        f.pulsarTecla(77, 0, 'm');
        f.soltarTecla(77, 0);
        if (++n % 60 == 0) f.tabla.setCol(1); // back to the row's start, as Home would
    }
    if (f.tabla.TextMatrix(25, 1) != "m") estado.SkipWithError("la tecla no escribió nada");
}
BENCHMARK(teclaEnTextoLleno)->Repetitions(5)->ReportAggregatesOnly(true);

void acotarTextoLleno(benchmark::State& estado) {
    CuadernoLleno cuaderno;
    Form1& f = cuaderno.f;
    // The slowest case for the scan: one written cell in the middle.
    if (estado.range(0) == 1) {
        f.rellenar();
        f.tabla.setTextMatrix(25, 30, "x");
    }
    for (auto _ : estado) {
        f.acotar();
        benchmark::DoNotOptimize(f.colIzquierda);
    }
}
BENCHMARK(acotarTextoLleno)->Arg(0)->Arg(1)->Repetitions(5)->ReportAggregatesOnly(true);

// F9 of a full Texto grid, every cell formatted, into a new embedded document.
void envioTextoLleno(benchmark::State& estado) {
    CuadernoLleno cuaderno;
    Form1& f = cuaderno.f;
    formatearCadaCelda(f.tabla);
    int parrafos = 0;
    for (auto _ : estado) {
        estado.PauseTiming();
        cuaderno.conductor.linea("doc new");
        estado.ResumeTiming();
        f.pulsarTecla(120, 0, -1);
        f.soltarTecla(120, 0);
        estado.PauseTiming();
        cuaderno.salida.str("");
        cuaderno.conductor.linea("document");
        parrafos = static_cast<int>(cuaderno.salida.str().size());
        estado.ResumeTiming();
    }
    if (parrafos < 50 * 62) estado.SkipWithError("el documento no recibió el bloque");
}
BENCHMARK(envioTextoLleno)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// One key of the table manager on a 5 x 5 table: the marked cell moving, and
// a row added then removed.
void teclaGestorTablas(benchmark::State& estado) {
    std::ostringstream salida;
    Conductor conductor{salida};
    Form1& f = conductor.form();
    conductor.linea("keys T 5 5 {Enter}");
    const bool mover = estado.range(0) == 0;
    int n = 0;
    for (auto _ : estado) {
        if (mover) {
            const int flecha = (n++ / 4) % 2 == 0 ? 39 : 37;
            f.pulsarTecla(flecha, 0, -1);
            f.soltarTecla(flecha, 0);
        } else {
            f.pulsarTecla(70, 1, 'F');
            f.soltarTecla(70, 1);
            conductor.linea("answer Yes");
            f.pulsarTecla(81, 1, 'Q');
            f.soltarTecla(81, 1);
        }
    }
    if (f.Frame2.Visible != true) estado.SkipWithError("el gestor de tablas se cerró");
}
BENCHMARK(teclaGestorTablas)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication aplicacion(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
