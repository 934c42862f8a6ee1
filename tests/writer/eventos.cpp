// Writer's events reach the handlers through the poster, on the test's own
// thread, never on UNO's.
#include <atomic>

#include "entorno.h"

namespace renglero::prueba {

namespace {

struct Registro {
    ColaEventos* cola = nullptr;
    std::vector<std::string> nombres;
    std::vector<std::thread::id> hilos;
    int fueraDelDrenaje = 0;
    int cuantos(const std::string& n) const {
        return static_cast<int>(std::count(nombres.begin(), nombres.end(), n));
    }
};

EventosWord eventos(Registro& r) {
    auto anotar = [&r](const char* n) {
        return [&r, n] {
            r.nombres.push_back(n);
            r.hilos.push_back(std::this_thread::get_id());
            if (r.cola && !r.cola->drenando()) ++r.fueraDelDrenaje;
        };
    };
    EventosWord e;
    e.antesDeCerrarDocumento = anotar("antesDeCerrar");
    e.cambioDeDocumento = anotar("cambioDeDocumento");
    e.documentoAbierto = anotar("documentoAbierto");
    e.salir = anotar("salir");
    e.ventanaActivada = anotar("activada");
    e.ventanaDesactivada = anotar("desactivada");
    e.cambioDeSeleccion = anotar("seleccion");
    return e;
}

} // namespace

TEST_F(ConWriter, EventosPorElPosterEnElHiloPropio) {
    Registro r;
    r.cola = &cola;
    w->suscribir(eventos(r));
    cola.drenar();
    r.nombres.clear();
    w->insertarTexto("\rabc\r");
    ASSERT_TRUE(cola.esperar([&] { return r.cuantos("seleccion") > 0; }, std::chrono::seconds(5)));
    w->nuevoDocumento();
    // Both may come in either order.
    EXPECT_TRUE(cola.esperar(
        [&] { return r.cuantos("documentoAbierto") > 0 && r.cuantos("cambioDeDocumento") > 0; },
        std::chrono::seconds(5)));
    w->cerrarDocumento();
    ASSERT_TRUE(
        cola.esperar([&] { return r.cuantos("antesDeCerrar") > 0; }, std::chrono::seconds(5)));
    // Handlers run on this thread, and only when it drains what was handed
    // over (a callback nested in a call may hand over from this thread too).
    const auto yo = std::this_thread::get_id();
    for (const auto& h : r.hilos)
        EXPECT_EQ(h, yo);
    EXPECT_EQ(r.fueraDelDrenaje, 0);
    const auto hilos = cola.hilosPoster();
    EXPECT_TRUE(std::any_of(hilos.begin(), hilos.end(), [&](auto h) { return h != yo; }));
    EXPECT_EQ(r.cuantos("salir"), 0);
}

} // namespace renglero::prueba
