// The embedded document as the notebook drives it: text, selection, the
// character numbering, formatting, errors and events.
#include <QCoreApplication>
#include <functional>
#include <gtest/gtest.h>
#include <set>

#include "propio/DocumentoPropio.h"

using namespace renglero;

namespace {

// The run of paragraph p that holds character i (0-based in the paragraph).
const TramoLeido& tramoEn(const DocumentoLeido& d, int p, int i) {
    for (const TramoLeido& t : d.parrafos.at(p).tramos)
        if (i >= t.inicio && i < t.inicio + t.largo) return t;
    throw std::out_of_range("no run there");
}

ErrorWord::Tipo tipoDeError(const std::function<void()>& f) {
    try {
        f();
    } catch (const ErrorWord& e) {
        return e.tipo();
    }
    ADD_FAILURE() << "no ErrorWord";
    return ErrorWord::Tipo::otro;
}

// Every operation of the automation component, each called once.
std::vector<std::pair<const char*, std::function<void(Word&)>>> operaciones() {
    return {
        {"textoPrimerParrafo", [](Word& w) { w.textoPrimerParrafo(); }},
        {"insertarTexto", [](Word& w) { w.insertarTexto("\rA\r"); }},
        {"fuenteSeleccion", [](Word& w) { w.fuenteSeleccion("Courier New"); }},
        {"formatear", [](Word& w) { w.formatear(1, 1, Atributo::negrita); }},
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

TEST(Documento, EmpiezaConUnParrafoVacioEnA4) {
    DocumentoPropio doc;
    const Pagina p = doc.pagina();
    EXPECT_FLOAT_EQ(p.ancho, 595.3f);
    EXPECT_FLOAT_EQ(p.margenIzquierdo, 70.87f);
    EXPECT_FLOAT_EQ(p.margenDerecho, 70.87f);
    // 453.5 points of line: the notebook's Texto grid gets 62 columns.
    EXPECT_NEAR(p.ancho - p.margenIzquierdo - p.margenDerecho, 453.5, 0.1);
    const DocumentoLeido d = doc.leer();
    EXPECT_TRUE(d.abierto);
    ASSERT_EQ(d.parrafos.size(), 1u);
    EXPECT_EQ(d.parrafos[0].texto, "");
    EXPECT_TRUE(d.tablas.empty());
    EXPECT_EQ(d.parrafoCursor, 0);
    EXPECT_FALSE(d.tablaCursor.has_value());
    EXPECT_EQ(doc.textoPrimerParrafo(), "\r");
}

TEST(Documento, FijarPaginaCambiaLaLinea) {
    DocumentoPropio doc;
    doc.fijarPagina(612, 72, 90);
    const Pagina p = doc.pagina();
    EXPECT_FLOAT_EQ(p.ancho, 612);
    EXPECT_FLOAT_EQ(p.margenIzquierdo, 72);
    EXPECT_FLOAT_EQ(p.margenDerecho, 90);
    EXPECT_FLOAT_EQ(doc.anchoLinea(), 450);
}

TEST(Documento, InsertarTextoParteEnParrafosYSeleccionaLoInsertado) {
    DocumentoPropio doc;
    doc.insertarTexto("\rABCD\rEFGH\r");
    const DocumentoLeido d = doc.leer();
    ASSERT_EQ(d.parrafos.size(), 4u);
    EXPECT_EQ(d.parrafos[0].texto, "");
    EXPECT_EQ(d.parrafos[1].texto, "ABCD");
    EXPECT_EQ(d.parrafos[2].texto, "EFGH");
    EXPECT_EQ(d.parrafos[3].texto, "");
    // The selection spans the eleven inserted characters, from the first break.
    EXPECT_EQ(doc.seleccion().selectionEnd() - doc.seleccion().selectionStart(), 11);
    EXPECT_EQ(doc.textoPrimerParrafo(), "\r");
    // Collapsed to its end, the cursor waits in the empty paragraph after the block.
    doc.contraerSeleccion(false);
    EXPECT_EQ(doc.leer().parrafoCursor, 3);
    EXPECT_EQ(doc.textoPrimerParrafo(), "\r");
}

TEST(Documento, ElCaracterUnoEsElPrimerSalto) {
    DocumentoPropio doc;
    doc.insertarTexto("\rABCD\rEFGH\r");
    // 1 break, 2..5 ABCD, 6 break, 7 E, 8 F.
    doc.formatear(8, 1, Atributo::negrita);
    doc.formatear(3, 2, Atributo::cursiva);
    const DocumentoLeido d = doc.leer();
    EXPECT_FALSE(tramoEn(d, 2, 0).negrita);
    EXPECT_TRUE(tramoEn(d, 2, 1).negrita);
    EXPECT_FALSE(tramoEn(d, 2, 2).negrita);
    EXPECT_FALSE(tramoEn(d, 1, 0).cursiva);
    EXPECT_TRUE(tramoEn(d, 1, 1).cursiva);
    EXPECT_TRUE(tramoEn(d, 1, 2).cursiva);
    EXPECT_FALSE(tramoEn(d, 1, 3).cursiva);
    ASSERT_EQ(d.parrafos[2].tramos.size(), 3u);
    EXPECT_EQ(d.parrafos[2].tramos[1].inicio, 1);
    EXPECT_EQ(d.parrafos[2].tramos[1].largo, 1);
}

TEST(Documento, CadaAtributoSoloEnSuCaracter) {
    DocumentoPropio doc;
    doc.insertarTexto("\rabcdefghij\r");
    doc.fuenteSeleccion("Courier New");
    doc.formatear(2, 1, Atributo::simbolo);
    doc.formatear(3, 1, Atributo::superindice);
    doc.formatear(4, 1, Atributo::subindice);
    doc.formatear(5, 1, Atributo::negrita);
    doc.formatear(6, 1, Atributo::subrayado);
    doc.formatear(7, 1, Atributo::tachado);
    doc.formatear(8, 1, Atributo::cursiva);
    doc.formatear(9, 1, Atributo::color, rgb(255, 0, 0));
    doc.formatear(10, 1, Atributo::color, colorPaleta(9));
    const DocumentoLeido d = doc.leer();
    const auto& p = d.parrafos.at(1);
    ASSERT_EQ(p.texto, "abcdefghij");
    ASSERT_EQ(p.tramos.size(), 10u); // each character differs from its neighbours
    EXPECT_EQ(tramoEn(d, 1, 0).fuente, "Symbol");
    for (int i = 1; i < 10; ++i)
        EXPECT_EQ(tramoEn(d, 1, i).fuente, "Courier New") << i;
    EXPECT_TRUE(tramoEn(d, 1, 1).superindice);
    EXPECT_FALSE(tramoEn(d, 1, 1).subindice);
    EXPECT_TRUE(tramoEn(d, 1, 2).subindice);
    EXPECT_TRUE(tramoEn(d, 1, 3).negrita);
    EXPECT_TRUE(tramoEn(d, 1, 4).subrayado);
    EXPECT_TRUE(tramoEn(d, 1, 5).tachado);
    EXPECT_TRUE(tramoEn(d, 1, 6).cursiva);
    EXPECT_EQ(tramoEn(d, 1, 7).color, rgb(255, 0, 0));
    EXPECT_EQ(tramoEn(d, 1, 8).color, rgb(0, 0, 255));
    // Nothing else was switched on anywhere; the last one is plain.
    for (int i = 0; i < 10; ++i) {
        const TramoLeido& t = tramoEn(d, 1, i);
        const int encendidos = t.negrita + t.cursiva + t.subrayado + t.tachado + t.superindice +
                               t.subindice + t.color.has_value() + (t.fuente == "Symbol");
        EXPECT_EQ(encendidos, i < 9 ? 1 : 0) << i;
    }
}

TEST(Documento, LosAtributosSeSuman) {
    DocumentoPropio doc;
    doc.insertarTexto("\rxyz\r");
    doc.formatear(2, 3, Atributo::negrita);
    doc.formatear(3, 1, Atributo::subrayado);
    doc.formatear(3, 1, Atributo::superindice);
    doc.formatear(3, 1, Atributo::subindice); // lowered wins over raised
    const DocumentoLeido d = doc.leer();
    EXPECT_TRUE(tramoEn(d, 1, 1).negrita);
    EXPECT_TRUE(tramoEn(d, 1, 1).subrayado);
    EXPECT_TRUE(tramoEn(d, 1, 1).subindice);
    EXPECT_FALSE(tramoEn(d, 1, 1).superindice);
    EXPECT_TRUE(tramoEn(d, 1, 0).negrita);
    EXPECT_FALSE(tramoEn(d, 1, 0).subrayado);
    EXPECT_FALSE(tramoEn(d, 1, 0).color.has_value());
}

TEST(Documento, FormatearFueraDeLaSeleccionFalla) {
    DocumentoPropio doc;
    doc.insertarTexto("\rAB\r"); // 4 characters
    EXPECT_EQ(tipoDeError([&] { doc.formatear(0, 1, Atributo::negrita); }), ErrorWord::Tipo::otro);
    EXPECT_EQ(tipoDeError([&] { doc.formatear(5, 1, Atributo::negrita); }), ErrorWord::Tipo::otro);
    EXPECT_EQ(tipoDeError([&] { doc.formatear(3, 3, Atributo::negrita); }), ErrorWord::Tipo::otro);
    EXPECT_NO_THROW(doc.formatear(4, 1, Atributo::negrita));
}

TEST(Documento, LaNumeracionCuentaPuntosDeCodigo) {
    DocumentoPropio doc;
    // A sign outside the BMP takes two QChar but is one character.
    doc.insertarTexto("\r\xF0\x9D\x9C\x8B"
                      "AB\r");
    doc.formatear(3, 1, Atributo::negrita); // "A"
    const DocumentoLeido d = doc.leer();
    const auto& p = d.parrafos.at(1);
    ASSERT_EQ(p.tramos.size(), 3u);
    EXPECT_EQ(p.tramos[0].largo, 1);
    EXPECT_FALSE(p.tramos[0].negrita);
    EXPECT_EQ(p.tramos[1].inicio, 1);
    EXPECT_TRUE(p.tramos[1].negrita);
    EXPECT_EQ(p.tramos[2].inicio, 2);
    EXPECT_FALSE(p.tramos[2].negrita);
    // Five characters: break, sign, A, B, break.
    EXPECT_NO_THROW(doc.formatear(5, 1, Atributo::negrita));
    EXPECT_EQ(tipoDeError([&] { doc.formatear(6, 1, Atributo::negrita); }), ErrorWord::Tipo::otro);
}

TEST(Documento, LaNumeracionSigueAlTextoNuevo) {
    DocumentoPropio doc;
    doc.insertarTexto("\rAB\r");
    doc.formatear(2, 1, Atributo::negrita); // counted before the sign came
    doc.contraerSeleccion(false);
    doc.escribir("\xF0\x9D\x9C\x8B"); // the pupil types a sign outside the BMP
    doc.insertarTexto("CD");
    doc.moverCursor(-100);
    doc.insertarTexto("\r\xF0\x9D\x9C\x8B"
                      "EF\r");
    doc.formatear(4, 1, Atributo::cursiva); // "F"
    const DocumentoLeido d = doc.leer();
    EXPECT_EQ(d.parrafos.at(1).texto, "\xF0\x9D\x9C\x8B"
                                      "EF");
    EXPECT_FALSE(tramoEn(d, 1, 1).cursiva);
    EXPECT_TRUE(tramoEn(d, 1, 2).cursiva);
}

TEST(Documento, ElSignoDeSymbolLlegaComoElSignoReal) {
    DocumentoPropio doc;
    doc.insertarTexto("\r\xCF\x80r\xC2\xB2\r"); // πr²
    doc.formatear(2, 1, Atributo::simbolo);
    const DocumentoLeido d = doc.leer();
    EXPECT_EQ(d.parrafos.at(1).texto, "\xCF\x80r\xC2\xB2");
    EXPECT_EQ(tramoEn(d, 1, 0).fuente, "Symbol");
    EXPECT_NE(tramoEn(d, 1, 1).fuente, "Symbol");
}

TEST(Documento, ContraerYFinIgualAInicio) {
    DocumentoPropio doc;
    doc.escribir("uno");
    doc.insertarTexto("\rdos\r");
    doc.finIgualAInicio();
    EXPECT_FALSE(doc.seleccion().hasSelection());
    EXPECT_EQ(doc.seleccion().position(), 3);
    doc.insertarTexto("\rX\r");
    doc.contraerSeleccion(true);
    EXPECT_EQ(doc.seleccion().position(), 3);
    doc.insertarTexto("Y");
    doc.contraerSeleccion(false);
    EXPECT_EQ(doc.seleccion().position(), 4);
    EXPECT_EQ(doc.leer().parrafos.at(0).texto, "unoY");
}

TEST(Documento, InsertarNoBorraLoSeleccionado) {
    DocumentoPropio doc;
    doc.insertarTexto("abc");
    doc.insertarTexto("d");
    EXPECT_EQ(doc.leer().parrafos.at(0).texto, "abcd");
}

TEST(Documento, TextoPrimerParrafoEsElDelInicioDeLaSeleccion) {
    DocumentoPropio doc;
    doc.escribir("  \nHola");
    doc.moverCursor(-5); // to the end of the first paragraph
    EXPECT_EQ(doc.textoPrimerParrafo(), "  \r");
    doc.moverCursor(1);
    EXPECT_EQ(doc.textoPrimerParrafo(), "Hola\r");
}

TEST(Documento, EscribirYMoverComoElAlumno) {
    DocumentoPropio doc;
    doc.escribir("Hola\nmundo");
    doc.moverCursor(-5);
    doc.escribir("X");
    doc.moverCursor(-100); // stops at the start
    doc.escribir("<");
    doc.moverCursor(100);
    doc.escribir(">");
    const DocumentoLeido d = doc.leer();
    ASSERT_EQ(d.parrafos.size(), 2u);
    EXPECT_EQ(d.parrafos[0].texto, "<Hola");
    EXPECT_EQ(d.parrafos[1].texto, "Xmundo>");
    EXPECT_EQ(d.parrafoCursor, 1);
    // Typing over a selection replaces it.
    doc.insertarTexto("abc");
    doc.escribir("Z");
    EXPECT_EQ(doc.leer().parrafos[1].texto, "Xmundo>Z");
}

TEST(Documento, ElTextoNuevoTomaElFormatoDelPunto) {
    DocumentoPropio doc;
    doc.insertarTexto("\rAB\r");
    doc.fuenteSeleccion("Courier New");
    doc.formatear(3, 1, Atributo::negrita);
    doc.contraerSeleccion(true);
    doc.moverCursor(3); // after the bold B
    doc.escribir("C");
    const DocumentoLeido d = doc.leer();
    EXPECT_EQ(d.parrafos.at(1).texto, "ABC");
    EXPECT_TRUE(tramoEn(d, 1, 2).negrita);
    EXPECT_EQ(tramoEn(d, 1, 2).fuente, "Courier New");
    // Text where nothing was set carries the document's own font.
    DocumentoPropio otro;
    otro.escribir("x");
    EXPECT_EQ(tramoEn(otro.leer(), 0, 0).fuente, "Times New Roman");
}

TEST(Documento, SinDocumentoTodoFallaConSinDocumento) {
    DocumentoPropio doc;
    doc.cerrarDocumento();
    EXPECT_FALSE(doc.leer().abierto);
    EXPECT_NO_THROW(doc.mostrarAplicacion());
    for (auto& [nombre, op] : operaciones())
        EXPECT_EQ(tipoDeError([&] { op(doc); }), ErrorWord::Tipo::sinDocumento) << nombre;
    EXPECT_FALSE(doc.guardar("/tmp/renglero_no_debe_existir.odt"));
    doc.escribir("nada"); // the pupil has nowhere to type
    doc.nuevoDocumento();
    const DocumentoLeido d = doc.leer();
    EXPECT_TRUE(d.abierto);
    ASSERT_EQ(d.parrafos.size(), 1u);
    EXPECT_EQ(d.parrafos[0].texto, "");
    EXPECT_EQ(doc.textoPrimerParrafo(), "\r");
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

TEST(Documento, FueraDeTablaLasOperacionesDeTablaFallanConOtro) {
    DocumentoPropio doc;
    EXPECT_FALSE(doc.enTabla());
    const std::set<std::string> sinTabla = {
        "textoPrimerParrafo",   "insertarTexto",   "fuenteSeleccion", "formatear",
        "contraerSeleccion",    "finIgualAInicio", "enTabla",         "agregarTabla",
        "mostrarLineasDeTabla", "pagina"};
    for (auto& [nombre, op] : operaciones()) {
        if (sinTabla.count(nombre)) continue;
        DocumentoPropio otro;
        EXPECT_EQ(tipoDeError([&] { op(otro); }), ErrorWord::Tipo::otro) << nombre;
    }
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
