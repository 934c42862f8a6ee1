#pragma once
// The contract's tables as the table manager works them: insertion, borders,
// moving through the cells, rows, columns, widths, shading, the cell mark, deletions.
#include "contrato/contrato.h"

namespace renglero::contrato {

template <class Documento> class ContratoTablas : public ConDocumento<Documento> {};
TYPED_TEST_SUITE_P(ContratoTablas);

// At the cursor, the paragraph split around it, its grid lines hidden and
// shown again; the first row is no heading: what is typed or sent there is as
// plain as anywhere.
TYPED_TEST_P(ContratoTablas, AgregarTablaEnElCursor) {
    Word& w = this->word();
    this->recorrer({{"t 2 3;@ 1 1;e x;b \r125\r;> 1;e y", "| T0:x\n[C]125\n,y,/,, @0,1,2"}});
    EXPECT_EQ(std::pair(w.filasTabla(), w.columnasTabla()), std::pair(2, 3));
    this->anchos({kLinea / 3, kLinea / 3, kLinea / 3});
    for (bool cuadricula : {false, true}) {
        w.formatoTabla(cuadricula);
        EXPECT_EQ(w.bordeVisible(-1), cuadricula);
        EXPECT_EQ(w.bordeVisible(-5), cuadricula);
        EXPECT_EQ(this->tabla().cuadricula, cuadricula);
    }
    EXPECT_THROW(w.bordeVisible(3), ErrorWord);
}

// Cells deleted, emptied, shaded; typing in a table and after it.
TYPED_TEST_P(ContratoTablas, GuionesEnTablas) {
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
        // In reading order; down one row: as many cells as columns; past
        // either end: to the end.
        {"L 2 3;@ 1 1;> 1;@ 1 2;> 3;@ 2 2;> -2;@ 1 3;> 100;@ 2 3;> -100;@ 1 1;> 4",
         "antes|| T1:11,12,13/21,22,23 @0,2,2"},
    });
}

// Widths in points; a column added is as wide as the last one; fitted to the
// window, the line in the same proportions, the cursor where it was;
// equalized, the same width in all; auto-fit and grid lines shown leave them
// as they were.
TYPED_TEST_P(ContratoTablas, AnchosDeColumna) {
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
    EXPECT_THROW(w.fijarAnchoColumna(0), ErrorWord);
    EXPECT_THROW(w.fijarAnchoColumna(-5), ErrorWord);
    const double igual = (10 + 2 * b * k) / 3;
    w.igualarColumnas();
    this->anchos({igual, igual, igual});
    // Narrowed past the floor as the table manager's PgUp does it (15 points
    // less, 1 point where that is not positive, then fitted to the margins),
    // the column keeps its place and the others share the rest; widening or
    // equalizing brings the table back.
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

REGISTER_TYPED_TEST_SUITE_P(ContratoTablas, AgregarTablaEnElCursor, GuionesEnTablas,
                            AnchosDeColumna);

} // namespace renglero::contrato
