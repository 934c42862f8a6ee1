#pragma once
// The contract's text: the new document, the page, inserting and its
// selection, the character numbering, formats, the pupil's typing, closing.
#include <set>

#include "contrato/contrato.h"

namespace renglero::contrato {

template <class Documento> class ContratoTexto : public ConDocumento<Documento> {};
TYPED_TEST_SUITE_P(ContratoTexto);

// A4 with its margins, then as set. Character 1 of a block is its leading
// break; a sign outside the BMP is one character; a format outside the
// selection fails; what the pupil types takes the format where it goes.
TYPED_TEST_P(ContratoTexto, Guiones) {
    const Pagina p = this->word().pagina();
    EXPECT_NEAR(p.ancho, 595.3, 0.1);
    EXPECT_NEAR(p.margenIzquierdo, 70.87, 0.05);
    // 453.5 points of line (Writer, in hundredths of a millimetre, gives
    // 453.63): the notebook's Texto grid gets 62 columns.
    EXPECT_NEAR(p.ancho - p.margenIzquierdo - p.margenDerecho, 453.5, 0.2);
    this->manejo().fijarPagina(612, 72, 36);
    const Pagina q = this->word().pagina();
    EXPECT_NEAR(q.ancho, 612, 0.05);
    EXPECT_NEAR(q.margenIzquierdo, 72, 0.05);
    EXPECT_NEAR(q.margenDerecho, 36, 0.05);
    const std::string pi = "\xF0\x9D\x9C\x8B", otroPi = "\xCF\x80";
    this->recorrer({
        {"?;e hola", "hola @0"},
        {"e uno;i \rab\rcd\r;? uno;c", "uno|ab|cd| @3"},
        {"i \rabcdefghij\r;F Courier New;f 2 1 S;f 3 1 ^;f 4 1 _;f 5 1 N;f 6 1 U;f 7 1 T;"
         "f 8 1 I;f 9 1 #ff0000;f 10 1 #0000ff;c",
         "|[S]a[C^]b[C_]c[CN]d[CU]e[CT]f[CI]g[C#ff0000]h[C#0000ff]i[C]j| @2"},
        {"i \rxyz\r;f 2 3 N;f 3 1 U;f 3 1 ^;f 3 1 _;c", "|[N]x[NU_]y[N]z| @2"},
        {"i \rabcdef\rghijkl\r;f 9 3 N;f 2 2 I;f 3 4 N;f 13 1 U;c",
         "|[I]a[NI]b[N]cde[]f|[N]ghi[]j[U]k[]l| @3"},
        {"i \r" + pi + "A" + otroPi + "\r;f 3 1 N;f 4 1 S;f 5 1 T;!f 0 1 N;!f 6 1 N;!f 4 3 N;c",
         "|" + pi + "[N]A[S]" + otroPi + "| @2"},
        {"?;i \r125\r+37\r;F Courier New;f 2 3 N;c;?;e fin", "|[CN]125|[C]+37|fin @3"},
        {"e abc;i \rxy\r;0;e !;i \rX\r;C;e ?", "abc!?|X||xy| @0"},
        {"i abc;i d", "abcd @0"},
        {"e   \ndos;? dos;m -4;?   ;m 2", "  |dos @1"},
        {"i \rAB\r;f 2 1 N;c;e " + pi + ";i CD;m -100;i \r" + pi + "EF\r;f 4 1 I;c",
         "|" + pi + "E[I]F||[N]A[]B|" + pi + "CD @2"},
        {"i \rAB\r;F Courier New;f 3 1 N;C;m 3;e C", "|[C]A[CN]BC| @1"},
        {"e Hola\nmundo;m -5;e X;m -100;e <;m 100;e >;i abc;e Z", "<Hola|Xmundo>Z @1"},
    });
}

TYPED_TEST_P(ContratoTexto, FueraDeTablaYSinDocumento) {
    Word& w = this->word();
    ManejoDocumento& m = this->manejo();
    const std::set<std::string> sinTabla = {
        "textoPrimerParrafo", "insertarTexto",        "fuenteSeleccion", "formatear",
        "insertarBloque",     "contraerSeleccion",    "finIgualAInicio", "enTabla",
        "agregarTabla",       "mostrarLineasDeTabla", "pagina"};
    EXPECT_FALSE(w.enTabla());
    for (auto& [nombre, op] : operaciones()) {
        if (sinTabla.count(nombre)) continue;
        EXPECT_EQ(tipoDeError([&] { op(w); }), ErrorWord::Tipo::otro) << nombre;
    }
    m.cerrarDocumento();
    EXPECT_EQ(describir(w.leer()), "cerrado");
    EXPECT_NO_THROW(w.mostrarAplicacion());
    for (auto& [nombre, op] : operaciones())
        EXPECT_EQ(tipoDeError([&] { op(w); }), ErrorWord::Tipo::sinDocumento) << nombre;
    EXPECT_FALSE(m.guardar("/tmp/renglero_no_debe_existir.odt"));
    m.escribir("nada"); // the pupil has nowhere to type
    m.nuevoDocumento();
    EXPECT_EQ(describir(w.leer()), " @0");
}

REGISTER_TYPED_TEST_SUITE_P(ContratoTexto, Guiones, FueraDeTablaYSinDocumento);

} // namespace renglero::contrato
