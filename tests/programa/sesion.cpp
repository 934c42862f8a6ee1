// The Qt platform chosen for the desktop session before the application
// object exists.
#include <gtest/gtest.h>

#include <map>

#include "programa/Sesion.h"

using namespace renglero;

namespace {

std::string elegir(const std::map<std::string, std::string>& entorno, bool conPlataforma = false) {
    return plataformaForzada(
        [&](const char* nombre) {
            const auto i = entorno.find(nombre);
            return i == entorno.end() ? std::string() : i->second;
        },
        conPlataforma);
}

} // namespace

TEST(Sesion, WaylandConXWaylandVaAX11) {
    EXPECT_EQ(elegir({{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}), "xcb");
    // GNOME's session type says it even where the socket's name is not set.
    EXPECT_EQ(elegir({{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":1"}}), "xcb");
}

TEST(Sesion, LaEleccionDelUsuarioSeRespeta) {
    EXPECT_EQ(
        elegir(
            {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "wayland"}}),
        "");
    EXPECT_EQ(elegir({{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}, true), "");
}

TEST(Sesion, SinXWaylandQtElige) {
    EXPECT_EQ(elegir({{"WAYLAND_DISPLAY", "wayland-0"}}), "");
    EXPECT_EQ(elegir({{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ""}}), "");
}

TEST(Sesion, FueraDeWaylandNadaCambia) {
    EXPECT_EQ(elegir({{"DISPLAY", ":0"}, {"XDG_SESSION_TYPE", "x11"}}), "");
    EXPECT_EQ(elegir({{"XDG_SESSION_TYPE", "tty"}}), "");
    EXPECT_EQ(elegir({}), "");
}
