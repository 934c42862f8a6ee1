// The cell mark leaves the very cell it was put on, wherever the selection went
// since, whichever document is in front now, and when its cell is gone.
#include "contrato/contrato.h"
#include "entorno.h"

namespace renglero::prueba {

TEST_F(ConWriter, LaMarcaSaleDeSuCelda) {
    using Celdas = std::vector<std::pair<int, int>>;
    const auto marcadas = [&] {
        const DocumentoLeido d = w->leer();
        return d.tablas.empty() ? Celdas{} : d.tablas[0].sombreadas;
    };
    contrato::seguir(*w, *w, "i \r;c;t 2 2");
    w->marcarCelda();
    w->nuevoDocumento(); // another document comes in front
    w->desmarcarCelda();
    w->cerrarDocumento();
    EXPECT_EQ(marcadas(), Celdas{});
    w->marcarCelda();
    w->moverCeldas(3); // the pupil goes elsewhere in the table
    w->desmarcarCelda();
    EXPECT_EQ(marcadas(), Celdas{});
    w->moverCeldas(-2);
    w->marcarCelda();
    w->moverCeldas(-1);
    w->marcarCelda(); // one cell carries the mark
    EXPECT_EQ(marcadas(), (Celdas{{1, 1}}));
    contrato::seguir(*w, *w, "x f;d");
    EXPECT_NO_THROW(w->desmarcarCelda());
    w->marcarCelda();
    EXPECT_EQ(marcadas(), (Celdas{{1, 1}}));
    w->moverCursor(50); // out of the table: no mark goes on, the old one leaves
    EXPECT_THROW(w->marcarCelda(), ErrorWord);
    EXPECT_EQ(marcadas(), Celdas{});
}

} // namespace renglero::prueba
