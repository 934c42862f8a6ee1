// The grid model: current cell and selection, fill style, cell events, the
// visible area and the grid's own keys.
#include <gtest/gtest.h>

#include "grid/Cuadricula.h"

using renglero::Cuadricula;
using renglero::ErrorCuadricula;

namespace {

Cuadricula nueva(int filas = 13, int cols = 25) {
    Cuadricula g(filas, cols, "Courier New", 14.25F, true);
    g.Width = cols * 270 + 30;
    g.Height = filas * 300 + 30;
    return g;
}

TEST(Cuadricula, FijarFilaReduceLaSeleccionALaCeldaActual) {
    Cuadricula g = nueva();
    g.setRow(2);
    g.setCol(3);
    g.setRowSel(5);
    g.setColSel(7);
    g.setRow(4);
    EXPECT_EQ(g.RowSel(), 4);
    EXPECT_EQ(g.ColSel(), 3);
}

TEST(Cuadricula, RellenoRepetidoEscribeEnTodaLaSeleccion) {
    Cuadricula g = nueva();
    g.setRow(1);
    g.setCol(1);
    g.setRowSel(2);
    g.setColSel(3);
    g.FillStyle = 1;
    g.setText("x");
    g.setCellFontItalic(true);
    g.FillStyle = 0;
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 3; ++c) {
            EXPECT_EQ(g.TextMatrix(r, c), "x");
            EXPECT_TRUE(g.celda(r, c).CellFontItalic);
        }
    EXPECT_EQ(g.TextMatrix(0, 1), "");
    EXPECT_EQ(g.TextMatrix(3, 3), "");
    g.setText("y");
    EXPECT_EQ(g.TextMatrix(1, 1), "y");
    EXPECT_EQ(g.TextMatrix(1, 2), "x");
}

TEST(Cuadricula, SeleccionAlReves) {
    Cuadricula g = nueva();
    g.setRow(4);
    g.setCol(6);
    g.setRowSel(2);
    g.setColSel(5);
    g.FillStyle = 1;
    g.setText("z");
    EXPECT_EQ(g.TextMatrix(2, 5), "z");
    EXPECT_EQ(g.TextMatrix(4, 6), "z");
    EXPECT_EQ(g.TextMatrix(3, 4), "");
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
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.Col(), 4);
}

TEST(Cuadricula, ZonaVisibleSonLasFilasQueCabenEnteras) {
    Cuadricula g(50, 62, "Courier New", 14, false);
    g.setTodasFilasAlto(340);
    g.setTodasColumnasAncho(360);
    g.Height = 3650; // 10 rows of 340 fit whole
    g.Width = 3700;  // 10 columns of 360
    EXPECT_TRUE(g.RowIsVisible(9));
    EXPECT_FALSE(g.RowIsVisible(10));
    EXPECT_TRUE(g.ColIsVisible(9));
    EXPECT_FALSE(g.ColIsVisible(10));
    g.setTopRow(5);
    EXPECT_FALSE(g.RowIsVisible(4));
    EXPECT_TRUE(g.RowIsVisible(14));
    EXPECT_FALSE(g.RowIsVisible(15));
}

TEST(Cuadricula, LaVistaNoPasaDeLaUltimaFila) {
    Cuadricula g(50, 62, "Courier New", 14, false);
    g.setTodasFilasAlto(340);
    g.Height = 3650;
    g.setTopRow(48);
    EXPECT_EQ(g.TopRow(), 40);
    EXPECT_TRUE(g.RowIsVisible(49));
}

TEST(Cuadricula, LasTeclasPropiasNuncaSalenDeLaCuadricula) {
    Cuadricula g = nueva();
    for (int k : {37, 38, 36, 33})
        EXPECT_TRUE(g.teclaPropia(k));
    EXPECT_EQ(g.Row(), 0);
    EXPECT_EQ(g.Col(), 0);
    for (int i = 0; i < 40; ++i)
        g.teclaPropia(40);
    g.teclaPropia(35);
    EXPECT_EQ(g.Row(), 12);
    EXPECT_EQ(g.Col(), 24);
    g.teclaPropia(39);
    g.teclaPropia(34);
    EXPECT_EQ(g.Row(), 12);
    EXPECT_EQ(g.Col(), 24);
    EXPECT_FALSE(g.teclaPropia(65));
}

TEST(Cuadricula, AvanzarPaginaMueveUnaPaginaVisibleYLaMuestra) {
    Cuadricula g(50, 10, "Courier New", 14, false);
    g.setTodasFilasAlto(340);
    g.Height = 3650;
    g.Width = 5000;
    g.teclaPropia(34);
    EXPECT_EQ(g.Row(), 10);
    EXPECT_TRUE(g.RowIsVisible(g.Row()));
    g.teclaPropia(33);
    EXPECT_EQ(g.Row(), 0);
    EXPECT_EQ(g.TopRow(), 0);
}

TEST(Cuadricula, LasFlechasDesplazanLaVistaHastaElCursor) {
    Cuadricula g(50, 10, "Courier New", 14, false);
    g.setTodasFilasAlto(340);
    g.Height = 3650;
    g.Width = 5000;
    for (int i = 0; i < 12; ++i)
        g.teclaPropia(40);
    EXPECT_EQ(g.Row(), 12);
    EXPECT_TRUE(g.RowIsVisible(12));
    EXPECT_EQ(g.TopRow(), 3);
}

TEST(Cuadricula, CambiarElTamanoConservaLasCeldas) {
    Cuadricula g = nueva();
    g.setTextMatrix(2, 3, "5");
    g.setRow(12);
    g.setCol(24);
    g.setRows(11);
    g.setCols(20);
    EXPECT_EQ(g.TextMatrix(2, 3), "5");
    EXPECT_EQ(g.Row(), 10);
    EXPECT_EQ(g.Col(), 19);
    g.setCols(25);
    EXPECT_EQ(g.TextMatrix(2, 22), "");
}

} // namespace
