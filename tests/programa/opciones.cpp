// The command line as both doors read it, the platform chosen for the
// desktop session, and the maintainers' messages, silent by default.
#include <gtest/gtest.h>
#include <map>

#include "programa/Opciones.h"
#include "programa/Registro.h"
#include "programa/Sesion.h"

using namespace renglero;
using Accion = Opciones::Accion;
using Documento = Opciones::Documento;

namespace {

Opciones leer(QStringList argumentos) {
    argumentos.prepend(QStringLiteral("renglero"));
    return leerOpciones(argumentos);
}

} // namespace

TEST(Opciones, LoQueSeAcepta) {
    struct Caso {
        QStringList argumentos;
        Accion accion;
        Documento documento = Documento::automatico;
        int zoom = 1;
        bool conPlataforma = false;
    };
    const Caso casos[] = {
        {{}, Accion::ventana},
        {{"--documento", "writer", "--zoom", "3", "--headless"},
         Accion::sinPantalla,
         Documento::writer,
         3},
        {{"--zoom=4", "--documento=propio"}, Accion::ventana, Documento::propio, 4},
        // Qt's own option passes and counts as the user's choice.
        {{"-platform", "offscreen", "--documento", "propio"},
         Accion::ventana,
         Documento::propio,
         1,
         true},
        // Help and version win over the door.
        {{"--headless", "--help"}, Accion::ayuda},
        {{"-h"}, Accion::ayuda},
        {{"--version", "--headless"}, Accion::version},
        {{"-v"}, Accion::version},
    };
    for (const Caso& c : casos) {
        const Opciones o = leer(c.argumentos);
        const std::string nombre = c.argumentos.join(' ').toStdString();
        EXPECT_EQ(o.accion, c.accion) << nombre;
        EXPECT_EQ(o.documento, c.documento) << nombre;
        EXPECT_EQ(o.zoom, c.zoom) << nombre;
        EXPECT_EQ(o.conPlataforma, c.conPlataforma) << nombre;
    }
}

TEST(Opciones, RechazaLoQueNoConoceConUnMensajeQueLoNombra) {
    const std::vector<std::pair<QStringList, QString>> casos = {
        {{"--nada"}, "opción desconocida: --nada"},
        {{"-x"}, "opción desconocida: -x"},
        {{"--documento", "word"}, "--documento admite propio o writer, no «word»"},
        {{"--documento"}, "falta el valor de --documento"},
        {{"--headless", "--zoom"}, "falta el valor de --zoom"},
        {{"--zoom", "0"}, "--zoom admite un número entero del 1 al 4, no «0»"},
        {{"--zoom", "5"}, "--zoom admite un número entero del 1 al 4, no «5»"},
        {{"--zoom", "1.5"}, "--zoom admite un número entero del 1 al 4, no «1.5»"},
        {{"--zoom", ""}, "--zoom admite un número entero del 1 al 4, no «»"},
        {{"cuentas.txt"}, "argumento de más: cuentas.txt"},
    };
    for (const auto& [argumentos, mensaje] : casos) {
        const Opciones o = leer(argumentos);
        EXPECT_EQ(o.accion, Accion::error) << argumentos.join(' ').toStdString();
        EXPECT_EQ(o.error.toStdString(), mensaje.toStdString());
    }
}

// On Wayland with XWayland the notebook goes to X11 (its F11 and its window
// placement need it), unless the user chose the platform.
TEST(Opciones, LaPlataformaDeLaSesion) {
    using Entorno = std::map<std::string, std::string>;
    const std::vector<std::tuple<Entorno, bool, std::string>> casos = {
        {{{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}, false, "xcb"},
        // GNOME's session type says it even where the socket's name is not set.
        {{{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":1"}}, false, "xcb"},
        {{{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "wayland"}},
         false,
         ""},
        {{{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}, true, ""},
        // Without XWayland, or outside Wayland, Qt chooses.
        {{{"WAYLAND_DISPLAY", "wayland-0"}}, false, ""},
        {{{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ""}}, false, ""},
        {{{"DISPLAY", ":0"}, {"XDG_SESSION_TYPE", "x11"}}, false, ""},
        {{{"XDG_SESSION_TYPE", "tty"}}, false, ""},
        {{}, false, ""},
    };
    for (const auto& [entorno, conPlataforma, plataforma] : casos) {
        const std::string elegida = plataformaForzada(
            [&entorno = entorno](const char* nombre) {
                const auto i = entorno.find(nombre);
                return i == entorno.end() ? std::string() : i->second;
            },
            conPlataforma);
        EXPECT_EQ(elegida, plataforma) << entorno.size() << " variables, " << conPlataforma;
    }
}

TEST(Opciones, LosMensajesDeLosMantenedoresCallanSalvoLosAvisos) {
    for (const QLoggingCategory* c : {&registroWriter(), &registroEventos(), &registroX11()}) {
        EXPECT_FALSE(c->isDebugEnabled()) << c->categoryName();
        EXPECT_FALSE(c->isInfoEnabled()) << c->categoryName();
        EXPECT_TRUE(c->isWarningEnabled()) << c->categoryName();
    }
}
