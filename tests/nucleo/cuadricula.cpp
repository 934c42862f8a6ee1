// The grid model's bounds, its own keys and its resizing (the rest: scenarios, vista.cpp).
#include <gtest/gtest.h>

#include <utility>

#include "grid/Cuadricula.h"

using renglero::Cuadricula;
using renglero::ErrorCuadricula;

namespace {

TEST(Cuadricula, IndiceFueraDeLaCuadriculaEsUnError) {
    Cuadricula g(13, 25, "Courier New", 14.25F, true);
    EXPECT_THROW(g.setRow(13), ErrorCuadricula);
    EXPECT_THROW(g.setCol(-1), ErrorCuadricula);
    EXPECT_THROW(g.TextMatrix(0, 25), ErrorCuadricula);
    EXPECT_THROW(g.RowIsVisible(-1), ErrorCuadricula);
    EXPECT_EQ(g.Row(), 0);
}

// Page keys move one visible page and show it; arrows scroll the view to the cursor.
TEST(Cuadricula, LasTeclasPropiasLlevanLaVistaYNuncaSalen) {
    Cuadricula g(50, 10, "Courier New", 14, false); // 10 rows of 340 twips visible whole
    g.setTodasFilasAlto(340);
    g.setTodasColumnasAncho(360);
    g.Height = 3650;
    g.Width = 5000;
    for (int k : {37, 38, 36, 33})
        EXPECT_TRUE(g.teclaPropia(k));
    EXPECT_EQ(std::pair(g.Row(), g.Col()), std::pair(0, 0));
    g.teclaPropia(34);
    EXPECT_EQ(g.Row(), 10);
    EXPECT_TRUE(g.RowIsVisible(10));
    g.teclaPropia(33);
    EXPECT_EQ(std::pair(g.Row(), g.TopRow()), std::pair(0, 0));
    for (int i = 0; i < 12; ++i)
        g.teclaPropia(40);
    EXPECT_EQ(std::pair(g.Row(), g.TopRow()), std::pair(12, 3));
    for (int i = 0; i < 40; ++i)
        g.teclaPropia(40);
    for (int k : {35, 39, 34})
        g.teclaPropia(k);
    EXPECT_EQ(std::pair(g.Row(), g.Col()), std::pair(49, 9));
    EXPECT_FALSE(g.teclaPropia(65));
}

TEST(Cuadricula, CambiarElTamanoConservaLasCeldas) {
    Cuadricula g(13, 25, "Courier New", 14.25F, true);
    const unsigned long antes = g.version();
    g.setTextMatrix(2, 3, "5");
    g.setTextMatrix(10, 19, "7");      // the last row and column kept
    EXPECT_EQ(g.version(), antes + 2); // the change counter a window repaints by
    g.setRow(12);
    g.setCol(24);
    g.setRows(11);
    g.setCols(20);
    EXPECT_EQ(g.TextMatrix(2, 3) + g.TextMatrix(10, 19), "57");
    EXPECT_EQ(std::pair(g.Row(), g.Col()), std::pair(10, 19));
    g.setCols(25);
    EXPECT_EQ(g.TextMatrix(2, 22), "");
}

} // namespace
