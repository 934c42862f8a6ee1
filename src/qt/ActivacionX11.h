#pragma once
// Bringing another program's window to the front by its title, through the
// X11 window manager; a quiet no-op where there is no X11.
#include <string>

namespace renglero {

// Activates the first top-level window whose title contains `parte`; false
// when there is none or no X11 window manager to ask.
bool activarVentanaPorTitulo(const std::string& parte);

} // namespace renglero
