// The default way of sending a formatted block: plain text, its font, then
// each attribute switched on run by run.
#include "word/Word.h"

#include <array>

namespace renglero {

void Word::insertarBloque(const std::string& texto, const std::string& fuente,
                          const std::vector<FormatoCaracter>& formatos) {
    insertarTexto(texto);
    fuenteSeleccion(fuente);
    struct Tramo {
        int desde = 0, largo = 0;
        Color color = 0;
    };
    constexpr int kAtributos = 8;
    std::array<Tramo, kAtributos> abiertos{};
    auto cerrar = [&](int a) {
        if (abiertos[a].largo > 0)
            formatear(abiertos[a].desde, abiertos[a].largo, static_cast<Atributo>(a),
                      abiertos[a].color);
        abiertos[a] = Tramo{};
    };
    auto sumar = [&](Atributo atributo, int k, Color color) {
        const int a = static_cast<int>(atributo);
        Tramo& t = abiertos[a];
        if (t.largo > 0 && t.desde + t.largo == k && t.color == color) {
            ++t.largo;
            return;
        }
        cerrar(a);
        t = Tramo{k, 1, color};
    };
    for (std::size_t i = 0; i < formatos.size(); ++i) {
        const FormatoCaracter& f = formatos[i];
        const int k = static_cast<int>(i) + 1;
        if (f.simbolo) sumar(Atributo::simbolo, k, 0);
        if (f.superindice) sumar(Atributo::superindice, k, 0);
        if (f.subindice) sumar(Atributo::subindice, k, 0);
        if (f.negrita) sumar(Atributo::negrita, k, 0);
        if (f.subrayado) sumar(Atributo::subrayado, k, 0);
        if (f.tachado) sumar(Atributo::tachado, k, 0);
        if (f.cursiva) sumar(Atributo::cursiva, k, 0);
        if (f.color) sumar(Atributo::color, k, *f.color);
    }
    for (int a = 0; a < kAtributos; ++a)
        cerrar(a);
}

} // namespace renglero
