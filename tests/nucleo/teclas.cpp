// The key vocabulary: the keys of typed characters, a token's events (the modifiers'
// against Qt's own in qt/teclas.cpp), what is refused; UTF-8 both ways.
#include <gtest/gtest.h>

#include "platform/CodigoPagina.h"
#include "platform/Teclas.h"

using namespace renglero;

TEST(Teclas, LaTeclaDeUnCaracterEnUnTecladoEspanol) {
    const std::tuple<const char*, int, int, int> casos[] = {
        {"h", 72, 0, 'h'},  {"H", 72, 1, 'H'},  {"5", 53, 0, '5'},  {",", 188, 0, ','},
        {".", 190, 0, '.'}, {"-", 189, 0, '-'}, {"+", 187, 0, '+'}, {"ç", 191, 0, 231},
        {"Ç", 191, 1, 199}, {"º", 220, 0, 186}, {"=", 0, 0, '='},   {"€", 0, 0, 128}};
    for (const auto& [c, codigo, shift, caracter] : casos) {
        const auto t = teclaDeCaracter(c);
        ASSERT_TRUE(t.has_value()) << c;
        EXPECT_EQ(std::tuple(t->codigo, t->shift, t->caracter), std::tuple(codigo, shift, caracter))
            << c;
    }
    EXPECT_FALSE(teclaDeCaracter("ab").has_value());
    EXPECT_FALSE(teclaDeCaracter("π").has_value());
    // The printer names a sign key by its unshifted sign, a letter by its capital.
    EXPECT_EQ(nombreTecla(191) + nombreTecla(72) + nombreTecla(17) + nombreTecla(250), "çHCtrl");
}

TEST(Teclas, LosEventosDeUnToken) {
    using V = std::vector<AccionTecla>;
    const std::pair<const char*, V> casos[] = {
        {"0a", {{true, 48, 0, '0'}, {false, 48, 0, -1}, {true, 65, 0, 'a'}, {false, 65, 0, -1}}},
        {"{Del}", {{true, 46, 0, -1}, {false, 46, 0, -1}}},
        {"{KP*}", {{true, 106, 0, '*'}, {false, 106, 0, -1}}},
        {"{Ctrl+c}", {{true, 17, 2, -1}, {true, 67, 2, 3}, {false, 67, 2, -1}, {false, 17, 0, -1}}},
        {"{Ctrl+Enter}",
         {{true, 17, 2, -1}, {true, 13, 2, 10}, {false, 13, 2, -1}, {false, 17, 0, -1}}},
        {"{+A}", {{true, 65, 1, 'A'}}},
        {"{-A}", {{false, 65, 1, -1}}},
        {"{+Ctrl}", {{true, 17, 2, -1}}},
        {"{-Alt}", {{false, 18, 0, -1}}},
        {"{", {{true, 0, 0, '{'}, {false, 0, 0, -1}}},
    };
    for (const auto& [token, eventos] : casos) {
        std::string error;
        EXPECT_EQ(accionesDeToken(token, error), eventos) << token << ": " << error;
    }
    EXPECT_EQ(caracterConCtrl(kRetroceso), 127);
    for (int sin : {int{kTab}, int{kEsc}, teclaLetra('1'), int{kTeclaCedilla}, int{kTecladoPor}})
        EXPECT_EQ(caracterConCtrl(sin), -1) << sin;
}

TEST(Teclas, LoQueNoEsUnaTecla) {
    // Names and codes both ways (the scenarios use most of them).
    for (const auto& [nombre, codigo] : std::initializer_list<std::pair<const char*, int>>{
             {"KP0", 96}, {"KP9", 105}, {"F10", 121}, {"F12", 123}, {"Pause", 19}, {"PgDn", 34}}) {
        EXPECT_EQ(teclaNombrada(nombre).value_or(Tecla{}).codigo, codigo) << nombre;
        EXPECT_EQ(nombreTecla(codigo), nombre);
    }
    for (const char* malo : {"F0", "F13", "F01", "KP10", "KP", "Intro", "enter", ""})
        EXPECT_FALSE(teclaNombrada(malo).has_value()) << malo;
    const std::pair<const char*, const char*> casos[] = {
        {"{Intro}", "tecla desconocida: {Intro}"}, {"π", "carácter sin tecla: π"},
        {"Enter}", "tecla mal escrita: Enter}"},   {"a{b", "tecla mal escrita: a{b"},
        {"{}", "tecla mal escrita: {}"},           {"{Ctrl+}", "tecla desconocida: {Ctrl+}"}};
    for (const auto& [token, mensaje] : casos) {
        std::string error;
        EXPECT_FALSE(accionesDeToken(token, error).has_value()) << token;
        EXPECT_EQ(error, mensaje);
    }
}

// Also beyond what a key types: four-byte characters, invalid bytes.
TEST(Teclas, Utf8IdaYVuelta) {
    const std::string texto = "Raíz ∑ ½ 𝄞";
    std::string vuelta;
    for (char32_t p : decodificarUtf8(texto))
        vuelta += utf8(p);
    EXPECT_EQ(vuelta, texto);
    EXPECT_EQ(decodificarUtf8("\xFF").size(), 1U); // an invalid byte is kept, not lost
}
