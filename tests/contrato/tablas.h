#pragma once
// The contract's tables, as the table manager works them: insertion at the
// cursor, borders, moving through the cells, rows, columns and widths, the
// current cell's mark, deletions.
#include "contrato/contrato.h"

namespace renglero::contrato {

template <class Documento> class ContratoTablas : public ConDocumento<Documento> {};
TYPED_TEST_SUITE_P(ContratoTablas);

TYPED_TEST_P(ContratoTablas, AgregarTablaEnElCursor) {
    Word& w = this->word();
    w.agregarTabla(2, 3);
    EXPECT_TRUE(w.enTabla());
    EXPECT_EQ(std::pair(w.filasTabla(), w.columnasTabla()), std::pair(2, 3));
    EXPECT_EQ(std::pair(w.filaCelda(), w.columnaCelda()), std::pair(1, 1));
    // The paragraph the cursor was in is split around the table.
    EXPECT_EQ(describir(w.leer()), "| T0:,,/,, @0,1,1");
    for (double a : this->tabla().anchos)
        EXPECT_NEAR(a, kLinea / 3, 0.2);
    // The first row is no heading: what is typed or sent there is as plain
    // as anywhere.
    this->manejo().escribir("x");
    w.insertarBloque("\r125\r", "Courier New", {});
    w.moverCeldas(1);
    this->manejo().escribir("y");
    EXPECT_EQ(describir(w.leer()), "| T0:x\n125\n,y,/,, @0,1,2");
    for (const auto& fila : this->tabla().parrafos)
        for (const auto& celda : fila)
            for (const ParrafoLeido& p : celda)
                for (const TramoLeido& r : p.tramos)
                    EXPECT_FALSE(r.negrita) << p.texto;
}

// Cells deleted, emptied, shaded; typing in a table and after it.
TYPED_TEST_P(ContratoTablas, Guiones) {
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
    });
}

TYPED_TEST_P(ContratoTablas, Cuadricula) {
    Word& w = this->word();
    this->llenarTabla(2, 2);
    EXPECT_TRUE(w.bordeVisible(-1) && w.bordeVisible(-5));
    for (bool cuadricula : {false, true}) {
        w.formatoTabla(cuadricula);
        EXPECT_EQ(w.bordeVisible(-1), cuadricula);
        EXPECT_EQ(w.bordeVisible(-5), cuadricula);
        EXPECT_EQ(this->tabla().cuadricula, cuadricula);
    }
    EXPECT_THROW(w.bordeVisible(3), ErrorWord);
}

TYPED_TEST_P(ContratoTablas, MoverCeldasEnOrdenDeLectura) {
    Word& w = this->word();
    this->llenarTabla(2, 3);
    // Down one row: as many cells as columns; past either end: to the end.
    const std::tuple<int, int, int> pasos[] = {{1, 1, 2},   {3, 2, 2},    {-2, 1, 3},
                                               {100, 2, 3}, {-100, 1, 1}, {4, 2, 2}};
    for (const auto& [n, fila, columna] : pasos) {
        w.moverCeldas(n);
        EXPECT_EQ(std::pair(w.filaCelda(), w.columnaCelda()), std::pair(fila, columna)) << n;
    }
    EXPECT_EQ(w.leer().tablaCursor, (std::vector<int>{0, 2, 2}));
}

// Widths in points; a column added is as wide as the last one; fitted to the
// window, the line in the same proportions; equalized, the same width in
// all; auto-fit and grid lines shown leave them as they were.
TYPED_TEST_P(ContratoTablas, AnchosDeColumna) {
    Word& w = this->word();
    this->llenarTabla(2, 2);
    w.moverCeldas(1);
    EXPECT_NEAR(w.anchoColumna(), kLinea / 2, 0.2);
    w.fijarAnchoColumna(w.anchoColumna() + 15);
    EXPECT_NEAR(w.anchoColumna(), kLinea / 2 + 15, 0.2);
    w.moverCeldas(-1);
    w.fijarAnchoColumna(100);
    w.agregarColumna();
    EXPECT_EQ(w.columnasTabla(), 3);
    TablaLeida t = this->tabla();
    EXPECT_EQ(t.texto[0], (std::vector<std::string>{"11", "12", ""}));
    ASSERT_EQ(t.anchos.size(), 3u);
    EXPECT_NEAR(t.anchos[0], 100, 0.2);
    EXPECT_NEAR(t.anchos[1], kLinea / 2 + 15, 0.2);
    EXPECT_NEAR(t.anchos[2], t.anchos[1], 0.2);
    w.ajustarAVentana();
    w.permitirAutoajuste();
    w.mostrarLineasDeTabla();
    t = this->tabla();
    EXPECT_NEAR(suma(t.anchos), kLinea, 0.2);
    EXPECT_NEAR(t.anchos[0] / t.anchos[1], 100 / (kLinea / 2 + 15), 0.01);
    EXPECT_EQ(std::pair(w.filaCelda(), w.columnaCelda()), std::pair(1, 1));
    w.fijarAnchoColumna(10);
    EXPECT_NEAR(w.anchoColumna(), 10, 0.2);
    EXPECT_THROW(w.fijarAnchoColumna(0), ErrorWord);
    EXPECT_THROW(w.fijarAnchoColumna(-5), ErrorWord);
    const double total = suma(this->tabla().anchos);
    w.igualarColumnas();
    for (double a : this->tabla().anchos)
        EXPECT_NEAR(a, total / 3, 0.2);
}

// Narrowed past the floor as the table manager's PgUp does it (15 points
// less, 1 point where that is not positive, then fitted to the margins),
// the column keeps its place: every column reads back, the narrowed one is
// the one that changed, and widening or equalizing brings the table back.
TYPED_TEST_P(ContratoTablas, UnaColumnaDeUnPuntoSigueSiendoUnaColumna) {
    Word& w = this->word();
    this->llenarTabla(1, 3);
    auto cambiar = [&w](float cambio) {
        const float ancho = w.anchoColumna() + cambio;
        w.fijarAnchoColumna(ancho > 0 ? ancho : 1);
        w.ajustarAVentana();
    };
    for (int i = 0; i < 22; ++i)
        cambiar(-15);
    TablaLeida t = this->tabla();
    ASSERT_EQ(t.anchos.size(), 3u);
    EXPECT_LT(t.anchos[0], 3);
    EXPECT_NEAR(t.anchos[1], t.anchos[2], 0.2);
    EXPECT_NEAR(suma(t.anchos), kLinea, 0.2);
    EXPECT_NEAR(w.anchoColumna(), t.anchos[0], 0.2);
    cambiar(15);
    t = this->tabla();
    ASSERT_EQ(t.anchos.size(), 3u);
    EXPECT_GT(t.anchos[0], 15);
    EXPECT_NEAR(t.anchos[1], t.anchos[2], 0.2);
    w.igualarColumnas();
    for (double a : this->tabla().anchos)
        EXPECT_NEAR(a, kLinea / 3, 0.2);
}

REGISTER_TYPED_TEST_SUITE_P(ContratoTablas, AgregarTablaEnElCursor, Guiones, Cuadricula,
                            MoverCeldasEnOrdenDeLectura, AnchosDeColumna,
                            UnaColumnaDeUnPuntoSigueSiendoUnaColumna);

} // namespace renglero::contrato
