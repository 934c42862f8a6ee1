#include "headless/Teclas.h"

#include "headless/PlataformaGuionada.h"
#include "platform/Teclas.h"
#include "shell/Form1.h"

namespace renglero {

bool teclearToken(const std::string& token, Form1& form, PlataformaGuionada& plataforma,
                  std::string& error) {
    if (token.starts_with("{Char:") && token.size() >= 7 && token.back() == '}') {
        const std::string numero = token.substr(6, token.size() - 7);
        if (numero.empty() || numero.size() > 3 ||
            numero.find_first_not_of("0123456789") != std::string::npos ||
            std::stoi(numero) > 255) {
            error = "carácter no válido: " + token;
            return false;
        }
        form.teclearCaracter(std::stoi(numero));
        return true;
    }
    const auto acciones = accionesDeToken(token, error);
    if (!acciones) return false;
    // F11 is read from the global key state: held by `{+F11}` until `{-F11}`.
    if (token == "{+F11}" || token == "{-F11}") plataforma.mantenerF11(token[1] == '+');
    for (const AccionTecla& a : *acciones) {
        if (!a.abajo) {
            form.soltarTecla(a.codigo, a.shift);
            continue;
        }
        if (a.codigo == kF11) plataforma.pulsarF11();
        form.pulsarTecla(a.codigo, a.shift, a.caracter);
    }
    return true;
}

} // namespace renglero
