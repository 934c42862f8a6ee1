// The names a screen reader gives the cells and the columns.
#include <gtest/gtest.h>

#include "grid/Cuadricula.h"
#include "grid/nombresCelda.h"
#include "shell/anuncios.h"

using namespace renglero;

TEST(NombreHablado, SignosComoLosLeeElAlumno) {
    EXPECT_EQ(nombreHablado("7"), "7");
    EXPECT_EQ(nombreHablado("a"), "a");
    EXPECT_EQ(nombreHablado(","), "coma");
    EXPECT_EQ(nombreHablado("+"), "más");
    EXPECT_EQ(nombreHablado("-"), "menos");
    EXPECT_EQ(nombreHablado("\xD7"), "por");
    EXPECT_EQ(nombreHablado("\xF7"), "entre");
    EXPECT_EQ(nombreHablado("\x97"), "raya");
    EXPECT_EQ(nombreHablado("|"), "barra");
    EXPECT_EQ(nombreHablado("="), "igual");
}

TEST(NombreHablado, BlancoSinNombre) {
    EXPECT_EQ(nombreHablado(" "), "");
    EXPECT_EQ(nombreHablado(""), "");
}

TEST(NombreHablado, LetrasConAcentoEnUtf8) {
    EXPECT_EQ(nombreHablado("\xF1"), "ñ");
    EXPECT_EQ(nombreHablado("\xE9"), "é");
}

TEST(NombreHablado, FuenteSymbolPorSuSigno) {
    // In Symbol, "p" is pi, "-" the minus sign and 180 the multiplication sign.
    EXPECT_EQ(nombreHablado("p", true), "π");
    EXPECT_EQ(nombreHablado("-", true), "menos");
    EXPECT_EQ(nombreHablado("\xB4", true), "por");
    Celda c;
    c.Text = "\xB8";
    c.CellFontName = "Symbol";
    EXPECT_EQ(nombreHablado(c), "entre");
}

TEST(NombreOrden, EnterosYDecimales) {
    EXPECT_EQ(nombreOrden(0, false), "unidades");
    EXPECT_EQ(nombreOrden(1, false), "decenas");
    EXPECT_EQ(nombreOrden(2, false), "centenas");
    EXPECT_EQ(nombreOrden(3, false), "unidades de millar");
    EXPECT_EQ(nombreOrden(6, false), "unidades de millón");
    EXPECT_EQ(nombreOrden(9, false), "");
    // Right of the units: the comma's place has no order; then the decimals.
    EXPECT_EQ(nombreOrden(-1, true), "");
    EXPECT_EQ(nombreOrden(-2, true), "décimas");
    EXPECT_EQ(nombreOrden(-3, true), "centésimas");
    EXPECT_EQ(nombreOrden(-4, true), "milésimas");
    EXPECT_EQ(nombreOrden(-2, false), "");
}
