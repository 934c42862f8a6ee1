// A notebook that joins the same LibreOffice again right after another
// connection to it went away: the new connection must not inherit anything
// of the old one, however busy LibreOffice still was with it.
#include "entorno.h"

namespace renglero::prueba {

namespace {

bool tieneParrafo(Writer& w, const std::string& texto) {
    for (const ParrafoLeido& p : w.leer().parrafos)
        if (p.texto == texto) return true;
    return false;
}

// A Writer that opens a document, works in it (Writer's events still
// flowing back) and goes, its document left open or closed.
void trabajarYMarcharse(const std::string& tubo, bool cerrar) {
    ColaEventos cola;
    Writer w(tubo, cola.poster(), false);
    w.suscribir({});
    w.nuevoDocumento();
    w.insertarTexto("\rabc\rdef\r");
    w.formatear(2, 2, Atributo::negrita);
    w.contraerSeleccion(false);
    if (cerrar) w.cerrarDocumento();
}

} // namespace

TEST(WriterReconexion, CadaConexionNuevaAbreYOyeSuDocumento) {
    ASSERT_NE(&libreOffice(), nullptr);
    for (int i = 0; i < 12; ++i) {
        trabajarYMarcharse(libreOffice().tubo(), i % 2 == 0);
        ColaEventos cola;
        Writer w(libreOffice().tubo(), cola.poster(), false);
        int abiertos = 0;
        EventosWord ev;
        ev.documentoAbierto = [&] { ++abiertos; };
        w.suscribir(ev);
        w.nuevoDocumento();
        ASSERT_TRUE(w.leer().abierto) << "connection " << i;
        // The document of the Writer before may be told late as well.
        EXPECT_TRUE(cola.esperar([&] { return abiertos >= 1; }, std::chrono::seconds(20)))
            << "connection " << i << ": the new document was not told";
        w.insertarTexto("\rxyz\r");
        EXPECT_TRUE(tieneParrafo(w, "xyz")) << "connection " << i;
        w.cerrarDocumento();
    }
}

// Two connections at once, the first one going: the second goes on.
TEST(WriterReconexion, LaSegundaConexionSigueCuandoLaPrimeraSeVa) {
    for (int i = 0; i < 12; ++i) {
        ColaEventos cola1, cola2;
        auto primera = std::make_unique<Writer>(libreOffice().tubo(), cola1.poster(), false);
        primera->nuevoDocumento();
        Writer segunda(libreOffice().tubo(), cola2.poster(), false);
        int abiertos = 0;
        EventosWord ev;
        ev.documentoAbierto = [&] { ++abiertos; };
        segunda.suscribir(ev);
        primera->insertarTexto("\rabc\r");
        primera->cerrarDocumento();
        primera.reset();
        cola1.drenar();
        // The first one's document may have been told to the second one.
        cola2.drenar();
        abiertos = 0;
        segunda.nuevoDocumento();
        ASSERT_TRUE(segunda.leer().abierto) << "round " << i;
        EXPECT_TRUE(cola2.esperar([&] { return abiertos >= 1; }, std::chrono::seconds(20)))
            << "round " << i << ": the new document was not told";
        segunda.insertarTexto("\rxyz\r");
        EXPECT_TRUE(tieneParrafo(segunda, "xyz")) << "round " << i;
        segunda.cerrarDocumento();
    }
}

} // namespace renglero::prueba
