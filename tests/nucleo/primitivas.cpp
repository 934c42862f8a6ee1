// The whole-grid primitives, the format procedures and the palette, on a
// loaded notebook.
#include <gtest/gtest.h>

#include <sstream>

#include "headless/Conductor.h"
#include "platform/CodigoPagina.h"

using namespace renglero;

namespace {

class Primitivas : public ::testing::Test {
  protected:
    std::ostringstream salida;
    Conductor conductor{salida};
    Form1& f = conductor.form();
};

// The written part of the grid: an empty string counts as written, a blank
// does not; an empty grid gives an empty box.
TEST_F(Primitivas, Acotar) {
    f.acotar();
    EXPECT_EQ(std::vector<int>({f.filaSuperior, f.colIzquierda, f.filaInferior, f.colDerecha}),
              std::vector<int>({195, 195, 0, 0}));
    f.tabla.setTextMatrix(2, 9, "");
    f.tabla.setTextMatrix(6, 1, "x");
    f.acotar();
    EXPECT_EQ(std::vector<int>({f.filaSuperior, f.colIzquierda, f.filaInferior, f.colDerecha}),
              std::vector<int>({2, 1, 6, 9}));
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
    EXPECT_EQ(f.colInicioFormato, -1);
}

TEST_F(Primitivas, CambiarsentidoSigueLaFlecha) {
    f.cambiarsentido();
    EXPECT_EQ(f.sentido + f.Label1.Caption, "i<---");
    f.cambiarsentido();
    EXPECT_EQ(f.sentido + f.Label1.Caption, "d--->");
    f.Label1.Caption = "otra";
    f.cambiarsentido();
    EXPECT_EQ(f.sentido + f.Label1.Caption, "dotra");
}

TEST_F(Primitivas, Tipoletra) {
    // Cuentas ignores the format chosen.
    f.fuenteCursiva = 1;
    f.colorActual = 12;
    f.tipoletra();
    EXPECT_TRUE(f.tabla.celda().CellFontBold);
    EXPECT_FALSE(f.tabla.celda().CellFontItalic);
    EXPECT_EQ(f.tabla.CellForeColor(), f.tabla.ForeColor);
    // In Texto the subscript wins over the superscript, and is used up.
    f.modoTexto = 1;
    f.fuenteSubindice = 1;
    f.fuenteSuperindice = 1;
    f.tipoletra();
    EXPECT_FLOAT_EQ(f.tabla.celda().CellFontSize, 8);
    EXPECT_EQ(f.tabla.celda().CellAlignment, 2);
    EXPECT_EQ(f.fuenteSubindice, 0);
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

// A stroke is drawn larger once the cursor leaves it; a figure over it is not.
TEST_F(Primitivas, UnaRayaSeVeMasGrandeAlDejarLaCelda) {
    f.tabla.setRow(3);
    for (const char* texto : {"\x97", "5"}) {
        f.tabla.setCol(3);
        f.tabla.setText(texto);
        f.tabla.setCol(4);
        EXPECT_FLOAT_EQ(f.tabla.celda(3, 3).CellFontSize, texto[0] == '5' ? 14 : 18);
    }
}

// The 34 signs of F6's palette as the pupil sees them.
TEST_F(Primitivas, LosSignosDeLaPaleta) {
    std::string signos;
    for (int c = 0; c < f.tablae.Cols(); ++c)
        signos += aUtf8(f.tablae.TextMatrix(0, c), f.tablae.celda(0, c).CellFontName == "Symbol");
    EXPECT_EQ(signos, "—·÷‰±≤≥≠∑∇∞↔←↑→↓∂≅παβγδΔωμελφΦΩ¼½¾");
}

} // namespace
