// The command line, the platform chosen for the session, the maintainers' messages; and the
// real program's answers to its options from both doors (window, --headless), no display.
#include <QProcess>
#include <QTemporaryDir>
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
        std::string leido = o.accion == Opciones::Accion::error
                                ? o.error.toStdString()
                                : acciones[static_cast<int>(o.accion)];
        if (o.accion == Opciones::Accion::ventana || o.accion == Opciones::Accion::sinPantalla)
            leido += std::string(" ") + documentos[static_cast<int>(o.documento)] + " " +
                     std::to_string(o.zoom) + (o.conPlataforma ? " plataforma" : "");
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
        {{{"DISPLAY", ":0"}, {"XDG_SESSION_TYPE", "x11"}}, false, ""},
        {{{"DISPLAY", ":0"}}, false, ""},
    };
    for (const auto& [entorno, conPlataforma, plataforma] : casos) {
        const auto variable = [&entorno = entorno](const char* nombre) {
            return entorno.contains(nombre) ? entorno.at(nombre) : std::string();
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

namespace {

struct Resultado {
    int codigo = -1;
    std::string salida, errores;
};

// The program with `argumentos` split at spaces, these variables added, reading `entrada`.
Resultado ejecutar(const std::string& argumentos, const std::map<QString, QString>& entorno = {},
                   const QString& entrada = "/dev/null") {
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        variables.remove(v);
    for (const auto& [nombre, valor] : entorno)
        variables.insert(nombre, valor);
    QProcess programa;
    programa.setProcessEnvironment(variables);
    programa.setStandardInputFile(entrada);
    programa.start(RENGLERO_EJECUTABLE,
                   QString::fromStdString(argumentos).split(' ', Qt::SkipEmptyParts));
    programa.waitForFinished(180000);
    return {programa.exitStatus() == QProcess::NormalExit ? programa.exitCode() : -1,
            programa.readAllStandardOutput().toStdString(),
            programa.readAllStandardError().toStdString()};
}

} // namespace

// Qt's own words from its translation; which option wins is Opciones' test.
TEST(Ejecutable, LaAyudaSaleEnEspanolYTermina) {
    const Resultado r = ejecutar("--help");
    EXPECT_EQ(r.codigo, 0);
    EXPECT_EQ(r.errores, "");
    EXPECT_EQ(r.salida.rfind("Uso: renglero [opciones]\n", 0), 0u) << r.salida;
    for (const char* dicho : {"\nOpciones:\n", "--documento <propio|writer>", "--headless",
                              "--zoom <N>", "-v, --version", "-h, --help"})
        EXPECT_NE(r.salida.find(dicho), std::string::npos) << dicho;
    EXPECT_EQ(r.salida.find("platform"), std::string::npos) << r.salida;
}

// The driver takes the zoom, and leaves a line with no end with an error ("*": any stderr).
TEST(Ejecutable, RespondeIgualDesdeLasDosPuertas) {
    const std::string nada =
        "renglero: opción desconocida: --nada\nPrueba «renglero --help» para ver las opciones.\n";
    const std::tuple<std::string, const char*, int, std::string, std::string> casos[] = {
        {"--version", "/dev/null", 0, "Renglero " RENGLERO_VERSION "\n", ""},
        {"--nada", "/dev/null", 2, "", nada},
        {"--headless --nada", "/dev/null", 2, "", nada},
        {"--headless --documento propio --zoom 2", "/dev/null", 0, "", "*"},
        {"--headless", "/dev/zero", 0,
         "{\"error\":\"línea del guion demasiado larga: se deja el guion\"}\n", "*"},
    };
    for (const auto& [argumentos, entrada, codigo, salida, errores] : casos) {
        const Resultado r = ejecutar(argumentos, {}, entrada);
        EXPECT_EQ(r.codigo, codigo) << argumentos;
        EXPECT_EQ(r.salida, salida) << argumentos;
        EXPECT_TRUE(errores == "*" || r.errores == errores) << argumentos << r.errores;
    }
}

#ifdef RENGLERO_CON_WRITER
TEST(Ejecutable, QT_LOGGING_RULESEnciendeLosMensajesDeLaConexionConWriter) {
    // The driver's own LibreOffice, with a home of its own (made 0700, as a runtime folder is).
    const QTemporaryDir casa;
    ASSERT_TRUE(casa.isValid());
    const QString c = casa.path();
    const Resultado r = ejecutar(
        "--headless --documento writer",
        {{"HOME", c}, {"XDG_RUNTIME_DIR", c}, {"QT_LOGGING_RULES", "renglero.*.debug=true"}});
    EXPECT_EQ(r.codigo, 0) << r.errores;
    EXPECT_NE(r.errores.find("renglero.writer: conectado a LibreOffice por el tubo"),
              std::string::npos)
        << r.errores;
}
#endif
