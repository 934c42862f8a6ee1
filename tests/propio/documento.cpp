// The embedded document beyond the word processor's contract: its
// selection, its line, quitting, its events and its undo steps.
#include <QCoreApplication>
#include <gtest/gtest.h>

#include "contrato/contrato.h"
#include "propio/DocumentoPropio.h"

using namespace renglero;
using contrato::operaciones;
using contrato::tipoDeError;
using contrato::tramoEn;

namespace {

struct Contador {
    int antesDeCerrar = 0, cambio = 0, abierto = 0, salir = 0, activada = 0, desactivada = 0,
        seleccion = 0;
    EventosWord eventos() {
        EventosWord e;
        e.antesDeCerrarDocumento = [this] { ++antesDeCerrar; };
        e.cambioDeDocumento = [this] { ++cambio; };
        e.documentoAbierto = [this] { ++abierto; };
        e.salir = [this] { ++salir; };
        e.ventanaActivada = [this] { ++activada; };
        e.ventanaDesactivada = [this] { ++desactivada; };
        e.cambioDeSeleccion = [this] { ++seleccion; };
        return e;
    }
};

} // namespace

TEST(Documento, LaLineaEsLaDeLaPagina) {
    DocumentoPropio doc;
    doc.fijarPagina(612, 72, 90);
    EXPECT_FLOAT_EQ(doc.anchoLinea(), 450);
}

TEST(Documento, LaSeleccionAbarcaLoInsertado) {
    DocumentoPropio doc;
    doc.insertarTexto("\rABCD\rEFGH\r");
    // The eleven inserted characters, from the first break.
    EXPECT_EQ(doc.seleccion().selectionEnd() - doc.seleccion().selectionStart(), 11);
    doc.finIgualAInicio();
    EXPECT_FALSE(doc.seleccion().hasSelection());
}

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
    EXPECT_EQ(c.seleccion, 0); // not while the notebook's call runs
    QCoreApplication::processEvents();
    EXPECT_EQ(c.seleccion, 1); // several moves, one event
    doc.moverCursor(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(c.seleccion, 1); // nothing moved
    doc.moverCursor(1);
    doc.entregarEventos(); // a driver's "let pending events run"
    EXPECT_EQ(c.seleccion, 2);
    QCoreApplication::processEvents();
    EXPECT_EQ(c.seleccion, 2); // not twice
}

TEST(Documento, EventosDeAbrirCerrarYSalir) {
    DocumentoPropio doc;
    Contador c;
    doc.suscribir(c.eventos());
    doc.cerrarDocumento();
    doc.entregarEventos();
    EXPECT_EQ(c.antesDeCerrar, 1);
    EXPECT_EQ(c.abierto, 0);
    doc.nuevoDocumento();
    doc.entregarEventos();
    EXPECT_EQ(c.abierto, 1);
    EXPECT_EQ(c.cambio, 1);
    doc.avisarActivacion(true);
    doc.avisarActivacion(false);
    doc.entregarEventos();
    EXPECT_EQ(c.activada, 1);
    EXPECT_EQ(c.desactivada, 1);
    doc.salir();
    doc.entregarEventos();
    EXPECT_EQ(c.salir, 1);
    EXPECT_EQ(c.antesDeCerrar, 2);
    doc.salir();
    doc.avisarActivacion(true);
    doc.entregarEventos();
    EXPECT_EQ(c.salir, 1);
    EXPECT_EQ(c.activada, 1);
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
