// The window's zoom: the front end draws the whole window larger, in steps,
// and keeps it on the screen; a step is taken only where the larger window
// still fits there.
#include <cmath>

#include "shell/Form1.h"

namespace renglero {

bool Form1::ponerZoom(int pasos) {
    if (pasos < kZoomNormal || pasos > kZoomMayor) return false;
    const double escala = escalaZoom(pasos);
    if (pasos > zoom && (std::lround(Width * escala) > plataforma.anchoPantalla() ||
                         std::lround(Height * escala) > plataforma.altoPantalla()))
        return false;
    zoom = pasos;
    return true;
}

} // namespace renglero
