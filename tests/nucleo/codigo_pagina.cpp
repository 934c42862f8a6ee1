// The conversions between the notebook's 8-bit texts and Unicode.
#include <gtest/gtest.h>

#include "platform/CodigoPagina.h"

using namespace renglero;

TEST(CodigoPagina, Windows1252YFuenteSymbol) {
    const std::tuple<const char*, bool, const char*> casos[] = {
        {"\x97", false, "—"},    {"\xD7", false, "×"}, {"\xBD", false, "½"}, {"\x89", false, "‰"},
        {"12,5", false, "12,5"}, {"p", true, "π"},     {"D", true, "Δ"},     {"\xE5", true, "∑"},
        {"\xA3", true, "≤"},     {"\xB9", true, "≠"},  {"@", true, "≅"},     {"2", true, "2"}};
    for (const auto& [texto, simbolo, unicode] : casos)
        EXPECT_EQ(aUtf8(texto, simbolo), unicode) << texto;
    for (const auto& [punto, codigo] : std::initializer_list<std::pair<char32_t, int>>{
             {U'—', 151}, {U'ç', 231}, {U'€', 128}, {U'π', -1}, {U'a', 97}})
        EXPECT_EQ(desdeUnicode(punto), codigo);
}

TEST(CodigoPagina, Utf8IdaYVuelta) {
    const std::string texto = "Raíz ∑ ½ 𝄞";
    std::string vuelta;
    for (char32_t p : decodificarUtf8(texto))
        vuelta += utf8(p);
    EXPECT_EQ(vuelta, texto);
    EXPECT_EQ(decodificarUtf8("\xFF").size(), 1U); // an invalid byte is kept, not lost
}
