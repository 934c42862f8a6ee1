// Writer's events reach the handlers through the poster, on the test's own
// thread and only when it drains what was handed over (a callback nested in
// a call may hand over from this thread too), never on UNO's.
#include <set>

#include "entorno.h"

namespace renglero::prueba {

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
    const auto oido = [&](std::initializer_list<const char*> nombres) {
        return cola.esperar(
            [&] {
                return std::all_of(nombres.begin(), nombres.end(),
                                   [&](const char* n) { return oidos.count(n) > 0; });
            },
            std::chrono::seconds(5));
    };
    w->insertarTexto("\rabc\r");
    EXPECT_TRUE(oido({"seleccion"}));
    w->nuevoDocumento();
    EXPECT_TRUE(oido({"documentoAbierto", "cambioDeDocumento"})); // in either order
    w->cerrarDocumento();
    EXPECT_TRUE(oido({"antesDeCerrar"}));
    EXPECT_EQ(fuera, 0);
    EXPECT_EQ(oidos.count("salir"), 0u);
}

} // namespace renglero::prueba
