// The real program's answers to its options, from both doors (the window
// and --headless), with no display to open: help and version exit 0, a
// refused command line exits 2 with the same Spanish message.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Resultado {
    int codigo = -1;
    std::string salida, errores;
};

// `entorno`: VARIABLE=valor pairs for the program's environment; `entrada`
// the file it reads.
Resultado ejecutar(const std::string& argumentos, const std::string& entorno = "",
                   const std::string& entrada = "/dev/null") {
    const std::filesystem::path errores =
        std::filesystem::temp_directory_path() / ("renglero_opciones_" + std::to_string(getpid()));
    const std::string orden = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + entorno +
                              " '" + std::string(RENGLERO_EJECUTABLE) + "' " + argumentos + " 2>'" +
                              errores.string() + "' <" + entrada;
    Resultado r;
    FILE* tubo = popen(orden.c_str(), "r");
    std::array<char, 4096> bloque{};
    while (tubo != nullptr && std::fgets(bloque.data(), bloque.size(), tubo))
        r.salida += bloque.data();
    const int estado = tubo != nullptr ? pclose(tubo) : -1;
    r.codigo = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
    std::ostringstream texto;
    texto << std::ifstream(errores).rdbuf();
    r.errores = texto.str();
    std::filesystem::remove(errores);
    return r;
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
    EXPECT_EQ(ejecutar("-v").salida, "Renglero " RENGLERO_VERSION "\n");
}

TEST(Ejecutable, UnaOpcionMalaSale2ConElMismoMensajeDesdeLasDosPuertas) {
    const std::vector<std::pair<std::string, std::string>> casos = {
        {"--nada", "opción desconocida: --nada"},
        {"--documento word", "--documento admite propio o writer, no «word»"},
        {"--documento", "falta el valor de --documento"},
        {"--zoom 7", "--zoom admite un número entero del 1 al 4, no «7»"},
        {"cuentas.txt", "argumento de más: cuentas.txt"},
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
    const Resultado r = ejecutar("--headless", "", "/dev/zero");
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
    const Resultado r = ejecutar("--headless --documento writer",
                                 "HOME='" + casa.string() + "' XDG_RUNTIME_DIR='" + casa.string() +
                                     "' QT_LOGGING_RULES='renglero.*.debug=true'");
    std::filesystem::remove_all(casa);
    EXPECT_EQ(r.codigo, 0) << r.errores;
    EXPECT_NE(r.errores.find("renglero.writer: conectado a LibreOffice por el tubo"),
              std::string::npos)
        << r.errores;
}
#endif
