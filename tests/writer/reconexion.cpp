// Writer's events on the notebook's thread; a notebook joining LibreOffice works with the
// pupil's document there, inheriting nothing of another connection that just went away.
#include <set>

#include "contrato/contrato.h"
#include "entorno.h"

namespace renglero::prueba {

// Handlers run only as the test's thread drains the poster (a callback nested in a call may
// hand over from this thread too), never on UNO's.
TEST_F(ConWriter, EventosPorElPosterEnElHiloPropio) {
    std::multiset<std::string> oidos;
    int fuera = 0;
    const auto yo = std::this_thread::get_id();
    const auto anotar = [&](const char* n) {
        return [&, n] {
            oidos.insert(n);
            if (std::this_thread::get_id() != yo || !cola.drenando()) ++fuera;
        };
    };
    w->suscribir({anotar("antesDeCerrar"), anotar("cambioDeDocumento"), anotar("documentoAbierto"),
                  anotar("salir"), anotar("activada"), anotar("desactivada"), anotar("seleccion")});
    cola.drenar();
    oidos.clear();
    const auto oido = [&](const std::set<std::string>& nombres) {
        return cola.esperar([&] { return std::ranges::includes(oidos, nombres); },
                            std::chrono::seconds(5));
    };
    const auto quieto = [&] { cola.esperar([] { return false; }, 3 * Writer::kCadaSondeo); };
    w->insertarTexto("\rabc\r");
    quieto();
    oidos.clear();
    // The pupil moves it in Writer (another client here): heard while idle, once.
    ColaEventos otra;
    Writer(libreOffice().tubo(), otra.poster(), false).moverCursor(-2);
    EXPECT_TRUE(oido({"seleccion"}));
    quieto();
    EXPECT_EQ(oidos.count("seleccion"), 1u);
    w->nuevoDocumento();
    EXPECT_TRUE(oido({"documentoAbierto", "cambioDeDocumento"})); // in either order
    w->cerrarDocumento();
    EXPECT_TRUE(oido({"antesDeCerrar"}));
    EXPECT_EQ(fuera, 0);
    EXPECT_EQ(oidos.count("salir"), 0u);
}

// Writer opened by the pupil, or started by the notebook with an empty
// document: the notebook sends into that one and opens none; an empty one
// takes the pupil's Spanish, one written in keeps its language.
TEST(WriterReconexion, SeUneAlDocumentoDelAlumnoSinAbrirOtro) {
    for (const std::string escrito : {"del alumno\n", ""}) {
        SCOPED_TRACE(escrito);
        VariableDeEntorno locale("LC_ALL", "en_US.UTF-8");
        DocumentoWriter alumno;
        alumno.w->escribir(escrito);
        const std::string idiomaAlumno = alumno.w->leer().idioma;
        const int documentos = documentosDeTexto(libreOffice().tubo());
        locale.poner("es_MX.UTF-8");
        ColaEventos cola;
        Writer w(libreOffice().tubo(), cola.poster(), false);
        auto conexion = std::make_unique<ConexionWriter>(libreOffice().tubo());
        ASSERT_TRUE(conexion->conectar());
        w.adoptarConexion(std::move(conexion));
        // Its calls say that Writer is starting until it has a document.
        EXPECT_TRUE(respondeTras(w, ErrorWord::Tipo::arrancando, std::chrono::seconds(30)));
        EXPECT_EQ(w.leer().idioma, escrito.empty() ? "es-MX" : idiomaAlumno);
        contrato::seguir(w, w, "b \r  125 \r;c");
        EXPECT_EQ(contrato::describir(alumno.w->leer()),
                  escrito.empty() ? "|[C]  125 | @2" : "del alumno||[C]  125 | @3");
        EXPECT_EQ(documentosDeTexto(libreOffice().tubo()), documentos);
    }
}

// Another connection's document left open or closed, the new one made before or after it
// went: the new one opens its own document, in the pupil's Spanish, and hears of it.
TEST(WriterReconexion, CadaConexionNuevaAbreYOyeSuDocumento) {
    const VariableDeEntorno locale("LC_ALL", "es_MX.UTF-8");
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        ColaEventos colaOtra, cola;
        auto otra = std::make_unique<Writer>(libreOffice().tubo(), colaOtra.poster(), false);
        otra->suscribir({});
        otra->nuevoDocumento();
        contrato::seguir(*otra, *otra, "i \rabc\rdef\r;f 2 2 N;c");
        std::unique_ptr<Writer> w;
        int abiertos = 0;
        const auto unirse = [&] {
            w = std::make_unique<Writer>(libreOffice().tubo(), cola.poster(), false);
            EventosWord e;
            e.documentoAbierto = [&] { ++abiertos; };
            w->suscribir(e);
        };
        if (i % 2 == 1) unirse();
        if (i % 4 < 2) otra->cerrarDocumento();
        otra.reset();
        colaOtra.drenar();
        if (!w) unirse();
        // The other one's document may be told late as well.
        cola.drenar();
        abiertos = 0;
        w->nuevoDocumento();
        EXPECT_EQ(w->leer().idioma, "es-MX");
        EXPECT_TRUE(cola.esperar([&] { return abiertos >= 1; }, std::chrono::seconds(20)))
            << "the new document was not told";
        contrato::seguir(*w, *w, "i \rxyz\r;c");
        EXPECT_EQ(contrato::describir(w->leer()), "|xyz| @2");
        w->cerrarDocumento();
    }
}

} // namespace renglero::prueba
