// The window's zoom: the front end draws the whole window larger, in steps,
// and keeps it on the screen; a step is taken only where the larger window
// still fits there.
#include <cmath>

#include "shell/Form1.h"

namespace renglero {

namespace {

bool cabe(const Form1& f, int pasos) {
    const double escala = escalaZoom(pasos);
    return std::lround(f.Width * escala) <= f.plataforma.anchoPantalla() &&
           std::lround(f.Height * escala) <= f.plataforma.altoPantalla();
}

} // namespace

bool Form1::ponerZoom(int pasos) {
    if (pasos < kZoomNormal || pasos > kZoomMayor) return false;
    if (pasos > zoom && !cabe(*this, pasos)) return false;
    zoom = pasos;
    return true;
}

bool Form1::ajustarZoom() {
    const int antes = zoom;
    while (zoom > kZoomNormal && !cabe(*this, zoom))
        --zoom;
    return zoom != antes;
}

} // namespace renglero
