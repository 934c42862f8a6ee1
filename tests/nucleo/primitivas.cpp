// The whole-grid primitives and the format procedures, on a loaded notebook.
#include <gtest/gtest.h>

#include <sstream>

#include "headless/Conductor.h"

using namespace renglero;

namespace {

class Primitivas : public ::testing::Test {
  protected:
    std::ostringstream salida;
    Conductor conductor{salida};
    Form1& f = conductor.form();
};

TEST_F(Primitivas, AcotarEnUnCuadernoVacio) {
    f.acotar();
    EXPECT_EQ(f.colIzquierda, 195);
    EXPECT_EQ(f.filaSuperior, 195);
    EXPECT_EQ(f.colDerecha, 0);
    EXPECT_EQ(f.filaInferior, 0);
}

TEST_F(Primitivas, AcotarUnaSolaCelda) {
    f.tabla.setTextMatrix(4, 7, "3");
    f.acotar();
    EXPECT_EQ(f.colIzquierda, 7);
    EXPECT_EQ(f.colDerecha, 7);
    EXPECT_EQ(f.filaSuperior, 4);
    EXPECT_EQ(f.filaInferior, 4);
}

TEST_F(Primitivas, AcotarCuentaLaCadenaVaciaComoEscrita) {
    f.tabla.setTextMatrix(2, 9, "");
    f.tabla.setTextMatrix(6, 1, "x");
    f.acotar();
    EXPECT_EQ(f.colIzquierda, 1);
    EXPECT_EQ(f.colDerecha, 9);
    EXPECT_EQ(f.filaSuperior, 2);
    EXPECT_EQ(f.filaInferior, 6);
}

TEST_F(Primitivas, RellenarBlanqueaTodoEnElFormatoActual) {
    f.tabla.setTextMatrix(5, 5, "9");
    f.tabla.setRow(7);
    f.tabla.setCol(8);
    f.rellenar();
    for (int r = 0; r < f.tabla.Rows(); ++r)
        for (int c = 0; c < f.tabla.Cols(); ++c) {
            ASSERT_EQ(f.tabla.TextMatrix(r, c), " ");
            ASSERT_TRUE(f.tabla.celda(r, c).CellFontBold); // the Cuentas format
        }
    EXPECT_EQ(f.tabla.Row(), 0);
    EXPECT_EQ(f.tabla.Col(), 0);
    EXPECT_EQ(f.tabla.TopRow(), 0);
    EXPECT_EQ(f.tabla.ScrollBars, 0);
    EXPECT_EQ(f.colInicioFormato, -1);
}

TEST_F(Primitivas, CambiarsentidoSigueLaFlecha) {
    f.cambiarsentido();
    EXPECT_EQ(f.sentido, "i");
    EXPECT_EQ(f.Label1.Caption, "<---");
    f.cambiarsentido();
    EXPECT_EQ(f.sentido, "d");
    EXPECT_EQ(f.Label1.Caption, "--->");
    f.Label1.Caption = "otra";
    f.cambiarsentido();
    EXPECT_EQ(f.sentido, "d");
    EXPECT_EQ(f.Label1.Caption, "otra");
}

TEST_F(Primitivas, TipoletraEnCuentasIgnoraElFormatoElegido) {
    f.fuenteCursiva = 1;
    f.colorActual = 12;
    f.tipoletra();
    EXPECT_TRUE(f.tabla.celda().CellFontBold);
    EXPECT_FALSE(f.tabla.celda().CellFontItalic);
    EXPECT_EQ(f.tabla.CellForeColor(), f.tabla.ForeColor);
    EXPECT_EQ(f.fuenteNegrita, 0);
}

TEST_F(Primitivas, TipoletraSubindiceGanaAlSuperindice) {
    f.modoTexto = 1;
    f.fuenteSubindice = 1;
    f.fuenteSuperindice = 1;
    f.tipoletra();
    EXPECT_FLOAT_EQ(f.tabla.celda().CellFontSize, 8);
    EXPECT_EQ(f.tabla.celda().CellAlignment, 2);
    EXPECT_EQ(f.fuenteSubindice, 0);
    EXPECT_EQ(f.tabla.FillStyle, 0);
}

TEST_F(Primitivas, CopiarfuenteSoloSumaYNoPisaElColorElegido) {
    f.modoTexto = 1;
    f.tabla.setCellFontBold(true);
    f.tabla.setCellForeColor(colorPaleta(12));
    f.fuenteNegrita = 1;
    f.colorActual = 9;
    f.copiarfuente();
    EXPECT_EQ(f.fuenteNegrita, 1);
    EXPECT_EQ(f.colorActual, 9);
    f.fuenteCursiva = 1;
    f.tabla.setCellFontBold(false);
    f.copiarfuente();
    EXPECT_EQ(f.fuenteCursiva, 1);
    f.colorActual = 0;
    f.copiarfuente();
    EXPECT_EQ(f.colorActual, 12);
}

TEST_F(Primitivas, UnaRayaSeVeMasGrandeAlDejarLaCelda) {
    f.tabla.setRow(3);
    f.tabla.setCol(3);
    f.tabla.setText("\x97");
    f.tabla.setCol(4);
    EXPECT_FLOAT_EQ(f.tabla.celda(3, 3).CellFontSize, 18);
    f.tabla.setCol(3);
    f.tabla.setText("5");
    f.tabla.setCol(4);
    EXPECT_FLOAT_EQ(f.tabla.celda(3, 3).CellFontSize, 14);
    EXPECT_FLOAT_EQ(f.tabla.celda(3, 5).CellFontSize, 14);
}

} // namespace
