#include "qt/Aplicacion.h"

namespace renglero {
int ejecutarVentana(int, char**) { return 0; }
} // namespace renglero
