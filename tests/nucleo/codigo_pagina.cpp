// The conversions between the notebook's 8-bit texts and Unicode.
#include <gtest/gtest.h>

#include "platform/CodigoPagina.h"

using namespace renglero;

TEST(CodigoPagina, Windows1252) {
    EXPECT_EQ(aUtf8("\x97"), "—");
    EXPECT_EQ(aUtf8("\xD7"), "×");
    EXPECT_EQ(aUtf8("\xBD"), "½");
    EXPECT_EQ(aUtf8("\x89"), "‰");
    EXPECT_EQ(aUtf8("12,5"), "12,5");
}

TEST(CodigoPagina, FuenteSymbol) {
    EXPECT_EQ(aUtf8("p", true), "π");
    EXPECT_EQ(aUtf8("D", true), "Δ");
    EXPECT_EQ(aUtf8("\xE5", true), "∑");
    EXPECT_EQ(aUtf8("\xA3", true), "≤");
    EXPECT_EQ(aUtf8("\xB9", true), "≠");
    EXPECT_EQ(aUtf8("@", true), "≅");
    EXPECT_EQ(aUtf8("2", true), "2");
}

TEST(CodigoPagina, DesdeUnicode) {
    EXPECT_EQ(desdeUnicode(U'—'), 151);
    EXPECT_EQ(desdeUnicode(U'ç'), 231);
    EXPECT_EQ(desdeUnicode(U'€'), 128);
    EXPECT_EQ(desdeUnicode(U'π'), -1);
    EXPECT_EQ(desdeUnicode(U'a'), 97);
}

TEST(CodigoPagina, Utf8IdaYVuelta) {
    const std::string texto = "Raíz ∑ ½ 𝄞";
    std::string vuelta;
    for (char32_t p : decodificarUtf8(texto))
        vuelta += utf8(p);
    EXPECT_EQ(vuelta, texto);
    EXPECT_EQ(decodificarUtf8("\xFF").size(), 1U); // an invalid byte is kept, not lost
}
