#pragma once
// The contract's tests: the page, text, formats, typing and closing; tables as
// the table manager works them.
#include <set>

#include "contrato/contrato.h"

namespace renglero::contrato {

// A fresh document for each test.
template <class Documento> class Contrato : public ::testing::Test {
  protected:
    Word& word() { return documento_.word(); }
    ManejoDocumento& manejo() { return documento_.manejo(); }
    void seguir(const std::string& guion) { contrato::seguir(word(), manejo(), guion); }
    // The first table's widths, each within 0.2 points of those given.
    void anchos(const std::vector<double>& esperados) {
        const std::vector<double> a = word().leer().tablas.at(0).anchos;
        ASSERT_EQ(a.size(), esperados.size());
        for (std::size_t i = 0; i < a.size(); ++i)
            EXPECT_NEAR(a[i], esperados[i], 0.2) << i;
    }
    // Each script on a new document of its own.
    void recorrer(const std::vector<std::pair<std::string, std::string>>& guiones) {
        for (const auto& [guion, documento] : guiones) {
            manejo().cerrarDocumento();
            manejo().nuevoDocumento();
            seguir(guion);
            EXPECT_EQ(describir(word().leer()), documento) << guion;
        }
    }

  private:
    Documento documento_;
};

TYPED_TEST_SUITE_P(Contrato);

// A4 with its margins, then as set. Character 1 of a block is its leading
// break; a sign outside the BMP is one character; a format outside the
// selection fails; what the pupil types takes the format where it goes.
TYPED_TEST_P(Contrato, Guiones) {
    const Pagina p = this->word().pagina();
    EXPECT_NEAR(p.ancho, 595.3, 0.1);
    EXPECT_NEAR(p.margenIzquierdo, 70.87, 0.05);
    EXPECT_NEAR(p.ancho - p.margenIzquierdo - p.margenDerecho, kLinea, 0.1);
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

TYPED_TEST_P(Contrato, FueraDeTablaYSinDocumento) {
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

// At the cursor, splitting its paragraph; grid lines hidden and shown; the
// first row no heading: what goes there is as plain as anywhere.
TYPED_TEST_P(Contrato, AgregarTablaEnElCursor) {
    Word& w = this->word();
    this->recorrer({{"t 2 3;@ 1 1;e x;b \r125\r;> 1;e y", "| T0:x\n[C]125\n,y,/,, @0,1,2"}});
    EXPECT_EQ(std::pair(w.filasTabla(), w.columnasTabla()), std::pair(2, 3));
    this->anchos({kLinea / 3, kLinea / 3, kLinea / 3});
    for (bool cuadricula : {false, true}) {
        w.formatoTabla(cuadricula);
        EXPECT_EQ(w.bordeVisible(-1), cuadricula);
        EXPECT_EQ(w.bordeVisible(-5), cuadricula);
        EXPECT_EQ(this->word().leer().tablas.at(0).cuadricula, cuadricula);
    }
    EXPECT_EQ(tipoDeError([&] { w.bordeVisible(3); }), ErrorWord::Tipo::otro);
}

// Cells deleted, emptied, shaded; typing in a table and after it.
TYPED_TEST_P(Contrato, GuionesEnTablas) {
    this->recorrer({
        {"e antes despues;m -7;t 1 1", "antes |despues T0: @0,1,1"},
        {"!t 0 3;!t 2 0", " @0"},
        {"L 2 3;> 1;x c;d", "antes|| T1:11,13/21,23 @0,1,2"},
        {"L 3 2;> 3;x f;d", "antes|| T1:11,12/31,32 @0,2,1"},
        {"L 2 2;> 3;x f;d", "antes|| T1:11,12 @0,1,1"},
        {"L 1 3;> 2;x c;d", "antes|| T1:11,12 @0,1,2"},     // the expansion, not the selection
        {"L 2 2;x c;> 1;d", "antes|| T1:11,/21,22 @0,1,2"}, // the pupil's move undoes it
        {"e antes despues;m -7;t 2 2;> 3;x t;d;e |", "antes |despues @0"},
        {"L 2 2;> 1;e \nsegunda línea;v", "antes|| T1:11,/21,22 @0,1,2"},
        {"L 2 2;> 2;s 200;> 1;s 200;> -1;s 0;!s -3", "antes|| T1:11,12/21,*22 @0,2,1"},
        {"L 1 2;e a\nb;? b11", "antes|| T1:a\nb11,12 @0,1,1"},
        {"L 1 1;m 100;e después", "antes||después T1:11 @2"},
        {"L 2 2;+", "antes|| T1:11,12/21,22/, @0,1,1"},
        // The cell mark leaves the very cell it was put on, wherever the
        // selection went since and when its cell is gone; one cell carries it;
        // out of the table no mark goes on, and the old one leaves.
        {"t 2 2;k;> 3;K", "| T0:,/, @0,2,2"},
        {"t 2 2;> 1;k;> -1;k", "| T0:*,/, @0,1,1"},
        {"t 2 2;k;x f;d;K;k", "| T0:*, @0,1,1"},
        {"t 2 2;k;m 50;!k", "| T0:,/, @1"},
        // In reading order; down one row: as many cells as columns; past either end: to the end.
        {"L 2 3;@ 1 1;> 1;@ 1 2;> 3;@ 2 2;> -2;@ 1 3;> 100;@ 2 3;> -100;@ 1 1;> 4",
         "antes|| T1:11,12,13/21,22,23 @0,2,2"},
    });
}

// A column added as wide as the last; fitted to the window, the line in the same proportions, the
// cursor kept; equalized, all alike; auto-fit and grid lines shown leave them as they were.
TYPED_TEST_P(Contrato, AnchosDeColumna) {
    Word& w = this->word();
    this->seguir("L 2 2;> 1");
    w.fijarAnchoColumna(w.anchoColumna() + 15);
    EXPECT_NEAR(w.anchoColumna(), kLinea / 2 + 15, 0.2);
    this->seguir("> -1");
    w.fijarAnchoColumna(100);
    w.agregarColumna();
    const double b = kLinea / 2 + 15, k = kLinea / (100 + 2 * b);
    this->anchos({100, b, b});
    w.ajustarAVentana();
    w.permitirAutoajuste();
    w.mostrarLineasDeTabla();
    this->anchos({100 * k, b * k, b * k});
    EXPECT_EQ(describir(w.leer()), "antes|| T1:11,12,/21,22, @0,1,1");
    w.fijarAnchoColumna(10);
    // Refused as invalid: a word processor that does not answer is not that.
    for (float ancho : {0.0F, -5.0F})
        EXPECT_EQ(tipoDeError([&] { w.fijarAnchoColumna(ancho); }), ErrorWord::Tipo::otro);
    const double igual = (10 + 2 * b * k) / 3;
    w.igualarColumnas();
    this->anchos({igual, igual, igual});
    // Narrowed past the floor as PgUp does it (15 points less, or 1, then
    // fitted to the margins), the column keeps its place, the others share the
    // rest; widening or equalizing brings the table back.
    const auto cambiar = [&](float cambio, int veces) {
        for (int i = 0; i < veces; ++i) {
            const float ancho = w.anchoColumna() + cambio;
            w.fijarAnchoColumna(ancho > 0 ? ancho : 1);
            w.ajustarAVentana();
        }
        const double a = w.anchoColumna();
        this->anchos({a, (kLinea - a) / 2, (kLinea - a) / 2});
        return a;
    };
    EXPECT_LT(cambiar(-15, 22), 3);
    EXPECT_GT(cambiar(15, 1), 15);
    w.igualarColumnas();
    this->anchos({kLinea / 3, kLinea / 3, kLinea / 3});
}

REGISTER_TYPED_TEST_SUITE_P(Contrato, Guiones, FueraDeTablaYSinDocumento, AgregarTablaEnElCursor,
                            GuionesEnTablas, AnchosDeColumna);

} // namespace renglero::contrato
