// The embedded document beyond the word processor's contract: its
// selection, its line, quitting, its events and its undo steps.
#include <QCoreApplication>
#include <QTextTable>
#include <gtest/gtest.h>
#include <map>

#include "contrato/contrato.h"
#include "propio/DocumentoPropio.h"

using namespace renglero;
using contrato::operaciones;
using contrato::tipoDeError;
using contrato::tramoEn;

namespace {

// The events heard, by name.
struct Contador {
    std::map<std::string, int> veces;
    EventosWord eventos() {
        EventosWord e;
        e.antesDeCerrarDocumento = [this] { ++veces["antesDeCerrar"]; };
        e.cambioDeDocumento = [this] { ++veces["cambio"]; };
        e.documentoAbierto = [this] { ++veces["abierto"]; };
        e.salir = [this] { ++veces["salir"]; };
        e.ventanaActivada = [this] { ++veces["activada"]; };
        e.ventanaDesactivada = [this] { ++veces["desactivada"]; };
        e.cambioDeSeleccion = [this] { ++veces["seleccion"]; };
        return e;
    }
};

} // namespace

TEST(Documento, TrasSalirTodoFallaConOtro) {
    DocumentoPropio doc;
    doc.escribir("algo");
    doc.salir();
    EXPECT_FALSE(doc.enMarcha());
    EXPECT_FALSE(doc.leer().abierto);
    EXPECT_EQ(tipoDeError([&] { doc.mostrarAplicacion(); }), ErrorWord::Tipo::otro);
    for (auto& [nombre, op] : operaciones())
        EXPECT_EQ(tipoDeError([&] { op(doc); }), ErrorWord::Tipo::otro) << nombre;
    doc.cerrarDocumento();
    EXPECT_EQ(tipoDeError([&] { doc.pagina(); }), ErrorWord::Tipo::otro);
}

TEST(Documento, LosEventosLleganDespuesYNoDentroDeLaLlamada) {
    DocumentoPropio doc;
    Contador c;
    doc.suscribir(c.eventos());
    doc.insertarTexto("\rA\r");
    doc.contraerSeleccion(false);
    doc.moverCursor(-1);
    EXPECT_EQ(c.veces["seleccion"], 0); // not while the notebook's call runs
    QCoreApplication::processEvents();
    EXPECT_EQ(c.veces["seleccion"], 1); // several moves, one event
    doc.moverCursor(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(c.veces["seleccion"], 1); // nothing moved
    doc.moverCursor(1);
    doc.entregarEventos(); // a driver's "let pending events run"
    QCoreApplication::processEvents();
    EXPECT_EQ(c.veces["seleccion"], 2); // not twice
    // Closing, opening, activation and quitting; nothing after the quit.
    c.veces.clear();
    doc.cerrarDocumento();
    doc.nuevoDocumento();
    doc.avisarActivacion(true);
    doc.avisarActivacion(false);
    doc.salir();
    doc.salir();
    doc.avisarActivacion(true);
    doc.entregarEventos();
    c.veces.erase("seleccion");
    EXPECT_EQ(c.veces, (std::map<std::string, int>{{"abierto", 1},
                                                   {"activada", 1},
                                                   {"antesDeCerrar", 2},
                                                   {"cambio", 1},
                                                   {"desactivada", 1},
                                                   {"salir", 1}}));
}

TEST(Documento, UnManejadorQueMueveLaSeleccionNoSeRealimenta) {
    DocumentoPropio doc;
    int veces = 0;
    EventosWord e;
    e.cambioDeSeleccion = [&] {
        ++veces;
        doc.moverCursor(veces % 2 ? -1 : 1);
    };
    doc.suscribir(e);
    doc.escribir("ab");
    doc.entregarEventos();
    EXPECT_EQ(veces, 1); // the handler's own move waits for the next pass
    doc.entregarEventos();
    EXPECT_EQ(veces, 2);
}

TEST(Documento, SoloLaEscrituraLoModifica) {
    DocumentoPropio doc;
    EXPECT_FALSE(doc.documento()->isModified());
    doc.fijarPagina(612, 72, 72);
    EXPECT_FALSE(doc.documento()->isModified());
    doc.escribir("a");
    EXPECT_TRUE(doc.documento()->isModified());
    doc.nuevoDocumento();
    EXPECT_FALSE(doc.documento()->isModified());
}

TEST(Documento, LaTablaOcupaLaLinea) {
    DocumentoPropio doc;
    doc.agregarTabla(2, 3);
    const QTextLength ancho = doc.seleccion().currentTable()->format().width();
    EXPECT_EQ(ancho.type(), QTextLength::PercentageLength);
    EXPECT_EQ(ancho.rawValue(), 100);
}

TEST(Documento, ElFormatoDeUnEnvioSeDeshaceDeUnaVez) {
    DocumentoPropio doc;
    doc.insertarTexto("\rabc\r");
    doc.fuenteSeleccion("Courier New");
    doc.formatear(2, 1, Atributo::negrita);
    doc.formatear(3, 1, Atributo::cursiva);
    doc.formatear(4, 1, Atributo::color, rgb(0, 128, 0));
    QCoreApplication::processEvents(); // the notebook lets events run
    doc.documento()->undo();
    DocumentoLeido d = doc.leer();
    EXPECT_EQ(d.parrafos.at(1).texto, "abc");
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(tramoEn(d, 1, i).negrita);
        EXPECT_FALSE(tramoEn(d, 1, i).cursiva);
        EXPECT_FALSE(tramoEn(d, 1, i).color.has_value());
        EXPECT_NE(tramoEn(d, 1, i).fuente, "Courier New");
    }
    doc.documento()->undo(); // then the text itself
    EXPECT_EQ(doc.leer().parrafos.size(), 1u);
}

TEST(Documento, ElLoteDeFormatoSeCierraAntesDeEscribir) {
    DocumentoPropio doc;
    doc.insertarTexto("\rab\r");
    doc.formatear(2, 1, Atributo::negrita);
    // No event loop ran: the next operation that is not formatting ends the
    // batch, so the formatting and the new text are two undo steps.
    doc.contraerSeleccion(false);
    doc.escribir("z");
    doc.documento()->undo();
    const DocumentoLeido d = doc.leer();
    ASSERT_EQ(d.parrafos.size(), 3u);
    EXPECT_EQ(d.parrafos[2].texto, "");
    EXPECT_TRUE(tramoEn(d, 1, 0).negrita);
}
