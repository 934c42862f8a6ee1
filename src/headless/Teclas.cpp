#include "headless/Teclas.h"

#include <cctype>
#include <map>

#include "headless/PlataformaGuionada.h"
#include "platform/CodigoPagina.h"
#include "shell/Form1.h"

namespace renglero {

namespace {

struct TeclaNombrada {
    int codigo;
    int caracter; // -1: none
};

const std::map<std::string, TeclaNombrada>& teclasNombradas() {
    static const std::map<std::string, TeclaNombrada> tabla = [] {
        std::map<std::string, TeclaNombrada> t = {
            {"Enter", {13, 13}}, {"Esc", {27, 27}},   {"Tab", {9, 9}},     {"Backspace", {8, 8}},
            {"Space", {32, 32}}, {"Ins", {45, -1}},   {"Del", {46, -1}},   {"Home", {36, -1}},
            {"End", {35, -1}},   {"PgUp", {33, -1}},  {"PgDn", {34, -1}},  {"Left", {37, -1}},
            {"Up", {38, -1}},    {"Right", {39, -1}}, {"Down", {40, -1}},  {"Pause", {19, -1}},
            {"KP+", {107, '+'}}, {"KP-", {109, '-'}}, {"KP*", {106, '*'}}, {"KP/", {111, '/'}},
        };
        for (int i = 1; i <= 12; ++i)
            t["F" + std::to_string(i)] = {111 + i, -1};
        for (int i = 0; i <= 9; ++i)
            t["KP" + std::to_string(i)] = {96 + i, '0' + i};
        return t;
    }();
    return tabla;
}

// The key of one typed character: its key code, shift state and character.
bool teclaDeCaracter(const std::string& texto, int& codigo, int& shift, int& caracter) {
    const std::u32string puntos = decodificarUtf8(texto);
    if (puntos.size() != 1) return false;
    const char32_t p = puntos[0];
    caracter = desdeUnicode(p);
    if (caracter < 0) return false;
    shift = 0;
    codigo = 0;
    if (p >= 'a' && p <= 'z')
        codigo = static_cast<int>(p - 32);
    else if (p >= 'A' && p <= 'Z') {
        codigo = static_cast<int>(p);
        shift = 1;
    } else if (p >= '0' && p <= '9')
        codigo = static_cast<int>(p);
    else if (p == ',')
        codigo = 188;
    else if (p == '.')
        codigo = 190;
    else if (p == '-')
        codigo = 189;
    else if (p == '+')
        codigo = 187;
    else if (p == U'ç' || p == U'Ç') {
        codigo = 191;
        shift = p == U'Ç' ? 1 : 0;
    } else if (p == U'º')
        codigo = 220;
    return true;
}

// A named key or one character: its code and character.
bool resolver(const std::string& nombre, int& codigo, int& shift, int& caracter) {
    auto it = teclasNombradas().find(nombre);
    if (it != teclasNombradas().end()) {
        codigo = it->second.codigo;
        caracter = it->second.caracter;
        shift = 0;
        return true;
    }
    return teclaDeCaracter(nombre, codigo, shift, caracter);
}

void pulsar(Form1& form, PlataformaGuionada& plataforma, int codigo, int shift, int caracter) {
    if (codigo == 122) plataforma.pulsarF11();
    form.pulsarTecla(codigo, shift, caracter);
}

} // namespace

bool teclearToken(const std::string& token, Form1& form, PlataformaGuionada& plataforma,
                  std::string& error) {
    int codigo = 0, shift = 0, caracter = -1;
    if (token.size() < 3 || token.front() != '{' || token.back() != '}') {
        // Plain characters, each typed in turn.
        std::u32string puntos = decodificarUtf8(token);
        for (char32_t p : puntos) {
            if (!teclaDeCaracter(utf8(p), codigo, shift, caracter)) {
                error = "carácter sin tecla: " + token;
                return false;
            }
            pulsar(form, plataforma, codigo, shift, caracter);
            form.soltarTecla(codigo, shift);
        }
        return true;
    }
    const std::string nombre = token.substr(1, token.size() - 2);
    if (nombre == "Ctrl") {
        form.pulsarTecla(17, 2, -1);
        form.soltarTecla(17, 0);
    } else if (nombre == "Alt") {
        form.pulsarTecla(18, 4, -1);
        form.soltarTecla(18, 0);
    } else if (nombre == "AltGr") {
        form.pulsarTecla(17, 2, -1);
        form.pulsarTecla(18, 6, -1);
        form.soltarTecla(18, 2);
        form.soltarTecla(17, 0);
    } else if (nombre.rfind("Char:", 0) == 0) {
        const std::string numero = nombre.substr(5);
        if (numero.empty() || numero.size() > 3 ||
            numero.find_first_not_of("0123456789") != std::string::npos ||
            std::stoi(numero) > 255) {
            error = "carácter no válido: " + token;
            return false;
        }
        form.teclearCaracter(std::stoi(numero));
    } else if (nombre.rfind("Ctrl+", 0) == 0 && nombre.size() > 5) {
        if (!resolver(nombre.substr(5), codigo, shift, caracter)) {
            error = "tecla desconocida: " + token;
            return false;
        }
        const int letra = std::toupper(caracter);
        const int control = (letra >= 'A' && letra <= 'Z') ? letra & 0x1F : -1;
        form.pulsarTecla(17, 2, -1);
        pulsar(form, plataforma, codigo, 2, control);
        form.soltarTecla(codigo, 2);
        form.soltarTecla(17, 0);
    } else if ((nombre[0] == '+' || nombre[0] == '-') && nombre.size() > 1) {
        const std::string tecla = nombre.substr(1);
        const bool abajo = nombre[0] == '+';
        if (tecla == "Ctrl" || tecla == "Alt") {
            codigo = tecla == "Ctrl" ? 17 : 18;
            shift = abajo ? (codigo == 17 ? 2 : 4) : 0;
        } else if (!resolver(tecla, codigo, shift, caracter)) {
            error = "tecla desconocida: " + token;
            return false;
        }
        if (codigo == 122) plataforma.mantenerF11(abajo);
        if (abajo)
            pulsar(form, plataforma, codigo, shift, caracter);
        else
            form.soltarTecla(codigo, codigo == 17 || codigo == 18 ? 0 : shift);
    } else if (resolver(nombre, codigo, shift, caracter) && teclasNombradas().count(nombre)) {
        pulsar(form, plataforma, codigo, shift, caracter);
        form.soltarTecla(codigo, shift);
    } else {
        error = "tecla desconocida: " + token;
        return false;
    }
    return true;
}

} // namespace renglero
