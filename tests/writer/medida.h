#pragma once
// What the tests read of LibreOffice over a UNO connection of their own:
// where Writer lays characters out, how many documents it has.
#include <string>
#include <vector>

namespace renglero::prueba {

// For each paragraph of the document that holds a paragraph reading
// `marca`, from that one on: where each of its characters begins, in points
// from the page's left edge. Empty when there is no such document.
std::vector<std::vector<double>> iniciosDeCaracteres(const std::string& tubo,
                                                     const std::string& marca);

// The text documents open in the LibreOffice on `tubo`.
int documentosDeTexto(const std::string& tubo);

} // namespace renglero::prueba
