// The cell mark leaves the very cell it was put on also when another
// document is in front now.
#include "contrato/contrato.h"
#include "entorno.h"

namespace renglero::prueba {

TEST_F(ConWriter, LaMarcaSaleDeSuCeldaConOtroDocumentoDelante) {
    contrato::seguir(*w, *w, "t 2 2;k");
    w->nuevoDocumento(); // another document comes in front
    w->desmarcarCelda();
    w->cerrarDocumento();
    EXPECT_EQ(contrato::describir(w->leer()), "| T0:,/, @0,1,1");
}

} // namespace renglero::prueba
