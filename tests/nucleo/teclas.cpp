// The key vocabulary: script names, the keys of typed characters, the Ctrl
// character and the events of a token.
#include <gtest/gtest.h>

#include "platform/Teclas.h"

using namespace renglero;

namespace {

std::vector<AccionTecla> acciones(std::string_view token) {
    std::string error;
    auto a = accionesDeToken(token, error);
    EXPECT_TRUE(a.has_value()) << token << ": " << error;
    return a.value_or(std::vector<AccionTecla>{});
}

} // namespace

TEST(Teclas, LosNombresDeLosGuionesYSusCodigos) {
    // The codes the headless driver's contract gives each name.
    const std::vector<std::pair<std::string, int>> nombres = {
        {"Enter", 13}, {"Esc", 27},  {"Tab", 9},   {"Backspace", 8}, {"Space", 32},
        {"Ins", 45},   {"Del", 46},  {"Home", 36}, {"End", 35},      {"PgUp", 33},
        {"PgDn", 34},  {"Left", 37}, {"Up", 38},   {"Right", 39},    {"Down", 40},
        {"F1", 112},   {"F10", 121}, {"F12", 123}, {"Pause", 19},    {"KP+", 107},
        {"KP-", 109},  {"KP*", 106}, {"KP/", 111}, {"KP0", 96},      {"KP9", 105}};
    for (const auto& [nombre, codigo] : nombres) {
        const auto t = teclaNombrada(nombre);
        ASSERT_TRUE(t.has_value()) << nombre;
        EXPECT_EQ(t->codigo, codigo) << nombre;
        EXPECT_EQ(nombreTecla(codigo), nombre);
    }
    for (const char* malo : {"F0", "F13", "F01", "KP10", "KP", "Intro", "enter", ""})
        EXPECT_FALSE(teclaNombrada(malo).has_value()) << malo;
}

TEST(Teclas, CaracteresDeLasTeclasNombradas) {
    EXPECT_EQ(teclaNombrada("Enter")->caracter, 13);
    EXPECT_EQ(teclaNombrada("Space")->caracter, 32);
    EXPECT_EQ(teclaNombrada("KP*")->caracter, '*');
    EXPECT_EQ(teclaNombrada("KP7")->caracter, '7');
    EXPECT_EQ(teclaNombrada("Del")->caracter, -1);
    EXPECT_EQ(teclaNombrada("F5")->caracter, -1);
}

TEST(Teclas, LaTeclaDeUnCaracterEnUnTecladoEspanol) {
    auto es = [](const char* c, int codigo, int shift, int caracter) {
        const auto t = teclaDeCaracter(c);
        ASSERT_TRUE(t.has_value()) << c;
        EXPECT_EQ(t->codigo, codigo) << c;
        EXPECT_EQ(t->shift, shift) << c;
        EXPECT_EQ(t->caracter, caracter) << c;
    };
    es("h", 72, 0, 'h');
    es("H", 72, 1, 'H');
    es("5", 53, 0, '5');
    es(",", 188, 0, ',');
    es(".", 190, 0, '.');
    es("-", 189, 0, '-');
    es("+", 187, 0, '+');
    es("ç", 191, 0, 231);
    es("Ç", 191, 1, 199);
    es("º", 220, 0, 186);
    es("=", 0, 0, '=');
    es("€", 0, 0, 128);
    EXPECT_FALSE(teclaDeCaracter("ab").has_value());
    EXPECT_FALSE(teclaDeCaracter("π").has_value());
    // The printer names a sign key by its unshifted sign, a letter by its capital.
    EXPECT_EQ(nombreTecla(191), "ç");
    EXPECT_EQ(nombreTecla(72), "H");
    EXPECT_EQ(nombreTecla(17), "Ctrl");
    EXPECT_EQ(nombreTecla(250), "");
}

TEST(Teclas, ElCaracterDeCtrl) {
    EXPECT_EQ(caracterConCtrl('A'), 1);
    EXPECT_EQ(caracterConCtrl('Z'), 26);
    EXPECT_EQ(caracterConCtrl(kIntro), 10);
    EXPECT_EQ(caracterConCtrl(kEspacio), 32);
    EXPECT_EQ(caracterConCtrl(kRetroceso), 127);
    for (int sin : {int{kTab}, int{kEsc}, teclaLetra('1'), int{kTeclaCedilla}, int{kTecladoPor},
                    int{kInicio}})
        EXPECT_EQ(caracterConCtrl(sin), -1) << sin;
}

TEST(Teclas, LosEventosDeUnToken) {
    using V = std::vector<AccionTecla>;
    EXPECT_EQ(acciones("5a"),
              (V{{true, 53, 0, '5'}, {false, 53, 0, -1}, {true, 65, 0, 'a'}, {false, 65, 0, -1}}));
    EXPECT_EQ(acciones("{Del}"), (V{{true, 46, 0, -1}, {false, 46, 0, -1}}));
    EXPECT_EQ(acciones("{Ctrl}"), (V{{true, 17, 2, -1}, {false, 17, 0, -1}}));
    EXPECT_EQ(acciones("{Alt}"), (V{{true, 18, 4, -1}, {false, 18, 0, -1}}));
    EXPECT_EQ(acciones("{AltGr}"),
              (V{{true, 17, 2, -1}, {true, 18, 6, -1}, {false, 18, 2, -1}, {false, 17, 0, -1}}));
    EXPECT_EQ(acciones("{Ctrl+c}"),
              (V{{true, 17, 2, -1}, {true, 67, 2, 3}, {false, 67, 2, -1}, {false, 17, 0, -1}}));
    EXPECT_EQ(acciones("{Ctrl+Enter}"),
              (V{{true, 17, 2, -1}, {true, 13, 2, 10}, {false, 13, 2, -1}, {false, 17, 0, -1}}));
    EXPECT_EQ(acciones("{Ctrl+Home}"),
              (V{{true, 17, 2, -1}, {true, 36, 2, -1}, {false, 36, 2, -1}, {false, 17, 0, -1}}));
    EXPECT_EQ(acciones("{+A}"), (V{{true, 65, 1, 'A'}}));
    EXPECT_EQ(acciones("{-A}"), (V{{false, 65, 1, -1}}));
    EXPECT_EQ(acciones("{+Ctrl}"), (V{{true, 17, 2, -1}}));
    EXPECT_EQ(acciones("{-Alt}"), (V{{false, 18, 0, -1}}));
    std::string error;
    EXPECT_FALSE(accionesDeToken("{Intro}", error).has_value());
    EXPECT_EQ(error, "tecla desconocida: {Intro}");
    EXPECT_FALSE(accionesDeToken("{Ctrl+}", error).has_value());
    EXPECT_FALSE(accionesDeToken("π", error).has_value());
    EXPECT_EQ(error, "carácter sin tecla: π");
    for (const char* mal : {"{Enter", "Enter}", "a{b", "{}"}) {
        EXPECT_FALSE(accionesDeToken(mal, error).has_value()) << mal;
        EXPECT_EQ(error, std::string("tecla mal escrita: ") + mal);
    }
    EXPECT_EQ(acciones("{"), (V{{true, 0, 0, '{'}, {false, 0, 0, -1}}));
}
