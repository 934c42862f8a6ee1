#pragma once
// Where Writer lays characters out: what the pupil sees on the page, read
// over the tests' own UNO connection.
#include <string>
#include <vector>

namespace renglero::prueba {

// For each paragraph of the document that holds a paragraph reading
// `marca`, from that one on: where each of its characters begins, in points
// from the page's left edge. Empty when there is no such document.
std::vector<std::vector<double>> iniciosDeCaracteres(const std::string& tubo,
                                                     const std::string& marca);

} // namespace renglero::prueba
