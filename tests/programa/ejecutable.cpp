// The real program's answers to its options, from both doors (the window
// and --headless), with no display to open: help and version exit 0, a
// refused command line exits 2 with the same Spanish message.
#include <QProcess>
#include <array>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <unistd.h>

namespace {

struct Resultado {
    int codigo = -1;
    std::string salida, errores;
};

// The program with `argumentos` (split at spaces), no display, these
// variables added, reading `entrada`.
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

const std::array<std::string, 2> kPuertas = {"", "--headless "};

} // namespace

TEST(Ejecutable, LaAyudaSaleEnEspanolYTermina) {
    for (const std::string& puerta : kPuertas) {
        const Resultado r = ejecutar(puerta + "--help");
        EXPECT_EQ(r.codigo, 0) << puerta;
        EXPECT_EQ(r.errores, "") << puerta;
        // Qt's own words come from its Spanish translation.
        EXPECT_EQ(r.salida.rfind("Uso: renglero [opciones]\n", 0), 0u) << r.salida;
        EXPECT_NE(r.salida.find("\nOpciones:\n"), std::string::npos) << r.salida;
        for (const char* opcion : {"--documento <propio|writer>", "--headless", "--zoom <N>",
                                   "-v, --version", "-h, --help"})
            EXPECT_NE(r.salida.find(opcion), std::string::npos) << opcion;
        EXPECT_EQ(r.salida.find("platform"), std::string::npos) << r.salida;
    }
}

TEST(Ejecutable, LaVersionSaleYTermina) {
    for (const std::string& puerta : kPuertas) {
        const Resultado r = ejecutar(puerta + "--version");
        EXPECT_EQ(r.codigo, 0) << puerta;
        EXPECT_EQ(r.salida, "Renglero " RENGLERO_VERSION "\n") << puerta;
        EXPECT_EQ(r.errores, "") << puerta;
    }
}

TEST(Ejecutable, UnaOpcionMalaSale2ConElMismoMensajeDesdeLasDosPuertas) {
    // Which messages, the parser's own test; here that both doors give them.
    const std::vector<std::pair<std::string, std::string>> casos = {
        {"--nada", "opción desconocida: --nada"},
        {"--zoom 7", "--zoom admite un número entero del 1 al 4, no «7»"},
    };
    for (const auto& [argumentos, mensaje] : casos)
        for (const std::string& puerta : kPuertas) {
            const Resultado r = ejecutar(puerta + argumentos);
            EXPECT_EQ(r.codigo, 2) << puerta << argumentos;
            EXPECT_EQ(r.salida, "") << puerta << argumentos;
            EXPECT_EQ(r.errores, "renglero: " + mensaje +
                                     "\nPrueba «renglero --help» para ver las opciones.\n")
                << puerta << argumentos;
        }
}

TEST(Ejecutable, ElConductorAceptaLasOpcionesDeLaVentana) {
    // The zoom is the window's; the driver takes it and runs its script.
    const Resultado r = ejecutar("--headless --documento propio --zoom 2");
    EXPECT_EQ(r.codigo, 0);
    EXPECT_EQ(r.salida, "");
}

TEST(Ejecutable, UnGuionSinFinDeLineaSeDejaConUnError) {
    // A line is read up to its bound: an input that never ends a line is
    // not read into memory without end.
    const Resultado r = ejecutar("--headless", {}, "/dev/zero");
    EXPECT_EQ(r.codigo, 0);
    EXPECT_EQ(r.salida, "{\"error\":\"línea del guion demasiado larga: se deja el guion\"}\n");
}

#ifdef RENGLERO_CON_WRITER
TEST(Ejecutable, QT_LOGGING_RULESEnciendeLosMensajesDeLaConexionConWriter) {
    // The driver's own LibreOffice, with a home of its own.
    const std::filesystem::path casa =
        std::filesystem::temp_directory_path() / ("renglero_registro_" + std::to_string(getpid()));
    std::filesystem::create_directories(casa);
    std::filesystem::permissions(casa, std::filesystem::perms::owner_all);
    const QString c = QString::fromStdString(casa.string());
    const Resultado r = ejecutar(
        "--headless --documento writer",
        {{"HOME", c}, {"XDG_RUNTIME_DIR", c}, {"QT_LOGGING_RULES", "renglero.*.debug=true"}});
    std::filesystem::remove_all(casa);
    EXPECT_EQ(r.codigo, 0) << r.errores;
    EXPECT_NE(r.errores.find("renglero.writer: conectado a LibreOffice por el tubo"),
              std::string::npos)
        << r.errores;
}
#endif
