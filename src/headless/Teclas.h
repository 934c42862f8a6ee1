#pragma once
// Key tokens of the headless scripts: `5`, `{Enter}`, `{Ctrl+C}`, `{+F11}` ...
#include <optional>
#include <string>
#include <vector>

#include "platform/Teclas.h"

namespace renglero {

class Form1;
class PlataformaGuionada;

// One token read and checked, ready to be typed.
struct TokenLeido {
    std::string texto;
    std::vector<AccionTecla> acciones;
    int caracterSolo = -1; // `{Char:N}`: the character alone, no key
};

// Reads one token. Nullopt, with a reason, for a bad token.
std::optional<TokenLeido> leerToken(const std::string& token, std::string& error);

// Feeds a token as a person typing it.
void teclearToken(const TokenLeido& token, Form1& form, PlataformaGuionada& plataforma);

} // namespace renglero
