// The direction of advance, the format procedures and the palette, on a
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

TEST_F(Primitivas, CambiarsentidoSigueLaFlecha) {
    f.cambiarsentido();
    EXPECT_EQ(f.sentido + f.Label1.Caption, "i<---");
    f.cambiarsentido();
    EXPECT_EQ(f.sentido + f.Label1.Caption, "d--->");
    f.Label1.Caption = "otra";
    f.cambiarsentido();
    EXPECT_EQ(f.sentido + f.Label1.Caption, "dotra");
}

// Cuentas ignores the format chosen; a cell's palette colour becomes the
// current one.
TEST_F(Primitivas, TipoletraYCopiarfuente) {
    f.fuenteCursiva = 1;
    f.colorActual = 12;
    f.tipoletra();
    EXPECT_TRUE(f.tabla.celda().CellFontBold);
    EXPECT_FALSE(f.tabla.celda().CellFontItalic);
    EXPECT_EQ(f.tabla.CellForeColor(), f.tabla.ForeColor);
    f.modoTexto = 1;
    for (int color : {12, 2, 9}) {
        f.tabla.setCellForeColor(colorPaleta(color));
        f.colorActual = 0;
        f.copiarfuente();
        EXPECT_EQ(f.colorActual, color);
    }
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
