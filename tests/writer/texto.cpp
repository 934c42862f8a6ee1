// Text, selection, the character numbering, formats, the page and saving.
#include <filesystem>
#include <fstream>

#include "entorno.h"

namespace renglero::prueba {

namespace {

std::vector<std::string> textos(const DocumentoLeido& d) {
    std::vector<std::string> t;
    for (const auto& p : d.parrafos)
        t.push_back(p.texto);
    return t;
}

using V = std::vector<std::string>;

} // namespace

TEST_F(ConWriter, NuevoDocumentoComoElPropio) {
    const DocumentoLeido d = w->leer();
    EXPECT_EQ(textos(d), V{""});
    EXPECT_EQ(d.parrafoCursor, 0);
    EXPECT_TRUE(d.tablas.empty());
    const Pagina p = w->pagina();
    EXPECT_NEAR(p.ancho, 595.3, 0.1);
    EXPECT_NEAR(p.margenIzquierdo, 70.87, 0.05);
    EXPECT_NEAR(p.margenDerecho, 70.87, 0.05);
    w->escribir("hola");
    const DocumentoLeido e = w->leer();
    ASSERT_EQ(e.parrafos[0].tramos.size(), 1u);
    EXPECT_EQ(e.parrafos[0].tramos[0].fuente, "Times New Roman");
}

TEST_F(ConWriter, InsertarTextoSeleccionaLoInsertado) {
    w->escribir("uno");
    w->insertarTexto("\rab\rcd\r");
    EXPECT_EQ(textos(w->leer()), (V{"uno", "ab", "cd", ""}));
    // The selection starts at the end of "uno": its first paragraph is that one.
    EXPECT_EQ(w->textoPrimerParrafo(), "uno\r");
    // Character 1 is the first break, "a" is 2, "d" is 6.
    w->formatear(2, 1, Atributo::negrita);
    w->formatear(6, 1, Atributo::cursiva);
    w->contraerSeleccion(false);
    const DocumentoLeido d = w->leer();
    EXPECT_EQ(d.parrafoCursor, 3);
    ASSERT_EQ(d.parrafos[1].tramos.size(), 2u);
    EXPECT_TRUE(d.parrafos[1].tramos[0].negrita);
    EXPECT_EQ(d.parrafos[1].tramos[0].largo, 1);
    EXPECT_FALSE(d.parrafos[1].tramos[1].negrita);
    ASSERT_EQ(d.parrafos[2].tramos.size(), 2u);
    EXPECT_FALSE(d.parrafos[2].tramos[0].cursiva);
    EXPECT_TRUE(d.parrafos[2].tramos[1].cursiva);
}

TEST_F(ConWriter, EnvioCompletoYLoQueSeEscribeDespues) {
    // F9's sequence: check the paragraph, insert, font, formats, collapse.
    EXPECT_EQ(w->textoPrimerParrafo(), "\r");
    w->insertarTexto("\r125\r+37\r");
    w->fuenteSeleccion("Courier New");
    w->formatear(2, 3, Atributo::negrita);
    w->contraerSeleccion(false);
    EXPECT_EQ(w->textoPrimerParrafo(), "\r"); // a second F9 is accepted at once
    w->escribir("fin");
    const DocumentoLeido d = w->leer();
    EXPECT_EQ(textos(d), (V{"", "125", "+37", "fin"}));
    ASSERT_EQ(d.parrafos[1].tramos.size(), 1u);
    EXPECT_EQ(d.parrafos[1].tramos[0].fuente, "Courier New");
    EXPECT_TRUE(d.parrafos[1].tramos[0].negrita);
    EXPECT_EQ(d.parrafos[2].tramos[0].fuente, "Courier New");
    EXPECT_FALSE(d.parrafos[2].tramos[0].negrita);
    // What the pupil types after the block keeps the document's own font.
    ASSERT_EQ(d.parrafos[3].tramos.size(), 1u);
    EXPECT_EQ(d.parrafos[3].tramos[0].fuente, "Times New Roman");
    EXPECT_EQ(d.parrafoCursor, 3);
}

TEST_F(ConWriter, CadaAtributo) {
    w->insertarTexto("\rabcdefghi\r");
    w->formatear(2, 1, Atributo::simbolo);
    w->formatear(3, 1, Atributo::superindice);
    w->formatear(4, 1, Atributo::subindice);
    w->formatear(5, 1, Atributo::negrita);
    w->formatear(6, 1, Atributo::subrayado);
    w->formatear(7, 1, Atributo::tachado);
    w->formatear(8, 1, Atributo::cursiva);
    w->formatear(9, 2, Atributo::color, rgb(255, 0, 0));
    w->contraerSeleccion(false);
    const DocumentoLeido d = w->leer();
    const auto& t = d.parrafos[1].tramos;
    ASSERT_EQ(t.size(), 8u);
    EXPECT_EQ(t[0].fuente, "Symbol");
    EXPECT_TRUE(t[1].superindice);
    EXPECT_FALSE(t[1].subindice);
    EXPECT_TRUE(t[2].subindice);
    EXPECT_TRUE(t[3].negrita);
    EXPECT_TRUE(t[4].subrayado);
    EXPECT_TRUE(t[5].tachado);
    EXPECT_TRUE(t[6].cursiva);
    EXPECT_EQ(t[7].color, std::optional<Color>(rgb(255, 0, 0)));
    EXPECT_EQ(t[7].largo, 2);
    EXPECT_FALSE(t[6].color.has_value());
    for (int i = 1; i < 8; ++i)
        EXPECT_EQ(t[i].inicio, i);
}

TEST_F(ConWriter, FormatosEnCualquierOrden) {
    // Runs of different attributes come back and forth over the block.
    w->insertarTexto("\rabcdef\rghijkl\r");
    w->formatear(9, 3, Atributo::negrita);
    w->formatear(2, 2, Atributo::cursiva);
    w->formatear(3, 4, Atributo::negrita);
    w->formatear(13, 1, Atributo::subrayado);
    w->contraerSeleccion(false);
    const DocumentoLeido d = w->leer();
    const auto& a = d.parrafos[1].tramos;
    ASSERT_EQ(a.size(), 4u);
    EXPECT_TRUE(a[0].cursiva && !a[0].negrita && a[0].largo == 1);
    EXPECT_TRUE(a[1].cursiva && a[1].negrita && a[1].largo == 1);
    EXPECT_TRUE(!a[2].cursiva && a[2].negrita && a[2].largo == 3);
    EXPECT_TRUE(!a[3].negrita && a[3].largo == 1);
    const auto& b = d.parrafos[2].tramos;
    ASSERT_EQ(b.size(), 4u);
    EXPECT_TRUE(b[0].negrita && b[0].largo == 3);
    EXPECT_TRUE(!b[1].subrayado && b[1].largo == 1);
    EXPECT_TRUE(b[2].subrayado && b[2].largo == 1 && b[2].inicio == 4);
}

TEST_F(ConWriter, CaracteresFueraDelPlanoBasicoCuentanUno) {
    w->insertarTexto("\r\xF0\x9D\x91\xA5y\xCF\x80\r"); // 𝑥 y π
    w->formatear(3, 1, Atributo::negrita);
    w->formatear(4, 1, Atributo::simbolo);
    w->contraerSeleccion(false);
    const DocumentoLeido d = w->leer();
    EXPECT_EQ(d.parrafos[1].texto, "\xF0\x9D\x91\xA5y\xCF\x80");
    const auto& t = d.parrafos[1].tramos;
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0].largo, 1);
    EXPECT_TRUE(t[1].negrita);
    EXPECT_EQ(t[1].inicio, 1);
    EXPECT_EQ(t[2].fuente, "Symbol");
}

