// The cell mark leaves the very cell it was put on, wherever the selection went
// since, whichever document is in front now, and when its cell is gone.
#include "contrato/contrato.h"
#include "entorno.h"

namespace renglero::prueba {

TEST_F(ConWriter, LaMarcaSaleDeSuCelda) {
    const auto tras = [&](const std::string& guion) {
        contrato::seguir(*w, *w, guion);
        return contrato::describir(w->leer());
    };
    contrato::seguir(*w, *w, "i \r;c;t 2 2;k");
    w->nuevoDocumento(); // another document comes in front
    w->desmarcarCelda();
    w->cerrarDocumento();
    EXPECT_EQ(tras(""), "|| T1:,/, @0,1,1");
    EXPECT_EQ(tras("k;> 3;K"), "|| T1:,/, @0,2,2");        // the pupil goes elsewhere in the table
    EXPECT_EQ(tras("> -2;k;> -1;k"), "|| T1:*,/, @0,1,1"); // one cell carries the mark
    EXPECT_EQ(tras("x f;d;K;k"), "|| T1:*, @0,1,1");
    // Out of the table: no mark goes on, the old one leaves.
    EXPECT_EQ(tras("m 50;!k"), "|| T1:, @2");
}

} // namespace renglero::prueba
