#pragma once
// The word processor's contract: what the notebook relies on from every
// document backend, written once and run on each of them. A backend's test
// program gives a type that opens that backend on a new empty document,
//   struct DocumentoDePrueba {
//       Word& word();
//       ManejoDocumento& manejo();
//   };
// includes texto.h and tablas.h, and instantiates both suites with it:
//   INSTANTIATE_TYPED_TEST_SUITE_P(Propio, ContratoTexto, DocumentoDePrueba);
#include <functional>
#include <gtest/gtest.h>
#include <numeric>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "word/Word.h"

namespace renglero::contrato {

// The new document's line: A4 less its 2.5 cm margins, in points.
constexpr double kLinea = 595.3 - 2 * 70.87;

// The fixture of both suites: a fresh document for each test.
template <class Documento> class ConDocumento : public ::testing::Test {
  protected:
    Word& word() { return documento_.word(); }
    ManejoDocumento& manejo() { return documento_.manejo(); }

    // A filas x columnas table after a paragraph "antes", each cell holding
    // its 1-based row and column ("12"), the cursor in the first cell.
    TablaLeida llenarTabla(int filas, int columnas) {
        manejo().escribir("antes\n");
        word().agregarTabla(filas, columnas);
        for (int i = 0; i < filas * columnas; ++i) {
            manejo().escribir(std::to_string(i / columnas + 1) + std::to_string(i % columnas + 1));
            if (i + 1 < filas * columnas) word().moverCeldas(1);
        }
        word().moverCeldas(-1000);
        return tabla();
    }
    TablaLeida tabla() { return word().leer().tablas.at(0); }

  private:
    Documento documento_;
};

// The run of paragraph p that holds character i (0-based in the paragraph).
inline const TramoLeido& tramoEn(const DocumentoLeido& d, int p, int i) {
    for (const TramoLeido& t : d.parrafos.at(p).tramos)
        if (i >= t.inicio && i < t.inicio + t.largo) return t;
    throw std::out_of_range("no run there");
}

inline std::vector<std::string> textos(const DocumentoLeido& d) {
    std::vector<std::string> t;
    for (const auto& p : d.parrafos)
        t.push_back(p.texto);
    return t;
}

inline double suma(const std::vector<double>& v) {
    return std::accumulate(v.begin(), v.end(), 0.0);
}

inline ErrorWord::Tipo tipoDeError(const std::function<void()>& f) {
    try {
        f();
    } catch (const ErrorWord& e) {
        return e.tipo();
    }
    ADD_FAILURE() << "no ErrorWord";
    return ErrorWord::Tipo::otro;
}

// Every operation of the automation component, each called once.
inline std::vector<std::pair<const char*, std::function<void(Word&)>>> operaciones() {
    return {
        {"textoPrimerParrafo", [](Word& w) { w.textoPrimerParrafo(); }},
        {"insertarTexto", [](Word& w) { w.insertarTexto("\rA\r"); }},
        {"fuenteSeleccion", [](Word& w) { w.fuenteSeleccion("Courier New"); }},
        {"formatear", [](Word& w) { w.formatear(1, 1, Atributo::negrita); }},
        {"insertarBloque", [](Word& w) { w.insertarBloque("\rA\r", "Courier New", {}); }},
        {"contraerSeleccion", [](Word& w) { w.contraerSeleccion(false); }},
        {"finIgualAInicio", [](Word& w) { w.finIgualAInicio(); }},
        {"enTabla", [](Word& w) { w.enTabla(); }},
        {"agregarTabla", [](Word& w) { w.agregarTabla(2, 2); }},
        {"formatoTabla", [](Word& w) { w.formatoTabla(true); }},
        {"permitirAutoajuste", [](Word& w) { w.permitirAutoajuste(); }},
        {"mostrarLineasDeTabla", [](Word& w) { w.mostrarLineasDeTabla(); }},
        {"filasTabla", [](Word& w) { w.filasTabla(); }},
        {"columnasTabla", [](Word& w) { w.columnasTabla(); }},
        {"agregarFila", [](Word& w) { w.agregarFila(); }},
        {"agregarColumna", [](Word& w) { w.agregarColumna(); }},
        {"igualarColumnas", [](Word& w) { w.igualarColumnas(); }},
        {"bordeVisible", [](Word& w) { w.bordeVisible(-1); }},
        {"filaCelda", [](Word& w) { w.filaCelda(); }},
        {"columnaCelda", [](Word& w) { w.columnaCelda(); }},
        {"moverCeldas", [](Word& w) { w.moverCeldas(1); }},
        {"expandir", [](Word& w) { w.expandir(Unidad::fila); }},
        {"borrarCeldasSeleccionadas", [](Word& w) { w.borrarCeldasSeleccionadas(); }},
        {"vaciarPrimeraCelda", [](Word& w) { w.vaciarPrimeraCelda(); }},
        {"sombrearPrimeraCelda", [](Word& w) { w.sombrearPrimeraCelda(200); }},
        {"anchoColumna", [](Word& w) { w.anchoColumna(); }},
        {"fijarAnchoColumna", [](Word& w) { w.fijarAnchoColumna(50); }},
        {"ajustarAVentana", [](Word& w) { w.ajustarAVentana(); }},
        {"pagina", [](Word& w) { w.pagina(); }},
    };
}

} // namespace renglero::contrato
