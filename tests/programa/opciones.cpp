// The command line, the platform chosen for the session, the maintainers' messages.
#include <gtest/gtest.h>
#include <map>

#include "programa/Opciones.h"
#include "programa/Registro.h"
#include "programa/Sesion.h"

using namespace renglero;

// The door or the answer, the document, the zoom, whether the platform was chosen; or the error.
TEST(Opciones, LoQueSeAceptaYLoQueSeRechaza) {
    const std::pair<QStringList, std::string> casos[] = {
        {{}, "ventana automatico 1"},
        {{"--documento", "writer", "--zoom", "3", "--headless"}, "sinPantalla writer 3"},
        {{"--zoom=4", "--documento=propio"}, "ventana propio 4"},
        // Qt's own option passes and counts as the user's choice.
        {{"-platform", "offscreen", "--documento", "propio"}, "ventana propio 1 plataforma"},
        // Help and version win over the door.
        {{"--headless", "--help"}, "ayuda"},
        {{"--version", "--headless"}, "version"},
        {{"--nada"}, "opción desconocida: --nada"},
        {{"-x"}, "opción desconocida: -x"},
        {{"--documento", "word"}, "--documento admite propio o writer, no «word»"},
        {{"--headless", "--zoom"}, "falta el valor de --zoom"},
        {{"--zoom", "0"}, "--zoom admite un número entero del 1 al 4, no «0»"},
        {{"--zoom", "5"}, "--zoom admite un número entero del 1 al 4, no «5»"},
        {{"--zoom", "1.5"}, "--zoom admite un número entero del 1 al 4, no «1.5»"},
        {{"cuentas.txt"}, "argumento de más: cuentas.txt"},
    };
    const char* acciones[] = {"ventana", "sinPantalla", "ayuda", "version"};
    const char* documentos[] = {"automatico", "propio", "writer"};
    for (const auto& [argumentos, esperado] : casos) {
        const Opciones o = leerOpciones(QStringList{"renglero"} + argumentos);
        std::string leido = o.error.toStdString();
        if (o.accion == Opciones::Accion::ventana || o.accion == Opciones::Accion::sinPantalla)
            leido = std::string(acciones[static_cast<int>(o.accion)]) + " " +
                    documentos[static_cast<int>(o.documento)] + " " + std::to_string(o.zoom) +
                    (o.conPlataforma ? " plataforma" : "");
        else if (o.accion != Opciones::Accion::error)
            leido = acciones[static_cast<int>(o.accion)];
        EXPECT_EQ(leido, esperado) << argumentos.join(' ').toStdString();
    }
}

// With XWayland the notebook goes to X11 (for F11 and its placement) unless the platform is chosen.
TEST(Opciones, LaPlataformaDeLaSesion) {
    using Entorno = std::map<std::string, std::string>;
    const std::tuple<Entorno, bool, std::string> casos[] = {
        {{{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}, false, "xcb"},
        // GNOME's session type says it even where the socket's name is not set.
        {{{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":1"}}, false, "xcb"},
        {{{"WAYLAND_DISPLAY", "w"}, {"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "wayland"}}, false, ""},
        {{{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}, true, ""},
        // Without XWayland, or outside Wayland, Qt chooses.
        {{{"WAYLAND_DISPLAY", "wayland-0"}}, false, ""},
        {{{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ""}}, false, ""},
        {{{"DISPLAY", ":0"}, {"XDG_SESSION_TYPE", "x11"}}, false, ""},
        {{{"XDG_SESSION_TYPE", "tty"}}, false, ""},
        {{}, false, ""},
    };
    for (const auto& [entorno, conPlataforma, plataforma] : casos) {
        const auto variable = [&entorno = entorno](const char* nombre) {
            const auto i = entorno.find(nombre);
            return i == entorno.end() ? std::string() : i->second;
        };
        EXPECT_EQ(plataformaForzada(variable, conPlataforma), plataforma)
            << entorno.size() << " variables, " << conPlataforma;
    }
}

TEST(Opciones, LosMensajesDeLosMantenedoresCallanSalvoLosAvisos) {
    for (const QLoggingCategory* c : {&registroWriter(), &registroEventos(), &registroX11()}) {
        EXPECT_FALSE(c->isDebugEnabled() || c->isInfoEnabled()) << c->categoryName();
        EXPECT_TRUE(c->isWarningEnabled()) << c->categoryName();
    }
}
