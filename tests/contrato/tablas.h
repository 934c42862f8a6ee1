#pragma once
// The contract's tables, as the table manager works them: insertion at the
// cursor, borders, moving through the cells, rows, columns and widths, the
// current cell's mark, deletions.
#include "contrato/contrato.h"

namespace renglero::contrato {

template <class Documento> class ContratoTablas : public ConDocumento<Documento> {};
TYPED_TEST_SUITE_P(ContratoTablas);

using Filas = std::vector<std::vector<std::string>>;
using Fila = std::vector<std::string>;

TYPED_TEST_P(ContratoTablas, AgregarTablaEnElCursor) {
    Word& w = this->word();
    EXPECT_FALSE(w.enTabla());
    w.agregarTabla(2, 3);
    EXPECT_TRUE(w.enTabla());
    EXPECT_EQ(w.filasTabla(), 2);
    EXPECT_EQ(w.columnasTabla(), 3);
    EXPECT_EQ(w.filaCelda(), 1);
    EXPECT_EQ(w.columnaCelda(), 1);
    const DocumentoLeido d = w.leer();
    ASSERT_EQ(d.tablas.size(), 1u);
    const TablaLeida& t = d.tablas[0];
    // The paragraph the cursor was in is split around the table.
    EXPECT_EQ(d.parrafos.size(), 2u);
    EXPECT_EQ(t.despuesDe, 0);
    EXPECT_EQ(t.filas, 2);
    EXPECT_EQ(t.columnas, 3);
    EXPECT_TRUE(t.cuadricula);
    ASSERT_EQ(t.anchos.size(), 3u);
    for (double a : t.anchos)
        EXPECT_NEAR(a, kLinea / 3, 0.2);
    EXPECT_TRUE(t.sombreadas.empty());
    EXPECT_EQ(t.texto, Filas(2, Fila(3)));
    EXPECT_EQ(d.parrafoCursor, -1);
    EXPECT_EQ(d.tablaCursor, (std::vector<int>{0, 1, 1}));
    // The first row is no heading: what is typed or sent there is as plain
    // as anywhere.
    this->manejo().escribir("x");
    EXPECT_EQ(this->tabla().texto[0][0], "x");
    w.insertarBloque("\r125\r", "Courier New", {});
    w.moverCeldas(1);
    this->manejo().escribir("y");
    const TablaLeida leida = this->tabla();
    ASSERT_EQ(leida.parrafos.size(), 2u);
    for (const auto& fila : leida.parrafos) {
        ASSERT_EQ(fila.size(), 3u);
        for (const auto& celda : fila)
            for (const ParrafoLeido& p : celda)
                for (const TramoLeido& r : p.tramos)
                    EXPECT_FALSE(r.negrita) << p.texto;
    }
    EXPECT_EQ(leida.parrafos[0][0].size(), 3u);
    EXPECT_EQ(leida.parrafos[0][0].at(1).texto, "125");
    EXPECT_EQ(leida.parrafos[0][1].at(0).texto, "y");
}

TYPED_TEST_P(ContratoTablas, TablaEntreTextos) {
    Word& w = this->word();
    this->manejo().escribir("antes despues");
    this->manejo().moverCursor(-7);
    w.agregarTabla(1, 1);
    const DocumentoLeido d = w.leer();
    EXPECT_EQ(textos(d), (Fila{"antes ", "despues"}));
    EXPECT_EQ(d.tablas.at(0).despuesDe, 0);
}

TYPED_TEST_P(ContratoTablas, TamanosNoValidosFallan) {
    Word& w = this->word();
    EXPECT_THROW(w.agregarTabla(0, 3), ErrorWord);
    EXPECT_THROW(w.agregarTabla(2, 0), ErrorWord);
    EXPECT_TRUE(w.leer().tablas.empty());
}

TYPED_TEST_P(ContratoTablas, CuadriculaSiYNo) {
    Word& w = this->word();
    this->llenarTabla(2, 2);
    EXPECT_TRUE(w.bordeVisible(-1));
    EXPECT_TRUE(w.bordeVisible(-5));
    w.formatoTabla(false);
    EXPECT_FALSE(w.bordeVisible(-1));
    EXPECT_FALSE(w.bordeVisible(-5));
    EXPECT_FALSE(this->tabla().cuadricula);
    w.formatoTabla(true);
    EXPECT_TRUE(w.bordeVisible(-1));
    EXPECT_TRUE(w.bordeVisible(-5));
    EXPECT_TRUE(this->tabla().cuadricula);
    EXPECT_THROW(w.bordeVisible(3), ErrorWord);
}

TYPED_TEST_P(ContratoTablas, AutoajusteYLineasNoCambianLaTabla) {
    Word& w = this->word();
    const TablaLeida antes = this->llenarTabla(2, 2);
    w.permitirAutoajuste();
    w.mostrarLineasDeTabla();
    const TablaLeida despues = this->tabla();
    ASSERT_EQ(antes.anchos.size(), despues.anchos.size());
    for (std::size_t i = 0; i < antes.anchos.size(); ++i)
        EXPECT_NEAR(antes.anchos[i], despues.anchos[i], 0.2);
    EXPECT_EQ(antes.cuadricula, despues.cuadricula);
}

TYPED_TEST_P(ContratoTablas, MoverCeldasEnOrdenDeLectura) {
    Word& w = this->word();
    this->llenarTabla(2, 3);
    auto celda = [&] { return std::pair(w.filaCelda(), w.columnaCelda()); };
    EXPECT_EQ(celda(), std::pair(1, 1));
    w.moverCeldas(1);
    EXPECT_EQ(celda(), std::pair(1, 2));
    w.moverCeldas(3); // down one row: as many cells as columns
    EXPECT_EQ(celda(), std::pair(2, 2));
    w.moverCeldas(-2);
    EXPECT_EQ(celda(), std::pair(1, 3));
    w.moverCeldas(100);
    EXPECT_EQ(celda(), std::pair(2, 3));
    EXPECT_TRUE(w.enTabla());
    w.moverCeldas(-100);
    EXPECT_EQ(celda(), std::pair(1, 1));
    w.moverCeldas(4);
    EXPECT_EQ(w.leer().tablaCursor, (std::vector<int>{0, 2, 2}));
    EXPECT_EQ(this->tabla().texto[1][1], "22");
}

TYPED_TEST_P(ContratoTablas, FilasYColumnasAlFinal) {
    Word& w = this->word();
    this->llenarTabla(2, 2);
    w.agregarFila();
    EXPECT_EQ(w.filasTabla(), 3);
    EXPECT_EQ(this->tabla().texto[2], (Fila{"", ""}));
    EXPECT_EQ(this->tabla().texto[0], (Fila{"11", "12"}));
    w.fijarAnchoColumna(100);
    w.agregarColumna();
    EXPECT_EQ(w.columnasTabla(), 3);
    TablaLeida t = this->tabla();
    EXPECT_EQ(t.texto[0], (Fila{"11", "12", ""}));
    ASSERT_EQ(t.anchos.size(), 3u);
    EXPECT_NEAR(t.anchos[0], 100, 0.2);
    EXPECT_NEAR(t.anchos[2], t.anchos[1], 0.2); // as wide as the last one
    // Fitted to the window: the line, in the same proportions.
    const double proporcion = t.anchos[0] / t.anchos[1];
    w.ajustarAVentana();
    t = this->tabla();
    EXPECT_NEAR(suma(t.anchos), kLinea, 0.2);
    EXPECT_NEAR(t.anchos[0] / t.anchos[1], proporcion, 0.01);
    // The cursor stayed in its cell.
    EXPECT_EQ(w.filaCelda(), 1);
    EXPECT_EQ(w.columnaCelda(), 1);
}

TYPED_TEST_P(ContratoTablas, AnchoDeColumnaEnPuntos) {
    Word& w = this->word();
    this->llenarTabla(2, 3);
    w.moverCeldas(1);
    EXPECT_NEAR(w.anchoColumna(), kLinea / 3, 0.2);
    w.fijarAnchoColumna(w.anchoColumna() + 15);
    EXPECT_NEAR(w.anchoColumna(), kLinea / 3 + 15, 0.2);
    EXPECT_NEAR(this->tabla().anchos[1], kLinea / 3 + 15, 0.2);
    EXPECT_NEAR(this->tabla().anchos[0], kLinea / 3, 0.2);
    w.fijarAnchoColumna(10);
    EXPECT_NEAR(w.anchoColumna(), 10, 0.2);
    EXPECT_THROW(w.fijarAnchoColumna(0), ErrorWord);
    EXPECT_THROW(w.fijarAnchoColumna(-5), ErrorWord);
}

// Narrowed past the floor as the table manager's PgUp does it (15 points
// less, 1 point where that is not positive, then fitted to the margins),
// the column keeps its place: every column reads back, the narrowed one is
// the one that changed, and widening or equalizing brings the table back.
TYPED_TEST_P(ContratoTablas, UnaColumnaDeUnPuntoSigueSiendoUnaColumna) {
    Word& w = this->word();
    this->llenarTabla(1, 3);
    auto cambiar = [&w](float cambio) {
        float ancho = w.anchoColumna() + cambio;
        if (ancho < 0) ancho = 1;
        w.fijarAnchoColumna(ancho);
        w.ajustarAVentana();
    };
    for (int i = 0; i < 22; ++i)
        cambiar(-15);
    TablaLeida t = this->tabla();
    ASSERT_EQ(t.anchos.size(), 3u);
    EXPECT_LT(t.anchos[0], 3);
    EXPECT_NEAR(t.anchos[1], t.anchos[2], 0.2);
    EXPECT_NEAR(suma(t.anchos), kLinea, 0.2);
    EXPECT_NEAR(w.anchoColumna(), t.anchos[0], 0.2);
    cambiar(15);
    t = this->tabla();
    ASSERT_EQ(t.anchos.size(), 3u);
    EXPECT_GT(t.anchos[0], 15);
    EXPECT_NEAR(t.anchos[1], t.anchos[2], 0.2);
    w.igualarColumnas();
    t = this->tabla();
    ASSERT_EQ(t.anchos.size(), 3u);
    for (double a : t.anchos)
        EXPECT_NEAR(a, kLinea / 3, 0.2);
}

TYPED_TEST_P(ContratoTablas, IgualarColumnasConservaElAncho) {
    Word& w = this->word();
    this->llenarTabla(1, 3);
    w.fijarAnchoColumna(40);
    const double total = suma(this->tabla().anchos);
    w.igualarColumnas();
    for (double a : this->tabla().anchos)
        EXPECT_NEAR(a, total / 3, 0.2);
}

TYPED_TEST_P(ContratoTablas, EliminarColumna) {
    Word& w = this->word();
    this->llenarTabla(2, 3);
    w.moverCeldas(1);
    w.expandir(Unidad::columna);
    w.borrarCeldasSeleccionadas();
    const TablaLeida t = this->tabla();
    EXPECT_EQ(t.columnas, 2);
    EXPECT_EQ(t.anchos.size(), 2u);
    EXPECT_EQ(t.texto, (Filas{{"11", "13"}, {"21", "23"}}));
    EXPECT_TRUE(w.enTabla());
}

TYPED_TEST_P(ContratoTablas, EliminarFila) {
    Word& w = this->word();
    this->llenarTabla(3, 2);
    w.moverCeldas(3); // row 2, column 2
    w.expandir(Unidad::fila);
    w.borrarCeldasSeleccionadas();
    const TablaLeida t = this->tabla();
    EXPECT_EQ(t.filas, 2);
    EXPECT_EQ(t.texto, (Filas{{"11", "12"}, {"31", "32"}}));
    EXPECT_EQ(w.filaCelda(), 2);
}

TYPED_TEST_P(ContratoTablas, EliminarLaUltimaFilaDejaElCursorEnLaTabla) {
    Word& w = this->word();
    this->llenarTabla(2, 2);
    w.moverCeldas(3);
    w.expandir(Unidad::fila);
    w.borrarCeldasSeleccionadas();
    EXPECT_EQ(w.filasTabla(), 1);
    EXPECT_EQ(w.filaCelda(), 1);
}

TYPED_TEST_P(ContratoTablas, ColumnaDeUnaTablaDeUnaFila) {
    // The column is a single cell: the expansion, not the selection, tells.
    Word& w = this->word();
    this->llenarTabla(1, 3);
    w.moverCeldas(2);
    w.expandir(Unidad::columna);
    w.borrarCeldasSeleccionadas();
    EXPECT_EQ(this->tabla().texto, (Filas{{"11", "12"}}));
}

TYPED_TEST_P(ContratoTablas, UnMovimientoDeshaceLaExpansion) {
    Word& w = this->word();
    this->llenarTabla(2, 2);
    w.expandir(Unidad::columna);
    w.moverCeldas(1); // the pupil's selection is one cell again
    w.borrarCeldasSeleccionadas();
    const TablaLeida t = this->tabla();
    EXPECT_EQ(t.filas, 2);
    EXPECT_EQ(t.columnas, 2);
    EXPECT_EQ(t.texto[0], (Fila{"11", ""}));
}

TYPED_TEST_P(ContratoTablas, EliminarLaTablaUneLosTextos) {
    Word& w = this->word();
    this->manejo().escribir("antes despues");
    this->manejo().moverCursor(-7);
    w.agregarTabla(2, 2);
    w.moverCeldas(3);
    w.expandir(Unidad::tabla);
    w.borrarCeldasSeleccionadas();
    EXPECT_FALSE(w.enTabla());
    this->manejo().escribir("|");
    const DocumentoLeido d = w.leer();
    EXPECT_TRUE(d.tablas.empty());
    EXPECT_EQ(textos(d), Fila{"antes |despues"});
    EXPECT_EQ(d.parrafoCursor, 0);
}

TYPED_TEST_P(ContratoTablas, VaciarPrimeraCelda) {
    Word& w = this->word();
    this->llenarTabla(2, 2);
    w.moverCeldas(1);
    this->manejo().escribir("\nsegunda línea");
    w.vaciarPrimeraCelda();
    EXPECT_EQ(this->tabla().texto, (Filas{{"11", ""}, {"21", "22"}}));
}

TYPED_TEST_P(ContratoTablas, SombreadoDeLaPrimeraCelda) {
    Word& w = this->word();
    this->llenarTabla(2, 2);
    w.moverCeldas(2);
    w.sombrearPrimeraCelda(200);
    EXPECT_EQ(this->tabla().sombreadas, (std::vector<std::pair<int, int>>{{2, 1}}));
    w.moverCeldas(1);
    w.sombrearPrimeraCelda(200);
    w.moverCeldas(-1);
    w.sombrearPrimeraCelda(0);
    EXPECT_EQ(this->tabla().sombreadas, (std::vector<std::pair<int, int>>{{2, 2}}));
    EXPECT_THROW(w.sombrearPrimeraCelda(-3), ErrorWord);
}

TYPED_TEST_P(ContratoTablas, EscribirEnLaTablaNoLaDeja) {
    Word& w = this->word();
    this->llenarTabla(1, 2);
    this->manejo().escribir("a\nb");
    EXPECT_TRUE(w.enTabla());
    EXPECT_EQ(this->tabla().texto[0][0], "a\nb11");
    EXPECT_EQ(w.textoPrimerParrafo(), "b11\r");
}

TYPED_TEST_P(ContratoTablas, DespuesDeLaTablaSigueElTexto) {
    Word& w = this->word();
    this->llenarTabla(1, 1);
    this->manejo().moverCursor(100);
    EXPECT_FALSE(w.enTabla());
    this->manejo().escribir("después");
    const DocumentoLeido d = w.leer();
    EXPECT_EQ(d.parrafos.back().texto, "después");
    EXPECT_EQ(d.tablas[0].despuesDe, static_cast<int>(d.parrafos.size()) - 2);
    EXPECT_EQ(d.parrafoCursor, static_cast<int>(d.parrafos.size()) - 1);
}

REGISTER_TYPED_TEST_SUITE_P(ContratoTablas, AgregarTablaEnElCursor, TablaEntreTextos,
                            TamanosNoValidosFallan, CuadriculaSiYNo,
                            AutoajusteYLineasNoCambianLaTabla, MoverCeldasEnOrdenDeLectura,
                            FilasYColumnasAlFinal, AnchoDeColumnaEnPuntos,
                            IgualarColumnasConservaElAncho,
                            UnaColumnaDeUnPuntoSigueSiendoUnaColumna, EliminarColumna, EliminarFila,
                            EliminarLaUltimaFilaDejaElCursorEnLaTabla, ColumnaDeUnaTablaDeUnaFila,
                            UnMovimientoDeshaceLaExpansion, EliminarLaTablaUneLosTextos,
                            VaciarPrimeraCelda, SombreadoDeLaPrimeraCelda,
                            EscribirEnLaTablaNoLaDeja, DespuesDeLaTablaSigueElTexto);

} // namespace renglero::contrato
