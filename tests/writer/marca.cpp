// The cell mark leaves the very cell it was put on, wherever Writer's
// selection went since and whichever document is in front now.
#include "entorno.h"

namespace renglero::prueba {

namespace {

using Celdas = std::vector<std::pair<int, int>>;

Celdas sombreadas(Writer& w) {
    const DocumentoLeido d = w.leer();
    return d.tablas.empty() ? Celdas{} : d.tablas[0].sombreadas;
}

} // namespace

TEST_F(ConWriter, LaMarcaSaleDeSuCeldaAunqueElCursorSeHayaIdo) {
    w->insertarTexto("\r");
    w->contraerSeleccion(false);
    w->agregarTabla(2, 2);
    w->marcarCelda();
    ASSERT_EQ(sombreadas(*w), (Celdas{{1, 1}}));
    // The pupil clicks elsewhere in the table, then out of it.
    w->moverCeldas(3);
    w->desmarcarCelda();
    EXPECT_EQ(sombreadas(*w), Celdas{});
    w->moverCeldas(-2);
    w->marcarCelda();
    ASSERT_EQ(sombreadas(*w), (Celdas{{1, 2}}));
    w->moverCursor(50);
    EXPECT_FALSE(w->enTabla());
    w->desmarcarCelda();
    EXPECT_EQ(sombreadas(*w), Celdas{});
}

TEST_F(ConWriter, UnaSolaCeldaLlevaLaMarca) {
    w->insertarTexto("\r");
    w->contraerSeleccion(false);
    w->agregarTabla(2, 2);
    w->marcarCelda();
    w->moverCeldas(1);
    w->marcarCelda();
    EXPECT_EQ(sombreadas(*w), (Celdas{{1, 2}}));
    // Out of the table the mark cannot go on, but the old one still leaves.
    w->moverCursor(50);
    EXPECT_THROW(w->marcarCelda(), ErrorWord);
    EXPECT_EQ(sombreadas(*w), Celdas{});
}

TEST_F(ConWriter, LaMarcaSaleDelDocumentoQueYaNoEstaDelante) {
    w->insertarTexto("\r");
    w->contraerSeleccion(false);
    w->agregarTabla(2, 2);
    w->marcarCelda();
    ASSERT_EQ(sombreadas(*w), (Celdas{{1, 1}}));
    // Another document comes in front; the mark leaves the first one.
    w->nuevoDocumento();
    w->desmarcarCelda();
    w->cerrarDocumento();
    ASSERT_EQ(w->leer().tablas.size(), 1u);
    EXPECT_EQ(sombreadas(*w), Celdas{});
    w->cerrarDocumento();
    EXPECT_TRUE(libreOffice().enMarcha());
    w->nuevoDocumento();
    EXPECT_TRUE(w->leer().abierto);
}

TEST_F(ConWriter, LaCeldaBorradaSeLlevaLaMarca) {
    w->insertarTexto("\r");
    w->contraerSeleccion(false);
    w->agregarTabla(2, 2);
    w->marcarCelda();
    w->expandir(Unidad::tabla);
    w->borrarCeldasSeleccionadas();
    EXPECT_NO_THROW(w->desmarcarCelda());
    EXPECT_TRUE(w->leer().tablas.empty());
}

} // namespace renglero::prueba
