// The recovery copy with a full Texto page and a few pages in the embedded
// document: what the window's thread spends composing it (a key that comes
// meanwhile waits that long), a typed digit to the repainted grid right
// behind a copy, and the atomic write that the writer's thread does.
#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <string>

#include "propio/DocumentoPropio.h"
#include "qt/Ranura.h"
#include "qt/Recuperacion.h"
#include "shell/Form1.h"
#include "ventana_bench.h"

using namespace renglero;

namespace {

struct ConCopia {
    QTemporaryDir carpeta;
    std::unique_ptr<CuadernoQt> cuaderno = std::make_unique<CuadernoQt>();

    ConCopia() {
        contestarSinPreguntar(*cuaderno);
        cuaderno->arrancar();
        cuaderno->recuperar(carpeta.filePath("recuperacion").toStdString());
        Form1& f = cuaderno->form();
        // Texto mode, every cell written, one in five with a format of its own.
        f.pulsarTecla(191, 0, 231);
        f.soltarTecla(191, 0);
        for (int r = 0; r < f.tabla.Rows(); ++r)
            for (int c = 0; c < f.tabla.Cols(); ++c) {
                f.tabla.setRow(r);
                f.tabla.setCol(c);
                f.tabla.setText(std::string(1, static_cast<char>('a' + (r + c) % 26)));
                if ((r + c) % 5 == 0) f.tabla.setCellFontBold(true);
                if ((r + c) % 7 == 0) f.tabla.setCellForeColor(rgb(255, 0, 0));
            }
        f.tabla.setRow(2);
        f.tabla.setCol(1);
        // Five pages of the day's work in the document, a run formatted in each line.
        DocumentoPropio& d = cuaderno->documento();
        for (int linea = 0; linea < 250; ++linea) {
            d.insertarTexto("Linea " + std::to_string(linea) +
                            " de los deberes de hoy, con una palabra en negrita.\r");
            d.formatear(10, 5, Atributo::negrita);
            d.contraerSeleccion(false);
        }
        d.entregarEventos();
        QApplication::processEvents();
    }
};

// The window's part of a copy: the notebook's state and the document's XML.
void BM_CopiaEnElHiloDeLaVentana(benchmark::State& estado) {
    ConCopia c;
    Form1& f = c.cuaderno->form();
    int vuelta = 0;
    for (auto _ : estado) {
        estado.PauseTiming();
        f.tabla.setTextMatrix(10, 10, std::string(1, static_cast<char>('a' + ++vuelta % 26)));
        estado.ResumeTiming();
        c.cuaderno->recuperacion()->revisar();
    }
    const std::optional<std::string> copia = c.cuaderno->recuperacion()->ranura().leer();
    estado.counters["bytes"] = copia ? static_cast<double>(copia->size()) : 0;
}
BENCHMARK(BM_CopiaEnElHiloDeLaVentana)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(40)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The worst key: it comes while a copy is being composed, and waits for it.
void BM_TeclaTrasUnaCopia(benchmark::State& estado) {
    ConCopia c;
    VentanaQt& v = c.cuaderno->ventana();
    QApplication::processEvents();
    int tecleadas = 0;
    for (auto _ : estado) {
        c.cuaderno->recuperacion()->revisar();
        const int digito = tecleadas++ % 10;
        pulsarYSoltar(v, Qt::Key_0 + digito, QString::number(digito));
        v.repaint();
    }
}
BENCHMARK(BM_TeclaTrasUnaCopia)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(40)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The writer's thread: the whole copy to the disk, flushed and renamed.
void BM_EscrituraAtomica(benchmark::State& estado) {
    ConCopia c;
    c.cuaderno->recuperacion()->guardarYa();
    const std::string copia = c.cuaderno->recuperacion()->ranura().leer().value_or("");
    const std::string ruta = c.carpeta.filePath("medida").toStdString();
    for (auto _ : estado)
        if (!escribirAtomico(ruta, copia)) estado.SkipWithError("no se escribe");
    estado.counters["bytes"] = static_cast<double>(copia.size());
}
BENCHMARK(BM_EscrituraAtomica)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
