#include "typography/contraste.h"

#include <algorithm>
#include <cmath>

#include "grid/Cuadricula.h"

namespace renglero {

namespace {

double luminancia(Color c) {
    auto canal = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * canal((c >> 16) & 0xFF) + 0.7152 * canal((c >> 8) & 0xFF) +
           0.0722 * canal(c & 0xFF);
}

} // namespace

double contraste(Color a, Color b) {
    const double la = luminancia(a), lb = luminancia(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Color colorCursor(const Cuadricula& g) {
    const Color fondo = g.CellBackColor();
    for (Color c : {g.ForeColor, g.BackColor})
        if (contraste(c, fondo) >= kContrasteCursor) return c;
    const Color negro = rgb(0, 0, 0), blanco = rgb(255, 255, 255);
    return contraste(negro, fondo) >= contraste(blanco, fondo) ? negro : blanco;
}

} // namespace renglero
