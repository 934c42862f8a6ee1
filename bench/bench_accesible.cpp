// What accessibility costs the window: a typed digit to the repainted grid
// with a screen reader's view kept up to date (the focus on the new cell, the
// written cell's name, the announcements) through the real AT-SPI bridge,
// beside the same without it. Accessibility needs a platform with a bridge:
// bench/accesible_x11.sh runs this on Xvfb in a D-Bus session of its own,
// with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 and a listening AT-SPI client.
#include <QAccessible>
#include <QDeadlineTimer>
#include <QThread>
#include <benchmark/benchmark.h>

#include "qt/VentanaQt.h"
#include "shell/Form1.h"
#include "ventana_bench.h"

using namespace renglero;

namespace {

// The bridge comes up once its D-Bus connection answers.
bool esperarPuente() {
    QDeadlineTimer plazo(10000);
    while (!QAccessible::isActive() && !plazo.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(10);
    }
    return QAccessible::isActive();
}

void teclaHastaPintada(benchmark::State& estado, bool accesible) {
    if (accesible) esperarPuente();
    if (accesible != QAccessible::isActive()) {
        estado.SkipWithError(accesible ? "sin puente de accesibilidad: bench/accesible_x11.sh"
                                       : "la accesibilidad está encendida");
        return;
    }
    CuadernoQt cuaderno(CuadernoQt::Documento::propio);
    contestarSinPreguntar(cuaderno);
    cuaderno.arrancar();
    teclearHastaPintar(estado, cuaderno.ventana());
}

void BM_TeclaHastaPintadaSinAccesibilidad(benchmark::State& estado) {
    teclaHastaPintada(estado, false);
}
void BM_TeclaHastaPintadaConAccesibilidad(benchmark::State& estado) {
    teclaHastaPintada(estado, true);
}
BENCHMARK(BM_TeclaHastaPintadaSinAccesibilidad)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(240)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_TeclaHastaPintadaConAccesibilidad)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(240)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// The layout of 125 + 37: the heaviest key, a whole grid renamed and an
// announcement.
void BM_SumaPreparadaConAccesibilidad(benchmark::State& estado) {
    if (!esperarPuente()) {
        estado.SkipWithError("sin puente de accesibilidad: bench/accesible_x11.sh");
        return;
    }
    CuadernoQt cuaderno(CuadernoQt::Documento::propio);
    cuaderno.arrancar();
    VentanaQt& v = cuaderno.ventana();
    QApplication::processEvents();
    for (auto _ : estado) {
        estado.PauseTiming();
        for (const char* t : {"1", "2", "5"})
            pulsarYSoltar(v, Qt::Key_0 + (t[0] - '0'), QString::fromLatin1(t));
        pulsarYSoltar(v, Qt::Key_Return, QStringLiteral("\r"));
        for (const char* t : {"3", "7"})
            pulsarYSoltar(v, Qt::Key_0 + (t[0] - '0'), QString::fromLatin1(t));
        v.repaint();
        estado.ResumeTiming();
        pulsarYSoltar(v, Qt::Key_Plus, QStringLiteral("+"), Qt::KeypadModifier);
        v.repaint();
        QApplication::processEvents();
        estado.PauseTiming();
        pulsarYSoltar(v, Qt::Key_Escape, QStringLiteral("\x1b"));
        QApplication::processEvents();
        estado.ResumeTiming();
    }
}
BENCHMARK(BM_SumaPreparadaConAccesibilidad)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(40)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
