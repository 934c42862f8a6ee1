// Reads the document of the LibreOffice Writer that the notebook uses (the
// one on its own pipe, in this environment) and prints it as one JSON line:
// the X11 tests check with it what the pupil's keys put into Writer.
#include <cstdio>
#include <exception>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>

#include "writer/ConexionWriter.h"
#include "writer/Writer.h"

using namespace renglero;

namespace {

int imprimir(const DocumentoLeido& d) {
    nlohmann::json j;
    j["abierto"] = d.abierto;
    j["idioma"] = d.idioma;
    j["parrafos"] = nlohmann::json::array();
    for (const ParrafoLeido& p : d.parrafos)
        j["parrafos"].push_back(p.texto);
    j["tablas"] = nlohmann::json::array();
    for (const TablaLeida& t : d.tablas) {
        nlohmann::json s = nlohmann::json::array();
        for (const auto& [fila, columna] : t.sombreadas)
            s.push_back({fila, columna});
        j["tablas"].push_back(
            {{"filas", t.filas}, {"columnas", t.columnas}, {"sombreadas", s}, {"texto", t.texto}});
    }
    std::printf("%s\n", j.dump().c_str());
    return 0;
}

} // namespace

int main() {
    std::string tubo;
    int resultado = 1;
    try {
        tubo = ConexionWriter::tuboPorDefecto();
        // Writer's events are of no interest here: they are dropped.
        Writer writer(
            tubo, [](const std::function<void()>&) {}, false);
        resultado = imprimir(writer.leer());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
    }
    // The name is the notebook's to keep or forget; the bridge is ours.
    if (!tubo.empty()) ConexionWriter::cerrarPuente(tubo);
    return resultado;
}
