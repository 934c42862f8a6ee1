// Runs every scenario of tests/scenarios: a headless key script with the JSON
// lines it must print. `> {...}` expects the next output line (`>3 {...}`: the
// next three) to hold it: objects as subsets, arrays element by element, other
// values exactly; a dump's "tabla" may map row numbers to rows without their
// trailing blanks. A query may carry its expectation: `dump {"row": 4}`. With
// RENGLERO_BINARIO set, through that executable's `--headless`.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <stdlib.h>
#include <unistd.h>

#include "headless/Conductor.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

struct Escenario {
    std::string guion;
    std::vector<std::string> esperadas;
    std::vector<int> lineas; // line of each expectation in the file
};

Escenario leer(const fs::path& archivo) {
    Escenario e;
    std::ifstream in(archivo);
    int n = 0;
    for (std::string l; std::getline(in, l);) {
        ++n;
        static const std::regex consulta(R"(^((dump|memory|document|cell -?\d+ -?\d+) )(\{.*))");
        static const std::regex esperada(R"(^>(\d*)(.*))");
        std::smatch m;
        if (std::regex_match(l, m, esperada)) {
            for (int i = m[1].length() ? std::stoi(m[1]) : 1; i > 0; --i) {
                e.esperadas.push_back(m[2]);
                e.lineas.push_back(n);
            }
        } else if (std::regex_match(l, m, consulta)) {
            e.guion += m[2].str() + "\n";
            e.esperadas.push_back(m[3]);
            e.lineas.push_back(n);
        } else {
            e.guion += l + "\n";
        }
    }
    return e;
}

// Empty when `real` holds `esperado`; else where they differ.
std::string diferencia(const json& real, const json& esperado, const std::string& ruta) {
    if (esperado.is_object()) {
        if (!real.is_object()) return ruta + ": se esperaba un objeto";
        for (auto it = esperado.begin(); it != esperado.end(); ++it) {
            const std::string aqui = ruta + "." + it.key();
            if (!real.contains(it.key())) return aqui + ": falta";
            const json& valor = real[it.key()];
            if (it.key() == "tabla" && it.value().is_object() && valor.is_array()) {
                for (auto fila = it.value().begin(); fila != it.value().end(); ++fila) {
                    const std::size_t r = std::stoul(fila.key());
                    if (r >= valor.size()) return aqui + "[" + fila.key() + "]: no existe";
                    std::string texto = valor[r].get<std::string>();
                    texto.erase(texto.find_last_not_of(' ') + 1); // npos + 1: all blank
                    if (texto != fila.value().get<std::string>())
                        return aqui + "[" + fila.key() + "]: \"" + texto + "\"";
                }
                continue;
            }
            if (std::string d = diferencia(valor, it.value(), aqui); !d.empty()) return d;
        }
        return "";
    }
    if (esperado.is_array() && real.is_array()) {
        if (real.size() != esperado.size())
            return ruta + ": " + std::to_string(real.size()) + " elementos en lugar de " +
                   std::to_string(esperado.size()) + ": " + real.dump();
        for (std::size_t i = 0; i < real.size(); ++i) {
            std::string d = diferencia(real[i], esperado[i], ruta + "[" + std::to_string(i) + "]");
            if (!d.empty()) return d;
        }
        return "";
    }
    if (real != esperado) return ruta + ": " + real.dump() + " en lugar de " + esperado.dump();
    return "";
}

std::vector<std::string> ejecutar(const Escenario& e, const fs::path& archivo) {
    std::string salida;
    if (const char* binario = std::getenv("RENGLERO_BINARIO")) {
        // A script file of this run's own: runners started at once never share one.
        std::string guion = (fs::temp_directory_path() / "renglero-guion-XXXXXX").string();
        const int descriptor = mkstemp(guion.data());
        EXPECT_GE(descriptor, 0) << "no se pudo crear el guion temporal";
        if (descriptor >= 0) close(descriptor);
        std::ofstream(guion) << e.guion;
        const char* documento = std::getenv("RENGLERO_DOCUMENTO");
        // A driver that hangs fails its own scenario, not the whole run's time limit.
        const std::string orden = "timeout -k 5 240 " + std::string(binario) + " --headless" +
                                  (documento ? std::string(" --documento ") + documento : "") +
                                  " < '" + guion + "'";
        FILE* tubo = popen(orden.c_str(), "r");
        EXPECT_NE(tubo, nullptr) << orden;
        if (tubo) {
            std::array<char, 4096> bloque{};
            while (std::fgets(bloque.data(), bloque.size(), tubo))
                salida += bloque.data();
            // The driver ends with 0 whatever the script does.
            EXPECT_EQ(pclose(tubo), 0) << orden;
        }
        fs::remove(guion);
    } else {
        // In-process, each line at a time: once its work is done, the grids paint again.
        std::ostringstream out;
        std::istringstream in(e.guion);
        renglero::Conductor conductor(out);
        const renglero::Form1& f = conductor.form();
        for (std::string l; !conductor.terminado() && std::getline(in, l);) {
            conductor.linea(l);
            EXPECT_TRUE(f.tabla.Redraw && f.tabla1.Redraw && f.tablae.Redraw)
                << archivo.filename() << ": sin repintar tras «" << l << "»";
        }
        salida = out.str();
    }
    std::vector<std::string> lineas;
    std::istringstream in(salida);
    for (std::string l; std::getline(in, l);)
        if (!l.empty()) lineas.push_back(l);
    return lineas;
}

std::vector<fs::path> escenarios() {
    std::vector<fs::path> archivos;
    const char* filtro = std::getenv("RENGLERO_FILTRO");
    const std::regex patron(filtro ? filtro : ".*");
    for (const auto& entrada : fs::directory_iterator(ESCENARIOS_DIR))
        if (entrada.path().extension() == ".scn" &&
            std::regex_search(entrada.path().stem().string(), patron))
            archivos.push_back(entrada.path());
    std::sort(archivos.begin(), archivos.end());
    return archivos;
}

class PruebaEscenario : public ::testing::TestWithParam<fs::path> {};

TEST_P(PruebaEscenario, DaLaSalidaEsperada) {
    const fs::path archivo = GetParam();
    fs::current_path(archivo.parent_path());
    const Escenario e = leer(archivo);
    const std::vector<std::string> salida = ejecutar(e, archivo);
    const std::size_t n = std::min(salida.size(), e.esperadas.size());
    for (std::size_t i = 0; i < n; ++i) {
        const json real = json::parse(salida[i], nullptr, false);
        const json esperado = json::parse(e.esperadas[i], nullptr, false);
        ASSERT_FALSE(esperado.is_discarded())
            << archivo.filename() << ":" << e.lineas[i] << ": expectativa que no es JSON";
        ASSERT_FALSE(real.is_discarded()) << "salida que no es JSON: " << salida[i];
        const std::string d = diferencia(real, esperado, "");
        ASSERT_TRUE(d.empty()) << archivo.filename() << ":" << e.lineas[i] << ": " << d
                               << "\n  salida: " << salida[i];
    }
    if (salida.size() > n) FAIL() << archivo.filename() << ": salida de más: " << salida[n];
    if (e.esperadas.size() > n)
        FAIL() << archivo.filename() << ":" << e.lineas[n] << ": falta la salida esperada";
}

// A file's name is its test's: letters and "_" only.
INSTANTIATE_TEST_SUITE_P(Escenarios, PruebaEscenario, ::testing::ValuesIn(escenarios()),
                         [](const auto& prueba) { return prueba.param.stem().string(); });

} // namespace
