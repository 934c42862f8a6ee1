#include "grid/nombresCelda.h"

#include "grid/Cuadricula.h"
#include "platform/CodigoPagina.h"

namespace renglero {

namespace {

// The signs of the notebook whose spoken name is not the sign itself.
const char* nombreSigno(char32_t c) {
    switch (c) {
    case ',':
        return "coma";
    case '.':
        return "punto";
    case '+':
        return "más";
    case '-':
        return "menos";
    case '=':
        return "igual";
    case '|':
        return "barra";
    case '/':
        return "barra inclinada";
    case '\\':
        return "barra invertida";
    case U'\u2212': // minus sign
        return "menos";
    case '_':
    case U'\u2014': // rule stroke
        return "raya";
    case U'\u00D7':
    case U'\u22C5': // dot operator
        return "por";
    case U'\u00F7':
    case ':':
        return "entre";
    default:
        return nullptr;
    }
}

} // namespace

std::string nombreHablado(const std::string& texto, bool simbolo) {
    if (texto.empty() || texto == " ") return "";
    if (texto.size() == 1) {
        if (const char* n = nombreSigno(aUnicode(static_cast<unsigned char>(texto[0]), simbolo)))
            return n;
    }
    return aUtf8(texto, simbolo);
}

std::string nombreHablado(const Celda& celda) {
    std::string nombre = nombreHablado(celda.Text, celda.CellFontName == "Symbol");
    // A raised or lowered sign means something else: x2 is not x².
    if (!nombre.empty() && celda.CellAlignment == kAlineacionElevada) nombre += " superíndice";
    if (!nombre.empty() && celda.CellAlignment == kAlineacionBajada) nombre += " subíndice";
    return nombre;
}

} // namespace renglero
