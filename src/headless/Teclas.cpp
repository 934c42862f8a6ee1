#include "headless/Teclas.h"

#include "headless/PlataformaGuionada.h"
#include "shell/Form1.h"

namespace renglero {

std::optional<TokenLeido> leerToken(const std::string& token, std::string& error) {
    TokenLeido leido{token, {}, -1};
    if (token.starts_with("{Char:") && token.size() >= 7 && token.back() == '}') {
        const std::string numero = token.substr(6, token.size() - 7);
        if (numero.empty() || numero.size() > 3 ||
            numero.find_first_not_of("0123456789") != std::string::npos ||
            std::stoi(numero) > 255) {
            error = "carácter no válido: " + token;
            return std::nullopt;
        }
        leido.caracterSolo = std::stoi(numero);
        return leido;
    }
    auto acciones = accionesDeToken(token, error);
    if (!acciones) return std::nullopt;
    leido.acciones = std::move(*acciones);
    return leido;
}

void teclearToken(const TokenLeido& token, Form1& form, PlataformaGuionada& plataforma) {
    if (token.caracterSolo >= 0) {
        form.teclearCaracter(token.caracterSolo);
        return;
    }
    // F11 is read from the global key state: held by `{+F11}` until `{-F11}`.
    if (token.texto == "{+F11}" || token.texto == "{-F11}")
        plataforma.mantenerF11(token.texto[1] == '+');
    for (const AccionTecla& a : token.acciones) {
        if (!a.abajo) {
            form.soltarTecla(a.codigo, a.shift);
            continue;
        }
        if (a.codigo == kF11) plataforma.pulsarF11();
        form.pulsarTecla(a.codigo, a.shift, a.caracter);
    }
}

} // namespace renglero
