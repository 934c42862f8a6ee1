// LibreOffice closing the document under the notebook's feet, quitting, or
// killed in the middle of the work: errors that say which, never a crash.
#include <atomic>

#include "contrato/contrato.h"
#include "entorno.h"

namespace renglero::prueba {

using contrato::operaciones;
using contrato::tipoDeError;

// The pupil closes it in Writer: another client does it here, and the
// document the backend held is gone.
TEST_F(ConWriter, DocumentoCerradoPorOtro) {
    w->insertarTexto("\rabc\r");
    ColaEventos otra;
    Writer(libreOffice().tubo(), otra.poster(), false).cerrarDocumento();
    for (auto& [nombre, op] : operaciones())
        EXPECT_EQ(tipoDeError([&] { op(*w); }), ErrorWord::Tipo::sinDocumento) << nombre;
    w->nuevoDocumento();
    w->insertarBloque("\r  125 \r", "Courier New", {});
    EXPECT_EQ(w->leer().parrafos.size(), 3u);
}

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
    EXPECT_EQ(tipoDeError([&] { w.textoPrimerParrafo(); }), ErrorWord::Tipo::cerrado);
    EXPECT_FALSE(w.leer().abierto);
}

// Killed while F9 and the table manager work, once a round has gone
// through: the call it cuts off already says that Writer has gone, as every
// later one does, so that the pupil's F9 tells it the first time; a crash is
// not the pupil quitting, so the notebook goes on.
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
    // A full Texto grid: 50 rows of 62 cells, formats changing every few.
    std::string texto = "\r";
    std::vector<FormatoCaracter> formatos(1);
    for (int r = 0; r < 50; ++r) {
        for (int c = 0; c < 62; ++c) {
            texto += static_cast<char>('a' + (r + c) % 26);
            FormatoCaracter f;
            f.negrita = true;
            f.cursiva = (c / 3) % 2 == 0;
            if (c % 7 == 0) f.color = 0x0000FF;
            formatos.push_back(f);
        }
        texto += "\r";
        formatos.emplace_back();
    }
    std::atomic<bool> matando{false};
    std::atomic<int> hechos{0};
    std::thread asesino([&] {
        const auto tope = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (hechos == 0 && std::chrono::steady_clock::now() < tope)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        matando = true;
        lo.matar();
    });
    std::vector<ErrorWord::Tipo> tipos;
    const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(90);
    while (std::chrono::steady_clock::now() < limite && tipos.size() < 3) {
        try {
            w.textoPrimerParrafo();
            w.insertarBloque(texto, "Courier New", formatos);
            w.contraerSeleccion(false);
            w.agregarTabla(2, 2);
            w.agregarFila();
            w.moverCeldas(10);
            w.moverCursor(1);
            ++hechos;
        } catch (const ErrorWord& e) {
            // Failures while it still runs are not the point here.
            if (matando) tipos.push_back(e.tipo());
        }
    }
    asesino.join();
    EXPECT_GT(hechos, 0);
    EXPECT_EQ(tipos, std::vector<ErrorWord::Tipo>(3, ErrorWord::Tipo::cerrado));
    cola.esperar([] { return false; }, std::chrono::milliseconds(500));
    EXPECT_EQ(salidas, 0);
    EXPECT_FALSE(w.reconectar());
    EXPECT_FALSE(w.leer().abierto);
}

TEST(WriterSinLibreOffice, NadieEscuchando) {
    ColaEventos cola;
    Writer w("renglero-nadie-escucha-" + std::to_string(::getpid()), cola.poster(), false);
    EXPECT_THROW(w.mostrarAplicacion(), ErrorWord);
    EXPECT_EQ(tipoDeError([&] { w.textoPrimerParrafo(); }), ErrorWord::Tipo::sinDocumento);
    EXPECT_THROW(w.suscribir({}), ErrorWord);
    EXPECT_FALSE(w.leer().abierto);
    EXPECT_FALSE(ConexionWriter::programaSoffice().empty());
}

} // namespace renglero::prueba
