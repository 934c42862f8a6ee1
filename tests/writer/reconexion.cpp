// A notebook that joins LibreOffice works with the pupil's document there,
// and inherits nothing of another connection to it that just went away.
#include "contrato/contrato.h"
#include "entorno.h"

namespace renglero::prueba {

// The pupil opened Writer before the notebook came, or the notebook started
// it with its own empty document: the notebook sends into that document and
// opens none of its own. An empty one takes the pupil's Spanish; one the
// pupil wrote in keeps its language.
TEST(WriterReconexion, SeUneAlDocumentoDelAlumnoSinAbrirOtro) {
    for (const std::string escrito : {"del alumno\n", ""}) {
        SCOPED_TRACE(escrito);
        VariableDeEntorno locale("LC_ALL", "en_US.UTF-8");
        ColaEventos colaAlumno, cola;
        Writer alumno(libreOffice().tubo(), colaAlumno.poster(), false);
        alumno.nuevoDocumento();
        alumno.escribir(escrito);
        const std::string idiomaAlumno = alumno.leer().idioma;
        const int documentos = documentosDeTexto(libreOffice().tubo());
        locale.poner("es_MX.UTF-8");
        Writer w(libreOffice().tubo(), cola.poster(), false);
        auto conexion = std::make_unique<ConexionWriter>(libreOffice().tubo());
        ASSERT_TRUE(conexion->conectar());
        w.adoptarConexion(std::move(conexion));
        // Its calls say that Writer is starting until it has a document.
        EXPECT_TRUE(respondeTras(w, ErrorWord::Tipo::arrancando, std::chrono::seconds(30)));
        EXPECT_EQ(w.leer().idioma, escrito.empty() ? "es-MX" : idiomaAlumno);
        contrato::seguir(w, w, "b \r  125 \r;c");
        if (!escrito.empty()) {
            EXPECT_EQ(contrato::describir(alumno.leer()), "del alumno||[C]  125 | @3");
        }
        EXPECT_EQ(documentosDeTexto(libreOffice().tubo()), documentos);
        alumno.cerrarDocumento();
    }
}

// Another connection to the same LibreOffice works in a document and goes,
// its document left open or closed, the new connection made before or after
// it goes: the new one opens its own document, in the pupil's Spanish, and
// hears of it.
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
        EventosWord ev;
        ev.documentoAbierto = [&] { ++abiertos; };
        const auto unirse = [&] {
            w = std::make_unique<Writer>(libreOffice().tubo(), cola.poster(), false);
            w->suscribir(ev);
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
