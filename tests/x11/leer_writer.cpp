// Prints, as one JSON line, the document of the Writer on the notebook's pipe
// in this environment: what the X11 tests' keys put into Writer. With
// --esperar-parrafos N (the F9 benchmark): says "listo" once connected, then
// prints the instant the document has N paragraphs, in ns as date +%s%N.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "writer/ConexionWriter.h"
#include "writer/Writer.h"

using namespace renglero;

namespace {

// A shaded cell's (row, column) pair is written as a two-element array.
int imprimir(const DocumentoLeido& d) {
    nlohmann::json parrafos = nlohmann::json::array(), tablas = nlohmann::json::array();
    for (const ParrafoLeido& p : d.parrafos)
        parrafos.push_back(p.texto);
    for (const TablaLeida& t : d.tablas)
        tablas.push_back({{"filas", t.filas},
                          {"columnas", t.columnas},
                          {"sombreadas", t.sombreadas},
                          {"texto", t.texto}});
    const nlohmann::json j = {
        {"abierto", d.abierto}, {"idioma", d.idioma}, {"parrafos", parrafos}, {"tablas", tablas}};
    std::printf("%s\n", j.dump().c_str());
    return 0;
}

int esperarParrafos(Writer& writer, std::size_t n) {
    writer.leer();
    std::printf("listo\n");
    std::fflush(stdout);
    const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (std::chrono::steady_clock::now() < limite) {
        if (writer.leer().parrafos.size() >= n) {
            const std::chrono::nanoseconds ahora =
                std::chrono::system_clock::now().time_since_epoch();
            std::printf("%lld\n", static_cast<long long>(ahora.count()));
            return 0;
        }
    }
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    std::string tubo;
    std::unique_ptr<Writer> writer;
    int resultado = 1;
    try {
        tubo = ConexionWriter::tuboPorDefecto();
        // Writer's events are of no interest here: they are dropped. A
        // LibreOffice that does not answer fails the reading in seconds, so
        // that the test waiting for it says so while it can.
        writer = std::make_unique<Writer>(
            tubo, [](const std::function<void()>&) {}, false, std::chrono::seconds(10));
        resultado = argc == 3 && std::strcmp(argv[1], "--esperar-parrafos") == 0
                        ? esperarParrafos(*writer, std::strtoul(argv[2], nullptr, 10))
                        : imprimir(writer->leer());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
    }
    // The call that LibreOffice left unanswered still uses the Writer and its
    // bridge: the reader ends without them, as the notebook does.
    if (writer && !writer->terminar()) {
        std::fprintf(stderr, "LibreOffice no responde: la lectura queda sin terminar\n");
        std::fflush(nullptr);
        std::_Exit(1);
    }
    writer.reset();
    // The name is the notebook's to keep or forget; the bridge is ours.
    if (!tubo.empty()) ConexionWriter::cerrarPuente(tubo);
    return resultado;
}
