#pragma once
// The contract's text: the new document, the page, inserting and its
// selection, the character numbering, formats, the pupil's typing, closing.
#include <filesystem>
#include <fstream>
#include <set>
#include <unistd.h>

#include "contrato/contrato.h"

namespace renglero::contrato {

template <class Documento> class ContratoTexto : public ConDocumento<Documento> {};
TYPED_TEST_SUITE_P(ContratoTexto);

using V = std::vector<std::string>;

TYPED_TEST_P(ContratoTexto, EmpiezaConUnParrafoVacioEnA4) {
    Word& w = this->word();
    const Pagina p = w.pagina();
    EXPECT_NEAR(p.ancho, 595.3, 0.1);
    EXPECT_NEAR(p.margenIzquierdo, 70.87, 0.05);
    EXPECT_NEAR(p.margenDerecho, 70.87, 0.05);
    // 453.5 points of line (Writer, in hundredths of a millimetre, gives
    // 453.63): the notebook's Texto grid gets 62 columns.
    EXPECT_NEAR(p.ancho - p.margenIzquierdo - p.margenDerecho, 453.5, 0.2);
    const DocumentoLeido d = w.leer();
    EXPECT_TRUE(d.abierto);
    EXPECT_EQ(textos(d), V{""});
    EXPECT_TRUE(d.tablas.empty());
    EXPECT_EQ(d.parrafoCursor, 0);
    EXPECT_FALSE(d.tablaCursor.has_value());
    EXPECT_EQ(w.textoPrimerParrafo(), "\r");
    // Text where nothing was set carries the document's own font.
    this->manejo().escribir("hola");
    EXPECT_EQ(tramoEn(w.leer(), 0, 0).fuente, "Times New Roman");
}

TYPED_TEST_P(ContratoTexto, FijarPagina) {
    this->manejo().fijarPagina(612, 72, 36);
    const Pagina p = this->word().pagina();
    EXPECT_NEAR(p.ancho, 612, 0.05);
    EXPECT_NEAR(p.margenIzquierdo, 72, 0.05);
    EXPECT_NEAR(p.margenDerecho, 36, 0.05);
}

TYPED_TEST_P(ContratoTexto, InsertarTextoParteEnParrafosYSeleccionaLoInsertado) {
    Word& w = this->word();
    this->manejo().escribir("uno");
    w.insertarTexto("\rab\rcd\r");
    EXPECT_EQ(textos(w.leer()), (V{"uno", "ab", "cd", ""}));
    // The selection starts at the end of "uno": its first paragraph is that one.
    EXPECT_EQ(w.textoPrimerParrafo(), "uno\r");
    // Collapsed to its end, the cursor waits in the empty paragraph after the block.
    w.contraerSeleccion(false);
    EXPECT_EQ(w.leer().parrafoCursor, 3);
}

TYPED_TEST_P(ContratoTexto, ElCaracterUnoEsElPrimerSalto) {
    Word& w = this->word();
    w.insertarTexto("\rABCD\rEFGH\r");
    // 1 break, 2..5 ABCD, 6 break, 7 E, 8 F.
    w.formatear(8, 1, Atributo::negrita);
    w.formatear(3, 2, Atributo::cursiva);
    const DocumentoLeido d = w.leer();
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

TYPED_TEST_P(ContratoTexto, CadaAtributoSoloEnSuCaracter) {
    Word& w = this->word();
    w.insertarTexto("\rabcdefghij\r");
    w.fuenteSeleccion("Courier New");
    w.formatear(2, 1, Atributo::simbolo);
    w.formatear(3, 1, Atributo::superindice);
    w.formatear(4, 1, Atributo::subindice);
    w.formatear(5, 1, Atributo::negrita);
    w.formatear(6, 1, Atributo::subrayado);
    w.formatear(7, 1, Atributo::tachado);
    w.formatear(8, 1, Atributo::cursiva);
    w.formatear(9, 1, Atributo::color, rgb(255, 0, 0));
    w.formatear(10, 1, Atributo::color, colorPaleta(9));
    w.contraerSeleccion(false);
    const DocumentoLeido d = w.leer();
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

TYPED_TEST_P(ContratoTexto, LosAtributosSeSuman) {
    Word& w = this->word();
    w.insertarTexto("\rxyz\r");
    w.formatear(2, 3, Atributo::negrita);
    w.formatear(3, 1, Atributo::subrayado);
    w.formatear(3, 1, Atributo::superindice);
    w.formatear(3, 1, Atributo::subindice); // lowered wins over raised
    const DocumentoLeido d = w.leer();
    EXPECT_TRUE(tramoEn(d, 1, 1).negrita);
    EXPECT_TRUE(tramoEn(d, 1, 1).subrayado);
    EXPECT_TRUE(tramoEn(d, 1, 1).subindice);
    EXPECT_FALSE(tramoEn(d, 1, 1).superindice);
    EXPECT_TRUE(tramoEn(d, 1, 0).negrita);
    EXPECT_FALSE(tramoEn(d, 1, 0).subrayado);
    EXPECT_FALSE(tramoEn(d, 1, 0).color.has_value());
}

TYPED_TEST_P(ContratoTexto, FormatosEnCualquierOrden) {
    // Runs of different attributes come back and forth over the block.
    Word& w = this->word();
    w.insertarTexto("\rabcdef\rghijkl\r");
    w.formatear(9, 3, Atributo::negrita);
    w.formatear(2, 2, Atributo::cursiva);
    w.formatear(3, 4, Atributo::negrita);
    w.formatear(13, 1, Atributo::subrayado);
    w.contraerSeleccion(false);
    const DocumentoLeido d = w.leer();
    const auto& a = d.parrafos[1].tramos;
    ASSERT_EQ(a.size(), 4u);
    EXPECT_TRUE(a[0].cursiva && !a[0].negrita && a[0].largo == 1);
    EXPECT_TRUE(a[1].cursiva && a[1].negrita && a[1].largo == 1);
    EXPECT_TRUE(!a[2].cursiva && a[2].negrita && a[2].largo == 3);
    EXPECT_TRUE(!a[3].negrita && a[3].largo == 1);
    const auto& b = d.parrafos[2].tramos;
    ASSERT_EQ(b.size(), 4u);
    EXPECT_TRUE(b[0].negrita && b[0].largo == 3);
    EXPECT_TRUE(!b[1].subrayado && b[1].largo == 1);
    EXPECT_TRUE(b[2].subrayado && b[2].largo == 1 && b[2].inicio == 4);
}

TYPED_TEST_P(ContratoTexto, FormatearFueraDeLaSeleccionFalla) {
    Word& w = this->word();
    w.insertarTexto("\rAB\r"); // 4 characters
    EXPECT_EQ(tipoDeError([&] { w.formatear(0, 1, Atributo::negrita); }), ErrorWord::Tipo::otro);
    EXPECT_EQ(tipoDeError([&] { w.formatear(5, 1, Atributo::negrita); }), ErrorWord::Tipo::otro);
    EXPECT_EQ(tipoDeError([&] { w.formatear(3, 3, Atributo::negrita); }), ErrorWord::Tipo::otro);
    EXPECT_NO_THROW(w.formatear(4, 1, Atributo::negrita));
}

TYPED_TEST_P(ContratoTexto, LaNumeracionCuentaPuntosDeCodigo) {
    Word& w = this->word();
    // A sign outside the BMP takes two UTF-16 units but is one character.
    w.insertarTexto("\r\xF0\x9D\x9C\x8B"
                    "A\xCF\x80\r");
    w.formatear(3, 1, Atributo::negrita); // "A"
    w.formatear(4, 1, Atributo::simbolo); // "π"
    const DocumentoLeido d = w.leer();
    const auto& p = d.parrafos.at(1);
    EXPECT_EQ(p.texto, "\xF0\x9D\x9C\x8B"
                       "A\xCF\x80");
    ASSERT_EQ(p.tramos.size(), 3u);
    EXPECT_EQ(p.tramos[0].largo, 1);
    EXPECT_FALSE(p.tramos[0].negrita);
    EXPECT_EQ(p.tramos[1].inicio, 1);
    EXPECT_TRUE(p.tramos[1].negrita);
    EXPECT_EQ(p.tramos[2].inicio, 2);
    EXPECT_FALSE(p.tramos[2].negrita);
    EXPECT_EQ(p.tramos[2].fuente, "Symbol");
    // Five characters: break, sign, A, π, break.
    EXPECT_NO_THROW(w.formatear(5, 1, Atributo::negrita));
    EXPECT_EQ(tipoDeError([&] { w.formatear(6, 1, Atributo::negrita); }), ErrorWord::Tipo::otro);
}

TYPED_TEST_P(ContratoTexto, EnvioCompletoYLoQueSeEscribeDespues) {
    // F9's sequence: check the paragraph, insert, font, formats, collapse.
    Word& w = this->word();
    EXPECT_EQ(w.textoPrimerParrafo(), "\r");
    w.insertarTexto("\r125\r+37\r");
    w.fuenteSeleccion("Courier New");
    w.formatear(2, 3, Atributo::negrita);
    w.contraerSeleccion(false);
    EXPECT_EQ(w.textoPrimerParrafo(), "\r"); // a second F9 is accepted at once
    this->manejo().escribir("fin");
    const DocumentoLeido d = w.leer();
    EXPECT_EQ(textos(d), (V{"", "125", "+37", "fin"}));
    ASSERT_EQ(d.parrafos[1].tramos.size(), 1u);
    EXPECT_EQ(d.parrafos[1].tramos[0].fuente, "Courier New");
    EXPECT_TRUE(d.parrafos[1].tramos[0].negrita);
    EXPECT_EQ(d.parrafos[2].tramos[0].fuente, "Courier New");
    EXPECT_FALSE(d.parrafos[2].tramos[0].negrita);
    // What the pupil types after the block keeps the document's own font.
    ASSERT_EQ(d.parrafos[3].tramos.size(), 1u);
    EXPECT_EQ(d.parrafos[3].tramos[0].fuente, "Times New Roman");
    EXPECT_EQ(d.parrafoCursor, 3);
}

TYPED_TEST_P(ContratoTexto, ContraerYFinIgualAInicio) {
    Word& w = this->word();
    ManejoDocumento& m = this->manejo();
    m.escribir("abc");
    w.insertarTexto("\rxy\r");
    w.finIgualAInicio();
    EXPECT_EQ(w.leer().parrafoCursor, 0);
    m.escribir("!");
    w.insertarTexto("\rX\r");
    w.contraerSeleccion(true);
    m.escribir("?");
    EXPECT_EQ(w.leer().parrafos.at(0).texto, "abc!?");
}

TYPED_TEST_P(ContratoTexto, InsertarNoBorraLoSeleccionado) {
    Word& w = this->word();
    w.insertarTexto("abc");
    w.insertarTexto("d");
    EXPECT_EQ(w.leer().parrafos.at(0).texto, "abcd");
}

TYPED_TEST_P(ContratoTexto, TextoPrimerParrafoYMoverCursor) {
    Word& w = this->word();
    ManejoDocumento& m = this->manejo();
    m.escribir("  \ndos");
    EXPECT_EQ(w.textoPrimerParrafo(), "dos\r");
    m.moverCursor(-4); // to the end of the first paragraph
    EXPECT_EQ(w.textoPrimerParrafo(), "  \r");
    EXPECT_EQ(w.leer().parrafoCursor, 0);
    m.moverCursor(2);
    EXPECT_EQ(w.leer().parrafoCursor, 1);
}

TYPED_TEST_P(ContratoTexto, LaNumeracionSigueAlTextoNuevo) {
    Word& w = this->word();
    ManejoDocumento& m = this->manejo();
    w.insertarTexto("\rAB\r");
    w.formatear(2, 1, Atributo::negrita); // counted before the sign came
    w.contraerSeleccion(false);
    m.escribir("\xF0\x9D\x9C\x8B"); // the pupil types a sign outside the BMP
    w.insertarTexto("CD");
    m.moverCursor(-100);
    w.insertarTexto("\r\xF0\x9D\x9C\x8B"
                    "EF\r");
    w.formatear(4, 1, Atributo::cursiva); // "F"
    const DocumentoLeido d = w.leer();
    EXPECT_EQ(d.parrafos.at(1).texto, "\xF0\x9D\x9C\x8B"
                                      "EF");
    EXPECT_FALSE(tramoEn(d, 1, 1).cursiva);
    EXPECT_TRUE(tramoEn(d, 1, 2).cursiva);
}

TYPED_TEST_P(ContratoTexto, ElTextoNuevoTomaElFormatoDelPunto) {
    Word& w = this->word();
    w.insertarTexto("\rAB\r");
    w.fuenteSeleccion("Courier New");
    w.formatear(3, 1, Atributo::negrita);
    w.contraerSeleccion(true);
    this->manejo().moverCursor(3); // after the bold B
    this->manejo().escribir("C");
    const DocumentoLeido d = w.leer();
    EXPECT_EQ(d.parrafos.at(1).texto, "ABC");
    EXPECT_TRUE(tramoEn(d, 1, 2).negrita);
    EXPECT_EQ(tramoEn(d, 1, 2).fuente, "Courier New");
}

TYPED_TEST_P(ContratoTexto, EscribirYMoverComoElAlumno) {
    Word& w = this->word();
    ManejoDocumento& m = this->manejo();
    m.escribir("Hola\nmundo");
    m.moverCursor(-5);
    m.escribir("X");
    m.moverCursor(-100); // stops at the start
    m.escribir("<");
    m.moverCursor(100);
    m.escribir(">");
    const DocumentoLeido d = w.leer();
    EXPECT_EQ(textos(d), (V{"<Hola", "Xmundo>"}));
    EXPECT_EQ(d.parrafoCursor, 1);
    // Typing over a selection replaces it.
    w.insertarTexto("abc");
    m.escribir("Z");
    EXPECT_EQ(w.leer().parrafos.at(1).texto, "Xmundo>Z");
}

TYPED_TEST_P(ContratoTexto, GuardarOdt) {
    this->manejo().escribir("guardado");
    const auto ruta = std::filesystem::temp_directory_path() /
                      ("renglero-contrato-" + std::to_string(::getpid()) + ".odt");
    ASSERT_TRUE(this->manejo().guardar(ruta.string()));
    std::ifstream f(ruta, std::ios::binary);
    char cabecera[2] = {};
    f.read(cabecera, 2);
    EXPECT_EQ(std::string(cabecera, 2), "PK");
    std::filesystem::remove(ruta);
}

TYPED_TEST_P(ContratoTexto, SinDocumentoTodoFallaConSinDocumento) {
    Word& w = this->word();
    ManejoDocumento& m = this->manejo();
    m.cerrarDocumento();
    EXPECT_FALSE(w.leer().abierto);
    EXPECT_NO_THROW(w.mostrarAplicacion());
    for (auto& [nombre, op] : operaciones())
        EXPECT_EQ(tipoDeError([&] { op(w); }), ErrorWord::Tipo::sinDocumento) << nombre;
    EXPECT_FALSE(m.guardar("/tmp/renglero_no_debe_existir.odt"));
    m.escribir("nada"); // the pupil has nowhere to type
    m.nuevoDocumento();
    const DocumentoLeido d = w.leer();
    EXPECT_TRUE(d.abierto);
    EXPECT_EQ(textos(d), V{""});
    EXPECT_EQ(w.textoPrimerParrafo(), "\r");
}

TYPED_TEST_P(ContratoTexto, FueraDeTablaLasOperacionesDeTablaFallanConOtro) {
    Word& w = this->word();
    EXPECT_FALSE(w.enTabla());
    const std::set<std::string> sinTabla = {
        "textoPrimerParrafo", "insertarTexto",        "fuenteSeleccion", "formatear",
        "insertarBloque",     "contraerSeleccion",    "finIgualAInicio", "enTabla",
        "agregarTabla",       "mostrarLineasDeTabla", "pagina"};
    for (auto& [nombre, op] : operaciones()) {
        if (sinTabla.count(nombre)) continue;
        EXPECT_EQ(tipoDeError([&] { op(w); }), ErrorWord::Tipo::otro) << nombre;
    }
}

REGISTER_TYPED_TEST_SUITE_P(ContratoTexto, EmpiezaConUnParrafoVacioEnA4, FijarPagina,
                            InsertarTextoParteEnParrafosYSeleccionaLoInsertado,
                            ElCaracterUnoEsElPrimerSalto, CadaAtributoSoloEnSuCaracter,
                            LosAtributosSeSuman, FormatosEnCualquierOrden,
                            FormatearFueraDeLaSeleccionFalla, LaNumeracionCuentaPuntosDeCodigo,
                            EnvioCompletoYLoQueSeEscribeDespues, ContraerYFinIgualAInicio,
                            InsertarNoBorraLoSeleccionado, TextoPrimerParrafoYMoverCursor,
                            LaNumeracionSigueAlTextoNuevo, ElTextoNuevoTomaElFormatoDelPunto,
                            EscribirYMoverComoElAlumno, GuardarOdt,
                            SinDocumentoTodoFallaConSinDocumento,
                            FueraDeTablaLasOperacionesDeTablaFallanConOtro);

} // namespace renglero::contrato
