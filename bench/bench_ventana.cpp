// The Qt window's speed on the offscreen platform: a key event to the
// repainted grid, and start-up to the first painted window.
#include <QApplication>
#include <QKeyEvent>
#include <benchmark/benchmark.h>
#include <memory>

#include "qt/Aplicacion.h"
#include "qt/PlataformaQt.h"
#include "qt/VentanaQt.h"
#include "shell/Form1.h"

using namespace renglero;

namespace {

std::unique_ptr<CuadernoQt> nuevoCuaderno() {
    auto c = std::make_unique<CuadernoQt>();
    // A message box would wait for a click that never comes.
    c->plataforma().contestarCon([](const std::string&, const std::string&, Botones b) {
        return b == Botones::YesNo ? Respuesta::No : Respuesta::OK;
    });
    return c;
}

void pulsarYSoltar(QWidget& w, int tecla, const QString& texto) {
    QKeyEvent abajo(QEvent::KeyPress, tecla, Qt::NoModifier, texto);
    QKeyEvent arriba(QEvent::KeyRelease, tecla, Qt::NoModifier, texto);
    QApplication::sendEvent(&w, &abajo);
    QApplication::sendEvent(&w, &arriba);
}

// One typed digit: the key event through the window into the notebook, then
// the window repainted at once.
void BM_TeclaHastaCuadriculaPintada(benchmark::State& estado) {
    auto cuaderno = nuevoCuaderno();
    cuaderno->arrancar();
    VentanaQt& v = cuaderno->ventana();
    QApplication::processEvents();
    int tecleadas = 0;
    for (auto _ : estado) {
        const int digito = tecleadas % 10;
        pulsarYSoltar(v, Qt::Key_0 + digito, QString::number(digito));
        v.repaint();
        if (++tecleadas % 12 == 0) {
            // A fresh row before the cursor runs off the grid.
            estado.PauseTiming();
            pulsarYSoltar(v, Qt::Key_Escape, QStringLiteral("\x1b"));
            v.repaint();
            estado.ResumeTiming();
        }
    }
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

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
