// The cell mark leaves the very cell it was put on, wherever Writer's
// selection went since and whichever document is in front now.
#include "entorno.h"

namespace renglero::prueba {

namespace {

using Celdas = std::vector<std::pair<int, int>>;

class MarcaWriter : public ConWriter {
  protected:
    // A 2 x 2 table, its first cell marked.
    void SetUp() override {
        ConWriter::SetUp();
        w->insertarTexto("\r");
        w->contraerSeleccion(false);
        w->agregarTabla(2, 2);
        w->marcarCelda();
        ASSERT_EQ(sombreadas(), (Celdas{{1, 1}}));
    }
    Celdas sombreadas() {
        const DocumentoLeido d = w->leer();
        return d.tablas.empty() ? Celdas{} : d.tablas[0].sombreadas;
    }
};

} // namespace

TEST_F(MarcaWriter, SaleDeSuCeldaAunqueElCursorSeHayaIdo) {
    // The pupil clicks elsewhere in the table, then out of it.
    w->moverCeldas(3);
    w->desmarcarCelda();
    EXPECT_EQ(sombreadas(), Celdas{});
    w->moverCeldas(-2);
    w->marcarCelda();
    ASSERT_EQ(sombreadas(), (Celdas{{1, 2}}));
    w->moverCursor(50);
    EXPECT_FALSE(w->enTabla());
    w->desmarcarCelda();
    EXPECT_EQ(sombreadas(), Celdas{});
}

TEST_F(MarcaWriter, UnaSolaCeldaLlevaLaMarca) {
    w->moverCeldas(1);
    w->marcarCelda();
    EXPECT_EQ(sombreadas(), (Celdas{{1, 2}}));
    // Out of the table the mark cannot go on, but the old one still leaves.
    w->moverCursor(50);
    EXPECT_THROW(w->marcarCelda(), ErrorWord);
    EXPECT_EQ(sombreadas(), Celdas{});
}

TEST_F(MarcaWriter, SaleDelDocumentoQueYaNoEstaDelante) {
    // Another document comes in front; the mark leaves the first one.
    w->nuevoDocumento();
    w->desmarcarCelda();
    w->cerrarDocumento();
    ASSERT_EQ(w->leer().tablas.size(), 1u);
    EXPECT_EQ(sombreadas(), Celdas{});
}

TEST_F(MarcaWriter, LaCeldaBorradaSeLlevaLaMarca) {
    w->expandir(Unidad::tabla);
    w->borrarCeldasSeleccionadas();
    EXPECT_NO_THROW(w->desmarcarCelda());
    EXPECT_TRUE(w->leer().tablas.empty());
}

} // namespace renglero::prueba
