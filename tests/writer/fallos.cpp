// LibreOffice closing a document under the notebook's feet, quitting, or
// killed in the middle of the work: errors, never a crash.
#include <atomic>
#include <csignal>

#include "entorno.h"

namespace renglero::prueba {

TEST_F(ConWriter, DocumentoCerradoPorOtro) {
    w->insertarTexto("\rabc\r");
    // The pupil closes it in Writer: another client does it here.
    ColaEventos otra;
    Writer pupilo(libreOffice().tubo(), otra.poster(), false);
    pupilo.cerrarDocumento();
    try {
        w->formatear(2, 1, Atributo::negrita);
        ADD_FAILURE() << "no error";
    } catch (const ErrorWord& e) {
        EXPECT_EQ(e.tipo(), ErrorWord::Tipo::sinDocumento) << e.what();
    }
    try {
        w->textoPrimerParrafo();
        ADD_FAILURE() << "no error";
    } catch (const ErrorWord& e) {
        EXPECT_EQ(e.tipo(), ErrorWord::Tipo::sinDocumento) << e.what();
    }
}

// With a LibreOffice of its own: it quits or dies during the test.
TEST(WriterSinLibreOffice, SalirTerminaLibreOffice) {
    LibreOfficePrivado lo;
    ASSERT_TRUE(lo.arrancar());
    ColaEventos cola;
    Writer w(lo.tubo(), cola.poster(), false);
    bool salio = false;
    EventosWord ev;
    ev.salir = [&] { salio = true; };
    w.suscribir(ev);
    w.nuevoDocumento();
    w.salir();
    EXPECT_TRUE(cola.esperar([&] { return salio; }, std::chrono::seconds(10)));
    const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (lo.enMarcha() && std::chrono::steady_clock::now() < limite)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(lo.enMarcha());
    try {
        w.textoPrimerParrafo();
        ADD_FAILURE() << "no error";
    } catch (const ErrorWord& e) {
        EXPECT_EQ(e.tipo(), ErrorWord::Tipo::cerrado) << e.what();
    }
    EXPECT_FALSE(w.leer().abierto);
}

TEST(WriterSinLibreOffice, MatadoEnMedioDelTrabajo) {
    LibreOfficePrivado lo;
    ASSERT_TRUE(lo.arrancar());
    ColaEventos cola;
    Writer w(lo.tubo(), cola.poster(), false);
    int salidas = 0;
    EventosWord ev;
    ev.salir = [&] { ++salidas; };
    w.suscribir(ev);
    w.nuevoDocumento();
    std::atomic<bool> muerto{false};
    std::atomic<int> hechas{0};
    // Killed once a whole round of calls has gone through, while the next
    // one is under way.
    std::thread asesino([&] {
        const auto tope = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (hechas == 0 && std::chrono::steady_clock::now() < tope)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        lo.matar();
        muerto = true;
    });
    int errores = 0;
    const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(90);
    while (std::chrono::steady_clock::now() < limite && errores < 3) {
        try {
            w.insertarTexto("\rabcdef\r");
            w.fuenteSeleccion("Courier New");
            for (int k = 2; k < 8; ++k)
                w.formatear(k, 1, Atributo::negrita);
            w.contraerSeleccion(false);
            w.agregarTabla(2, 2);
            w.agregarFila();
            w.moverCeldas(10);
            w.moverCursor(1);
            ++hechas;
        } catch (const ErrorWord&) {
            if (muerto) ++errores;
        }
    }
    asesino.join();
    EXPECT_GT(hechas.load(), 0);
    EXPECT_EQ(errores, 3);
    // A crash is not the pupil quitting the word processor: the notebook,
    // and the pupil's work in it, goes on.
    cola.esperar([] { return false; }, std::chrono::milliseconds(500));
    EXPECT_EQ(salidas, 0);
    // Later calls say that Writer has gone; nothing answers to reconnect.
    try {
        w.insertarTexto("\rx\r");
        ADD_FAILURE() << "no error";
    } catch (const ErrorWord& e) {
        EXPECT_EQ(e.tipo(), ErrorWord::Tipo::cerrado) << e.what();
    }
    EXPECT_FALSE(w.reconectar());
    EXPECT_FALSE(w.leer().abierto);
}

TEST(WriterSinLibreOffice, NadieEscuchando) {
    ColaEventos cola;
    Writer w("renglero-nadie-escucha-" + std::to_string(::getpid()), cola.poster(), false);
    EXPECT_THROW(w.mostrarAplicacion(), ErrorWord);
    try {
        w.textoPrimerParrafo();
        ADD_FAILURE() << "no error";
    } catch (const ErrorWord& e) {
        EXPECT_EQ(e.tipo(), ErrorWord::Tipo::sinDocumento);
    }
    EXPECT_THROW(w.suscribir({}), ErrorWord);
    EXPECT_FALSE(w.leer().abierto);
}

TEST(WriterSinLibreOffice, ProgramaSoffice) {
    EXPECT_FALSE(ConexionWriter::programaSoffice().empty());
}

} // namespace renglero::prueba
