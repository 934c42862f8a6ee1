// The notebook's state as one value: a fresh notebook that takes it goes on the same.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>

#include "headless/Conductor.h"

using namespace renglero;

namespace {

struct Caso {
    const char* nombre;
    const char* hasta;   // the script that brings the notebook to the state
    const char* despues; // what the pupil does next, on both notebooks
};

const Caso kCasos[] = {
    {"multiplicacion", "keys 1 2 5 {Enter} 2 3 {KP*} 5 7", "keys 3 {Enter} 0 5 2 {Enter} 2 {KP+}"},
    {"division", "keys 7 5 {Enter} 3 {KP/} 2 {Enter} 1", "keys 5 {Enter} 2 5 {Enter} 0 {Enter}"},
    {"raiz", "keys 2 , 2 5 R 1 , 5 {Enter} 1", "keys {Enter} 2 5 {Enter} 2 5 {Enter}"},
    {"factores", "keys 3 6 0 D 2 {Enter} 1 8 0", "keys {Enter} 2 {Enter} 9 0 {Enter} 3 {Enter}"},
    {"resta_izquierda", "keys 9 {Enter} 7 {KP-} 2", "keys {Tab} 1 {Enter} 4"},
    {"confirmar_pequena_colores", "keys H C {Tab} {F8} 4 2 {F1} {Down}",
     "keys {F2} {F2} {Esc} {Esc}"},
    {"texto_formatos_memoria_fraccion",
     "keys ç H o l a € {Ctrl} {Right} {Right} n {Ctrl} 1 {F1} {Down} {Down} {Tab} 1 2 {Tab}",
     "keys 4 {Enter} {Down} {F2} {Ctrl} {Right} R 2 1 {Enter} {F9}"},
    {"tabla_en_el_documento", "keys T 2 3 {Enter} {Right}", "keys F L {PgDn} {Esc} 7 {F9}"},
};

std::string correr(Conductor& c, std::ostringstream& salida, const std::string& guion) {
    salida.str("");
    std::istringstream lineas(guion + "\ndump\nmemory\ndocument\n");
    c.ejecutar(lineas);
    return salida.str();
}

// The last thing said to a screen reader is not the work's: it is not kept.
std::string sinAnuncio(const std::string& salida) {
    return std::regex_replace(salida, std::regex(R"("anuncio":"(\\.|[^"\\])*",)"), "");
}

// `a` is worked; `b`, a fresh notebook, takes its state.
class EstadoDelCuaderno : public ::testing::TestWithParam<Caso> {
  protected:
    std::ostringstream salidaA, salidaB;
    Conductor a{salidaA}, b{salidaB};
};

TEST_P(EstadoDelCuaderno, SeRecuperaYSigueIgual) {
    const Caso& caso = GetParam();
    correr(a, salidaA, caso.hasta);
    const std::string estado = a.form().estado();
    ASSERT_TRUE(b.form().restaurar(estado));
    EXPECT_EQ(b.form().estado(), estado);
    // The document is no part of the state: what was sent to it is replayed.
    if (std::string(caso.nombre) == "tabla_en_el_documento")
        correr(b, salidaB, "keys {Esc}\nkeys T 2 3 {Enter} {Right}");
    ASSERT_TRUE(b.form().restaurar(estado));
    EXPECT_EQ(sinAnuncio(correr(b, salidaB, "")), sinAnuncio(correr(a, salidaA, "")));
    EXPECT_EQ(sinAnuncio(correr(b, salidaB, caso.despues)),
              sinAnuncio(correr(a, salidaA, caso.despues)));
    EXPECT_EQ(b.form().estado(), a.form().estado());
}

INSTANTIATE_TEST_SUITE_P(Casos, EstadoDelCuaderno, ::testing::ValuesIn(kCasos),
                         [](const auto& prueba) { return std::string(prueba.param.nombre); });

TEST_F(EstadoDelCuaderno, LaSalidaPreguntadaNoVuelve) {
    correr(a, salidaA, "keys 5 {Pause}");
    ASSERT_FALSE(a.form().Mensa.Caption.empty());
    ASSERT_TRUE(b.form().restaurar(a.form().estado()));
    EXPECT_TRUE(b.form().Mensa.Caption.empty());
    EXPECT_FALSE(b.form().Frame1.Visible);
    correr(b, salidaB, "keys 6");
    EXPECT_EQ(b.form().tabla.TextMatrix(1, 4), "6");
}

// A copy written while the document was in front: the notebook opens again.
TEST_F(EstadoDelCuaderno, ElCuadernoRecogidoVuelveAbierto) {
    correr(a, salidaA, "keys 5\nwait 300\nactivate word\nwait 300");
    correr(b, salidaB, "wait 300");
    ASSERT_EQ(a.form().ventanaRecogida, 1);
    ASSERT_TRUE(b.form().restaurar(a.form().estado()));
    correr(b, salidaB, "wait 300");
    EXPECT_EQ(b.form().ventanaRecogida, 0);
    EXPECT_EQ(b.form().Height, b.form().altoNormal);
}

TEST_F(EstadoDelCuaderno, UnaCopiaEstropeadaNoCambiaNada) {
    correr(a, salidaA, "keys 4 2");
    const std::string antes = a.form().estado();
    // Each format is kept once, however many cells share it: the copy stays small.
    EXPECT_LT(nlohmann::json::parse(antes).at("tabla").at("formatos").size(), 5u);
    // The copy with `texto` written after the first match of `patron`.
    auto tras = [&antes](const char* patron, const char* texto) {
        return std::regex_replace(antes, std::regex(patron), std::string("$&") + texto,
                                  std::regex_constants::format_first_only);
    };
    for (const std::string& mala :
         {std::string(), std::string("{}"), antes.substr(0, antes.size() / 2),
          tras(R"("version":)", "9"), tras(R"("celdas":\[)", "0,"), tras(R"("cursor":\[)", "9"),
          tras(R"("cursor":\[\d+,)", "-"), tras(R"("foco":)", "9")}) {
        EXPECT_FALSE(a.form().restaurar(mala)) << mala.substr(0, 60);
        EXPECT_EQ(a.form().estado(), antes);
    }
}

// Worth offering back: something in the grid or in the memory line.
TEST_F(EstadoDelCuaderno, HayTrabajo) {
    EXPECT_FALSE(a.form().hayTrabajo());
    for (const auto& [guion, hay] :
         {std::pair{"keys 5", true}, {"keys {F1} {Esc}", true}, {"keys ç", false}}) {
        correr(a, salidaA, guion);
        EXPECT_EQ(a.form().hayTrabajo(), hay) << guion;
    }
}

} // namespace
