// The grid model: current cell and selection, fill style, cell events, the
// visible area and the grid's own keys.
#include <gtest/gtest.h>

#include <utility>

#include "grid/Cuadricula.h"

using renglero::Cuadricula;
using renglero::ErrorCuadricula;

namespace {

Cuadricula nueva() {
    return Cuadricula(13, 25, "Courier New", 14.25F, true);
}

// 50 rows of 340 twips, 10 of them visible whole.
Cuadricula alta(int cols = 10) {
    Cuadricula g(50, cols, "Courier New", 14, false);
    g.setTodasFilasAlto(340);
    g.setTodasColumnasAncho(360);
    g.Height = 3650;
    g.Width = 3700;
    return g;
}

TEST(Cuadricula, LaSeleccionSeRellenaEnCualquierSentido) {
    Cuadricula g = nueva();
    g.setRow(2);
    g.setCol(3);
    g.setRowSel(1);
    g.setColSel(1);
    g.FillStyle = 1;
    g.setText("x");
    g.setCellFontItalic(true);
    g.FillStyle = 0;
    for (int r = 0; r <= 3; ++r)
        for (int c = 0; c <= 4; ++c) {
            const bool dentro = r >= 1 && r <= 2 && c >= 1 && c <= 3;
            EXPECT_EQ(g.TextMatrix(r, c), dentro ? "x" : "") << r << "," << c;
            EXPECT_EQ(g.celda(r, c).CellFontItalic, dentro) << r << "," << c;
        }
    g.setText("y");
    EXPECT_EQ(g.TextMatrix(2, 3), "y");
    EXPECT_EQ(g.TextMatrix(2, 2), "x");
    // Setting the row brings the selection back to the current cell.
    g.setRow(4);
    EXPECT_EQ(g.RowSel(), 4);
    EXPECT_EQ(g.ColSel(), 3);
}

TEST(Cuadricula, EventosAlCambiarDeCeldaYSoloEntonces) {
    Cuadricula g = nueva();
    std::vector<std::string> vistos;
    g.LeaveCell = [&] { vistos.push_back("sale " + std::to_string(g.Col())); };
    g.EnterCell = [&] { vistos.push_back("entra " + std::to_string(g.Col())); };
    g.RowColChange = [&] { vistos.push_back("cambia"); };
    g.setCol(0);
    EXPECT_TRUE(vistos.empty());
    g.setCol(2);
    EXPECT_EQ(vistos, (std::vector<std::string>{"sale 0", "entra 2", "cambia"}));
}

TEST(Cuadricula, IndiceFueraDeLaCuadriculaEsUnError) {
    Cuadricula g = nueva();
    EXPECT_THROW(g.setRow(13), ErrorCuadricula);
    EXPECT_THROW(g.setCol(-1), ErrorCuadricula);
    EXPECT_THROW(g.TextMatrix(0, 25), ErrorCuadricula);
    EXPECT_THROW(g.RowIsVisible(-1), ErrorCuadricula);
    EXPECT_EQ(g.Row(), 0);
}

TEST(Cuadricula, ClearDevuelveLosAtributosPorDefectoSinMoverElCursor) {
    Cuadricula g = nueva();
    g.setRow(3);
    g.setCol(4);
    g.setText("7");
    g.setCellFontSize(8);
    g.setCellBackColor(renglero::rgb(1, 2, 3));
    g.Clear();
    EXPECT_EQ(g.Text(), "");
    EXPECT_FLOAT_EQ(g.celda().CellFontSize, 14.25F);
    EXPECT_EQ(g.CellBackColor(), g.BackColor);
    EXPECT_EQ(std::pair(g.Row(), g.Col()), std::pair(3, 4));
}

TEST(Cuadricula, ZonaVisibleSonLasFilasQueCabenEnteras) {
    Cuadricula g = alta(62);
    EXPECT_TRUE(g.RowIsVisible(9));
    EXPECT_FALSE(g.RowIsVisible(10));
    EXPECT_TRUE(g.ColIsVisible(9));
    EXPECT_FALSE(g.ColIsVisible(10));
    g.setTopRow(5);
    EXPECT_FALSE(g.RowIsVisible(4));
    EXPECT_TRUE(g.RowIsVisible(14));
    EXPECT_FALSE(g.RowIsVisible(15));
    // The view goes no further than the last row.
    g.setTopRow(48);
    EXPECT_EQ(g.TopRow(), 40);
}

// Page keys move one visible page and show it; arrows scroll the view to the cursor.
TEST(Cuadricula, LasTeclasPropiasLlevanLaVistaYNuncaSalen) {
    Cuadricula g = alta();
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
    Cuadricula g = nueva();
    const unsigned long antes = g.version();
    g.setTextMatrix(2, 3, "5");
    EXPECT_GT(g.version(), antes); // the change counter a window repaints by
    g.setRow(12);
    g.setCol(24);
    g.setRows(11);
    g.setCols(20);
    EXPECT_EQ(g.TextMatrix(2, 3), "5");
    EXPECT_EQ(std::pair(g.Row(), g.Col()), std::pair(10, 19));
    g.setCols(25);
    EXPECT_EQ(g.TextMatrix(2, 22), "");
}

} // namespace
