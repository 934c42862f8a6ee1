// The embedded document under the notebook's heaviest work: F9 of a full
// Texto grid (50 rows of 62 characters, every cell formatted, one call per
// run of equal format and attribute, as the notebook sends it) and a table
// manager key (a row added, the table fitted to the window). Medians.
#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>
#include <string>
#include <vector>

#include "propio/DocumentoPropio.h"
#include "propio/VentanaDocumento.h"

using namespace renglero;

namespace {

constexpr int kFilas = 50, kColumnas = 62;

struct Celda {
    char letra = 'a';
    bool atributos[8] = {};
    Color color = 0;
};

// A grid where every cell carries some format; `salto` sets how long the
// runs of one attribute are (1 = every character differs from the next).
std::vector<std::vector<Celda>> rejilla(int salto) {
    std::vector<std::vector<Celda>> g(kFilas, std::vector<Celda>(kColumnas));
    for (int r = 0; r < kFilas; ++r)
        for (int c = 0; c < kColumnas; ++c) {
            Celda& x = g[r][c];
            x.letra = static_cast<char>('a' + (r * 7 + c) % 26);
            const int b = c / salto;
            x.atributos[static_cast<int>(Atributo::negrita)] = (b + r) % 2 == 0;
            x.atributos[static_cast<int>(Atributo::cursiva)] = (b + r) % 3 == 0;
            x.atributos[static_cast<int>(Atributo::subrayado)] = (b + r) % 2 == 1;
            x.atributos[static_cast<int>(Atributo::superindice)] = (b + r) % 5 == 1;
            x.atributos[static_cast<int>(Atributo::color)] = true;
            x.color = colorPaleta(1 + (b + r) % 14);
        }
    return g;
}

// What the notebook's F9 does with the document, in Texto mode.
void enviar(Word& w, const std::vector<std::vector<Celda>>& g) {
    std::string texto = "\r";
    for (const auto& fila : g) {
        for (const Celda& x : fila)
            texto += x.letra;
        texto += '\r';
    }
    w.insertarTexto(texto);
    w.fuenteSeleccion("Courier New");
    struct Tramo {
        int desde = 0, largo = 0;
        Color color = 0;
    } abiertos[8];
    auto cerrar = [&](int a) {
        if (abiertos[a].largo > 0)
            w.formatear(abiertos[a].desde, abiertos[a].largo, static_cast<Atributo>(a),
                        abiertos[a].color);
        abiertos[a] = Tramo{};
    };
    int k = 1;
    for (const auto& fila : g) {
        for (const Celda& x : fila) {
            ++k;
            for (int a = 0; a < 8; ++a) {
                if (!x.atributos[a]) continue;
                Tramo& t = abiertos[a];
                if (t.largo > 0 && t.desde + t.largo == k && t.color == x.color) {
                    ++t.largo;
                    continue;
                }
                cerrar(a);
                t = Tramo{k, 1, x.color};
            }
        }
        ++k;
    }
    for (int a = 0; a < 8; ++a)
        cerrar(a);
    w.contraerSeleccion(false);
}

void F9(benchmark::State& estado, int salto, bool conVentana) {
    const auto g = rejilla(salto);
    for (auto _ : estado) {
        estado.PauseTiming();
        auto doc = std::make_unique<DocumentoPropio>();
        std::unique_ptr<VentanaDocumento> ventana;
        if (conVentana) {
            ventana = std::make_unique<VentanaDocumento>(*doc);
            ventana->show();
            QApplication::processEvents();
        }
        estado.ResumeTiming();
        enviar(*doc, g);
        if (conVentana) QApplication::processEvents(); // the window lays out and paints
        estado.PauseTiming();
        ventana.reset();
        doc.reset();
        estado.ResumeTiming();
    }
}

void F9PorTramos(benchmark::State& e) {
    F9(e, 6, false);
}
void F9CadaCaracterDistinto(benchmark::State& e) {
    F9(e, 1, false);
}
void F9PorTramosConVentana(benchmark::State& e) {
    F9(e, 6, true);
}
void F9CadaCaracterDistintoConVentana(benchmark::State& e) {
    F9(e, 1, true);
}

void TeclaDeTabla(benchmark::State& estado) {
    for (auto _ : estado) {
        estado.PauseTiming();
        DocumentoPropio doc;
        doc.escribir("\n");
        doc.agregarTabla(5, 5);
        doc.moverCeldas(7);
        estado.ResumeTiming();
        doc.agregarFila();
        doc.ajustarAVentana();
    }
}

} // namespace

BENCHMARK(F9PorTramos)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly();
BENCHMARK(F9CadaCaracterDistinto)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();
BENCHMARK(F9PorTramosConVentana)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();
BENCHMARK(F9CadaCaracterDistintoConVentana)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();
BENCHMARK(TeclaDeTabla)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly();
