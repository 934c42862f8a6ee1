// The embedded document: the word processor's contract, and beyond it its events and undo steps.
#include <QCoreApplication>
#include <gtest/gtest.h>
#include <map>

#include "contrato/suite.h"
#include "propio/DocumentoPropio.h"

namespace renglero::contrato {
namespace {
struct DocumentoPropioDePrueba {
    DocumentoPropio documento;
    Word& word() { return documento; }
    ManejoDocumento& manejo() { return documento; }
};
} // namespace
INSTANTIATE_TYPED_TEST_SUITE_P(Propio, Contrato, DocumentoPropioDePrueba);
} // namespace renglero::contrato

using namespace renglero;
using contrato::tipoDeError;

// From the event loop; a handler hears its own move on the next pass; after the quit, nothing.
TEST(Documento, LosEventosLleganDespuesYNoDentroDeLaLlamada) {
    DocumentoPropio doc;
    std::map<std::string, int> veces;
    const auto contar = [&veces](const char* n) { return [&veces, n] { ++veces[n]; }; };
    EventosWord e{contar("antesDeCerrar"), contar("cambio"),   contar("abierto"),
                  contar("salir"),         contar("activada"), contar("desactivada"),
                  contar("seleccion")};
    doc.suscribir(e);
    contrato::seguir(doc, doc, "i \rA\r;c;m -1");
    EXPECT_EQ(veces["seleccion"], 0); // not while the notebook's call runs
    QCoreApplication::processEvents();
    EXPECT_EQ(veces["seleccion"], 1); // several moves, one event
    doc.moverCursor(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(veces["seleccion"], 1); // nothing moved
    doc.moverCursor(1);
    doc.entregarEventos(); // a driver's "let pending events run"
    QCoreApplication::processEvents();
    EXPECT_EQ(veces["seleccion"], 2); // not twice
    e.cambioDeSeleccion = [&] { doc.moverCursor(++veces["seleccion"] % 2 ? -1 : 1); };
    doc.suscribir(e);
    doc.escribir("ab");
    doc.entregarEventos();
    EXPECT_EQ(veces["seleccion"], 3);
    doc.entregarEventos();
    EXPECT_EQ(veces["seleccion"], 4);
    // Closing, opening, activation and quitting; nothing after the quit.
    veces.clear();
    doc.cerrarDocumento();
    doc.nuevoDocumento();
    doc.avisarActivacion(true);
    doc.avisarActivacion(false);
    doc.salir();
    doc.salir();
    doc.avisarActivacion(true);
    doc.entregarEventos();
    veces.erase("seleccion");
    const std::map<std::string, int> oidos = {{"abierto", 1},       {"activada", 1},
                                              {"antesDeCerrar", 2}, {"cambio", 1},
                                              {"desactivada", 1},   {"salir", 1}};
    EXPECT_EQ(veces, oidos);
    // After the quit everything fails, as a word processor that is gone.
    EXPECT_FALSE(doc.enMarcha());
    EXPECT_FALSE(doc.leer().abierto);
    EXPECT_EQ(tipoDeError([&] { doc.mostrarAplicacion(); }), ErrorWord::Tipo::otro);
    for (auto& [nombre, op] : contrato::operaciones())
        EXPECT_EQ(tipoDeError([&] { op(doc); }), ErrorWord::Tipo::otro) << nombre;
    doc.cerrarDocumento();
    EXPECT_EQ(tipoDeError([&] { doc.pagina(); }), ErrorWord::Tipo::otro);
}

// Then its text; an operation other than formatting ends the batch even with no event loop.
TEST(Documento, ElFormatoDeUnEnvioSeDeshaceDeUnaVez) {
    DocumentoPropio doc;
    const auto deshacer = [&doc] {
        doc.documento()->undo();
        return contrato::describir(doc.leer());
    };
    contrato::seguir(doc, doc, "i \rabc\r;F Courier New;f 2 1 N;f 3 1 I;f 4 1 #008000");
    QCoreApplication::processEvents(); // the notebook lets events run
    EXPECT_EQ(deshacer(), "|abc| @2");
    EXPECT_EQ(deshacer(), " @0"); // then the text itself
    contrato::seguir(doc, doc, "i \rab\r;f 2 1 N;c;e z");
    EXPECT_EQ(deshacer(), "|[N]a[]b| @2");
}
