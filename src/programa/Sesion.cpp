#include "programa/Sesion.h"

#include <cstdlib>

namespace renglero {

std::string plataformaForzada(const std::function<std::string(const char*)>& variable,
                              bool conPlataforma) {
    if (conPlataforma || !variable("QT_QPA_PLATFORM").empty()) return "";
    const bool wayland =
        !variable("WAYLAND_DISPLAY").empty() || variable("XDG_SESSION_TYPE") == "wayland";
    // Without XWayland there is no X server to go to: Qt's own choice then.
    if (!wayland || variable("DISPLAY").empty()) return "";
    return "xcb";
}

void elegirPlataforma(bool conPlataforma) {
    const std::string plataforma = plataformaForzada(
        [](const char* nombre) {
            const char* valor = std::getenv(nombre);
            return std::string(valor != nullptr ? valor : "");
        },
        conPlataforma);
    if (!plataforma.empty()) setenv("QT_QPA_PLATFORM", plataforma.c_str(), 1);
}

} // namespace renglero
