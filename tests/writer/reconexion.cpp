// A notebook that joins LibreOffice: the document the pupil has there is
// the one it works with, and where it makes one, that one is in Spanish.
// Joining the same LibreOffice again right after another connection to it
// went away, the new connection must not inherit anything of the old one,
// however busy LibreOffice still was with it.
#include <cstdlib>

#include "entorno.h"
#include "medida.h"

namespace renglero::prueba {

namespace {

bool tieneParrafo(Writer& w, const std::string& texto) {
    for (const ParrafoLeido& p : w.leer().parrafos)
        if (p.texto == texto) return true;
    return false;
}

// The calls of a notebook that has just joined say that Writer is starting
// until it has a document to work with.
void esperarDocumento(Writer& w) {
    const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < limite) {
        try {
            w.textoPrimerParrafo();
            return;
        } catch (const ErrorWord& e) {
            if (e.tipo() != ErrorWord::Tipo::arrancando) return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

} // namespace

// The pupil opened Writer and wrote in it before the notebook came: the
// notebook sends into that document and opens none of its own.
TEST(WriterReconexion, SeUneAlDocumentoDelAlumnoSinAbrirOtro) {
    ColaEventos colaAlumno, cola;
    Writer alumno(libreOffice().tubo(), colaAlumno.poster(), false);
    alumno.nuevoDocumento();
    alumno.escribir("del alumno\n");
    const int documentos = documentosDeTexto(libreOffice().tubo());
    Writer w(libreOffice().tubo(), cola.poster(), false);
    auto conexion = std::make_unique<ConexionWriter>(libreOffice().tubo());
    ASSERT_TRUE(conexion->conectar());
    w.adoptarConexion(std::move(conexion));
    esperarDocumento(w);
    EXPECT_EQ(w.textoPrimerParrafo(), "\r");
    w.insertarBloque("\r  125 \r", "Courier New", {});
    EXPECT_TRUE(tieneParrafo(alumno, "  125 "));
    EXPECT_TRUE(tieneParrafo(alumno, "del alumno"));
    EXPECT_EQ(documentosDeTexto(libreOffice().tubo()), documentos);
    alumno.cerrarDocumento();
}

// Another connection to the same LibreOffice works in a document and goes,
// its document left open or closed, the new connection made before or after
// it goes: the new one opens its own document, in the pupil's Spanish, and
// hears of it.
TEST(WriterReconexion, CadaConexionNuevaAbreYOyeSuDocumento) {
    const char* antes = std::getenv("LC_ALL");
    const std::string idioma = antes != nullptr ? antes : "";
    setenv("LC_ALL", "es_MX.UTF-8", 1);
    for (int i = 0; i < 12; ++i) {
        ColaEventos colaOtra, cola;
        auto otra = std::make_unique<Writer>(libreOffice().tubo(), colaOtra.poster(), false);
        otra->suscribir({});
        otra->nuevoDocumento();
        otra->insertarTexto("\rabc\rdef\r");
        otra->formatear(2, 2, Atributo::negrita);
        otra->contraerSeleccion(false);
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
        ASSERT_TRUE(w->leer().abierto) << "round " << i;
        EXPECT_EQ(w->leer().idioma, "es-MX") << "round " << i;
        EXPECT_TRUE(cola.esperar([&] { return abiertos >= 1; }, std::chrono::seconds(20)))
            << "round " << i << ": the new document was not told";
        w->insertarTexto("\rxyz\r");
        EXPECT_TRUE(tieneParrafo(*w, "xyz")) << "round " << i;
        w->cerrarDocumento();
    }
    if (antes != nullptr)
        setenv("LC_ALL", idioma.c_str(), 1);
    else
        unsetenv("LC_ALL");
}

} // namespace renglero::prueba