TEST_F(ConWriter, FormatoFueraDeLaSeleccionEsError) {
    w->insertarTexto("\rab\r");
    try {
        w->formatear(4, 2, Atributo::negrita);
        FAIL() << "no error";
    } catch (const ErrorWord& e) {
        EXPECT_EQ(e.tipo(), ErrorWord::Tipo::otro);
    }
    EXPECT_THROW(w->formatear(0, 1, Atributo::negrita), ErrorWord);
}

TEST_F(ConWriter, ContraerYFinIgualAInicio) {
    w->escribir("abc");
    w->insertarTexto("\rxy\r");
    w->finIgualAInicio();
    EXPECT_EQ(w->leer().parrafoCursor, 0);
    w->escribir("!");
    EXPECT_EQ(w->leer().parrafos[0].texto, "abc!");
}

TEST_F(ConWriter, PrimerParrafoYMoverCursor) {
    w->escribir("uno\ndos");
    EXPECT_EQ(w->textoPrimerParrafo(), "dos\r");
    w->moverCursor(-4);
    EXPECT_EQ(w->textoPrimerParrafo(), "uno\r");
    EXPECT_EQ(w->leer().parrafoCursor, 0);
    w->moverCursor(2);
    EXPECT_EQ(w->leer().parrafoCursor, 1);
}

TEST_F(ConWriter, Pagina) {
    w->fijarPagina(612, 72, 36);
    const Pagina p = w->pagina();
    EXPECT_NEAR(p.ancho, 612, 0.05);
    EXPECT_NEAR(p.margenIzquierdo, 72, 0.05);
    EXPECT_NEAR(p.margenDerecho, 36, 0.05);
}

TEST_F(ConWriter, GuardarOdt) {
    w->escribir("guardado");
    const auto ruta = std::filesystem::temp_directory_path() /
                      ("renglero-writer-" + std::to_string(::getpid()) + ".odt");
    ASSERT_TRUE(w->guardar(ruta.string()));
    std::ifstream f(ruta, std::ios::binary);
    char cabecera[2] = {};
    f.read(cabecera, 2);
    EXPECT_EQ(std::string(cabecera, 2), "PK");
    std::filesystem::remove(ruta);
}

TEST_F(ConWriter, DocumentoCerrado) {
    w->cerrarDocumento();
    EXPECT_FALSE(w->leer().abierto);
    for (const auto& op : std::vector<std::function<void()>>{
             [&] { w->textoPrimerParrafo(); }, [&] { w->insertarTexto("\rx\r"); },
             [&] { w->formatear(1, 1, Atributo::negrita); }, [&] { w->agregarTabla(2, 2); },
             [&] { w->enTabla(); }, [&] { w->pagina(); }}) {
        try {
            op();
            ADD_FAILURE() << "no error";
        } catch (const ErrorWord& e) {
            EXPECT_EQ(e.tipo(), ErrorWord::Tipo::sinDocumento) << e.what();
        }
    }
    w->escribir("nada"); // the pupil's side does nothing
    EXPECT_FALSE(w->guardar("/tmp/renglero-nada.odt"));
    w->nuevoDocumento();
    EXPECT_EQ(w->textoPrimerParrafo(), "\r");
}

} // namespace renglero::prueba
