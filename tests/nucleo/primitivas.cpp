// Cells as the program draws them: a stroke larger once the cursor leaves it;
// F6's palette.
#include <gtest/gtest.h>

#include <sstream>

#include "headless/Conductor.h"
#include "platform/CodigoPagina.h"

using namespace renglero;

// A figure put over a stroke by the program (not typed, which sets its own
// size) is drawn at the normal size again.
TEST(Primitivas, UnaRayaSeVeMasGrandeAlDejarLaCelda) {
    std::ostringstream salida;
    Conductor conductor{salida};
    Cuadricula& tabla = conductor.form().tabla;
    tabla.setRow(3);
    for (const char* texto : {"\x97", "5"}) {
        tabla.setCol(3);
        tabla.setText(texto);
        tabla.setCol(4);
        EXPECT_FLOAT_EQ(tabla.celda(3, 3).CellFontSize, texto[0] == '5' ? 14 : 18);
    }
}

// The 34 signs of the palette as the pupil sees them, each in its font.
TEST(Primitivas, LosSignosDeLaPaleta) {
    std::ostringstream salida;
    Conductor conductor{salida};
    const Cuadricula& paleta = conductor.form().tablae;
    std::string signos;
    for (int c = 0; c < paleta.Cols(); ++c)
        signos += aUtf8(paleta.TextMatrix(0, c), paleta.celda(0, c).CellFontName == "Symbol");
    EXPECT_EQ(signos, "—·÷‰±≤≥≠∑∇∞↔←↑→↓∂≅παβγδΔωμελφΦΩ¼½¾");
}
