// A stroke is drawn larger once the cursor leaves it; a figure put over it by
// the program (not typed, which sets its own size) is not.
#include <gtest/gtest.h>

#include <sstream>

#include "headless/Conductor.h"

using namespace renglero;

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
