#pragma once
// Key tokens of the headless scripts: `5`, `{Enter}`, `{Ctrl+C}`, `{+F11}` ...
#include <string>

namespace renglero {

class Form1;
class PlataformaGuionada;

// Feeds one token as a person typing it. False, with a reason, for a bad token.
bool teclearToken(const std::string& token, Form1& form, PlataformaGuionada& plataforma,
                  std::string& error);

} // namespace renglero
