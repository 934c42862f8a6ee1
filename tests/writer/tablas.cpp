// Tables: insertion at the cursor, counts, rows and columns, widths,
// borders, the current cell, its mark, deletions.
#include <numeric>

#include "entorno.h"

namespace renglero::prueba {

namespace {

double suma(const std::vector<double>& v) {
    return std::accumulate(v.begin(), v.end(), 0.0);
}
constexpr double kLinea = 595.3 - 2 * 70.87; // the new document's line, in points

} // namespace

TEST_F(ConWriter, InsertarTablaEnElCursor) {
    EXPECT_FALSE(w->enTabla());
    w->agregarTabla(2, 3);
    EXPECT_TRUE(w->enTabla());
    EXPECT_EQ(w->filasTabla(), 2);
    EXPECT_EQ(w->columnasTabla(), 3);
    EXPECT_EQ(w->filaCelda(), 1);
    EXPECT_EQ(w->columnaCelda(), 1);
    const DocumentoLeido d = w->leer();
    ASSERT_EQ(d.tablas.size(), 1u);
    const TablaLeida& t = d.tablas[0];
    EXPECT_EQ(d.parrafos.size(), 2u); // the paragraph split around the table
    EXPECT_EQ(t.despuesDe, 0);
    EXPECT_EQ(t.filas, 2);
    EXPECT_EQ(t.columnas, 3);
    ASSERT_EQ(t.anchos.size(), 3u);
    EXPECT_NEAR(suma(t.anchos), kLinea, 0.2);
    EXPECT_NEAR(t.anchos[0], t.anchos[2], 0.1);
    EXPECT_EQ(d.parrafoCursor, -1);
    EXPECT_EQ(d.tablaCursor, (std::vector<int>{0, 1, 1}));
    EXPECT_EQ(t.texto, (std::vector<std::vector<std::string>>(2, std::vector<std::string>(3))));
    // Typing in the first row is as plain as anywhere.
    w->escribir("x");
    const DocumentoLeido e = w->leer();
    EXPECT_EQ(e.tablas[0].texto[0][0], "x");
}

TEST_F(ConWriter, TablaEntreTextos) {
    w->escribir("antes despues");
    w->moverCursor(-7);
    w->agregarTabla(1, 1);
    const DocumentoLeido d = w->leer();
    ASSERT_EQ(d.parrafos.size(), 2u);
    EXPECT_EQ(d.parrafos[0].texto, "antes ");
    EXPECT_EQ(d.parrafos[1].texto, "despues");
    EXPECT_EQ(d.tablas[0].despuesDe, 0);
}

TEST_F(ConWriter, CuadriculaYBordes) {
    w->agregarTabla(2, 2);
    w->formatoTabla(false);
    EXPECT_FALSE(w->bordeVisible(-1));
    EXPECT_FALSE(w->bordeVisible(-5));
    EXPECT_FALSE(w->leer().tablas[0].cuadricula);
    w->formatoTabla(true);
    EXPECT_TRUE(w->bordeVisible(-1));
    EXPECT_TRUE(w->bordeVisible(-5));
    EXPECT_TRUE(w->leer().tablas[0].cuadricula);
    EXPECT_THROW(w->bordeVisible(3), ErrorWord);
    w->permitirAutoajuste();
    w->mostrarLineasDeTabla();
}

TEST_F(ConWriter, FilasColumnasYAnchos) {
    w->agregarTabla(2, 3);
    w->agregarFila();
    EXPECT_EQ(w->filasTabla(), 3);
    const double antes = w->anchoColumna();
    w->agregarColumna();
    EXPECT_EQ(w->columnasTabla(), 4);
    std::vector<double> a = w->leer().tablas[0].anchos;
    ASSERT_EQ(a.size(), 4u);
    EXPECT_NEAR(a[3], a[2], 0.2); // as wide as the last one
    EXPECT_NEAR(a[0], antes, 0.2);
    w->ajustarAVentana();
    a = w->leer().tablas[0].anchos;
    EXPECT_NEAR(suma(a), kLinea, 0.2);
    w->fijarAnchoColumna(100);
    EXPECT_NEAR(w->anchoColumna(), 100, 0.2);
    a = w->leer().tablas[0].anchos;
    EXPECT_NEAR(a[0], 100, 0.2);
    w->igualarColumnas();
    a = w->leer().tablas[0].anchos;
    EXPECT_NEAR(a[0], a[3], 0.2);
    EXPECT_NEAR(a[1], a[2], 0.2);
    EXPECT_THROW(w->fijarAnchoColumna(0), ErrorWord);
}

TEST_F(ConWriter, MoverPorLasCeldas) {
    w->agregarTabla(2, 3);
    w->moverCeldas(1);
    EXPECT_EQ(w->columnaCelda(), 2);
    w->moverCeldas(3);
    EXPECT_EQ(w->filaCelda(), 2);
    EXPECT_EQ(w->columnaCelda(), 2);
    w->moverCeldas(10);
    EXPECT_EQ(w->filaCelda(), 2);
    EXPECT_EQ(w->columnaCelda(), 3);
    w->moverCeldas(-10);
    EXPECT_EQ(w->filaCelda(), 1);
    EXPECT_EQ(w->columnaCelda(), 1);
    EXPECT_EQ(w->leer().tablaCursor, (std::vector<int>{0, 1, 1}));
}

TEST_F(ConWriter, MarcaYVaciado) {
    w->agregarTabla(2, 2);
    w->moverCeldas(3);
    w->escribir("texto");
    EXPECT_EQ(w->leer().tablas[0].texto[1][1], "texto");
    w->sombrearPrimeraCelda(200);
    EXPECT_EQ(w->leer().tablas[0].sombreadas, (std::vector<std::pair<int, int>>{{2, 2}}));
    w->sombrearPrimeraCelda(0);
    EXPECT_TRUE(w->leer().tablas[0].sombreadas.empty());
    w->vaciarPrimeraCelda();
    EXPECT_EQ(w->leer().tablas[0].texto[1][1], "");
}

TEST_F(ConWriter, BorrarFilaColumnaYTabla) {
    w->agregarTabla(3, 3);
    w->moverCeldas(4); // row 2, column 2
    w->expandir(Unidad::fila);
    w->borrarCeldasSeleccionadas();
    EXPECT_EQ(w->filasTabla(), 2);
    EXPECT_EQ(w->columnasTabla(), 3);
    EXPECT_EQ(w->filaCelda(), 2);
    w->expandir(Unidad::columna);
    w->borrarCeldasSeleccionadas();
    EXPECT_EQ(w->columnasTabla(), 2);
    EXPECT_EQ(w->filasTabla(), 2);
    w->expandir(Unidad::tabla);
    w->borrarCeldasSeleccionadas();
    const DocumentoLeido d = w->leer();
    EXPECT_TRUE(d.tablas.empty());
    EXPECT_FALSE(w->enTabla());
    // The paragraph split for the table is whole again, the cursor in it.
    EXPECT_EQ(d.parrafos.size(), 1u);
    EXPECT_EQ(d.parrafoCursor, 0);
}

TEST_F(ConWriter, BorrarTablaUneLosTextos) {
    w->escribir("antes despues");
    w->moverCursor(-7);
    w->agregarTabla(2, 2);
    w->expandir(Unidad::tabla);
    w->borrarCeldasSeleccionadas();
    w->escribir("|");
    const DocumentoLeido d = w->leer();
    ASSERT_EQ(d.parrafos.size(), 1u);
    EXPECT_EQ(d.parrafos[0].texto, "antes |despues");
}

TEST_F(ConWriter, FueraDeTablaEsError) {
    for (const auto& op : std::vector<std::function<void()>>{
             [&] { w->filasTabla(); }, [&] { w->agregarFila(); }, [&] { w->agregarColumna(); },
             [&] { w->sombrearPrimeraCelda(200); }, [&] { w->bordeVisible(-1); },
             [&] { w->expandir(Unidad::tabla); }, [&] { w->vaciarPrimeraCelda(); }}) {
        try {
            op();
            ADD_FAILURE() << "no error";
        } catch (const ErrorWord& e) {
            EXPECT_EQ(e.tipo(), ErrorWord::Tipo::otro);
        }
    }
}

} // namespace renglero::prueba
