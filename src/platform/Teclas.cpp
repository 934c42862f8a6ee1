#include "platform/Teclas.h"

#include <array>
#include <utility>

#include "platform/CodigoPagina.h"

namespace renglero {

namespace {

struct Nombre {
    std::string_view nombre;
    int codigo;
    int caracter; // -1: none
};

// The named keys with a character or none; the F keys and the keypad digits
// follow by rule.
constexpr std::array<Nombre, 20> kNombres = {{
    {"Enter", kIntro, 13},        {"Esc", kEsc, 27},           {"Tab", kTab, 9},
    {"Backspace", kRetroceso, 8}, {"Space", kEspacio, 32},     {"Ins", kIns, -1},
    {"Del", kSupr, -1},           {"Home", kInicio, -1},       {"End", kFin, -1},
    {"PgUp", kRePag, -1},         {"PgDn", kAvPag, -1},        {"Left", kIzquierda, -1},
    {"Up", kArriba, -1},          {"Right", kDerecha, -1},     {"Down", kAbajo, -1},
    {"Pause", kPausa, -1},        {"KP+", kTecladoMas, '+'},   {"KP-", kTecladoMenos, '-'},
    {"KP*", kTecladoPor, '*'},    {"KP/", kTecladoEntre, '/'},
}};

// The sign keys of a Spanish keyboard, by the sign they give unshifted.
constexpr std::array<std::pair<char32_t, int>, 6> kSignos = {{
    {U',', kTeclaComa},
    {U'.', kTeclaPunto},
    {U'-', kTeclaMenos},
    {U'+', kTeclaMas},
    {U'ç', kTeclaCedilla},
    {U'º', kTeclaOrdinal},
}};

// "F1".."F12" and "KP0".."KP9".
std::optional<int> numeroTras(std::string_view nombre, std::string_view prefijo, int maximo) {
    if (nombre.size() <= prefijo.size() || nombre.size() > prefijo.size() + 2 ||
        nombre.substr(0, prefijo.size()) != prefijo)
        return std::nullopt;
    int n = 0;
    for (char c : nombre.substr(prefijo.size())) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    if (nombre[prefijo.size()] == '0' && nombre.size() > prefijo.size() + 1) return std::nullopt;
    if (n > maximo) return std::nullopt;
    return n;
}

} // namespace

std::optional<Tecla> teclaNombrada(std::string_view nombre) {
    for (const Nombre& n : kNombres)
        if (n.nombre == nombre) return Tecla{n.codigo, 0, n.caracter};
    if (auto f = numeroTras(nombre, "F", 12); f && *f >= 1) return Tecla{kF1 + *f - 1, 0, -1};
    if (auto d = numeroTras(nombre, "KP", 9)) return Tecla{kTeclado0 + *d, 0, '0' + *d};
    return std::nullopt;
}

std::optional<Tecla> teclaDeCaracter(std::string_view caracter) {
    const std::u32string puntos = decodificarUtf8(std::string(caracter));
    if (puntos.size() != 1) return std::nullopt;
    const char32_t p = puntos[0];
    const int codigo = desdeUnicode(p);
    if (codigo < 0) return std::nullopt;
    if (p >= U'a' && p <= U'z') return Tecla{static_cast<int>(p - U'a' + U'A'), 0, codigo};
    if (p >= U'A' && p <= U'Z') return Tecla{static_cast<int>(p), kConMayusculas, codigo};
    if (p >= U'0' && p <= U'9') return Tecla{static_cast<int>(p), 0, codigo};
    if (p == U'Ç') return Tecla{kTeclaCedilla, kConMayusculas, codigo};
    for (const auto& [signo, tecla] : kSignos)
        if (signo == p) return Tecla{tecla, 0, codigo};
    return Tecla{0, 0, codigo};
}

std::optional<Tecla> resolverTecla(std::string_view nombre) {
    if (auto t = teclaNombrada(nombre)) return t;
    return teclaDeCaracter(nombre);
}

std::string nombreTecla(int codigo) {
    for (const Nombre& n : kNombres)
        if (n.codigo == codigo) return std::string(n.nombre);
    if (codigo >= kF1 && codigo <= kF12) return "F" + std::to_string(codigo - kF1 + 1);
    if (codigo >= kTeclado0 && codigo <= kTeclado9)
        return "KP" + std::to_string(codigo - kTeclado0);
    if ((codigo >= 'A' && codigo <= 'Z') || (codigo >= '0' && codigo <= '9'))
        return std::string(1, static_cast<char>(codigo));
    if (codigo == kCtrl) return "Ctrl";
    if (codigo == kAlt) return "Alt";
    for (const auto& [signo, tecla] : kSignos)
        if (tecla == codigo) return utf8(signo);
    return "";
}

int caracterConCtrl(int codigo) {
    if (codigo >= 'A' && codigo <= 'Z') return codigo & 0x1F;
    switch (codigo) {
    case kIntro:
        return 10;
    case kEspacio:
        return 32;
    case kRetroceso:
        return 127;
    default:
        return -1;
    }
}

std::vector<AccionTecla> pulsarAltGr() {
    return {{true, kCtrl, kConCtrl, -1}, {true, kAlt, kConAltGr, -1}};
}

std::vector<AccionTecla> soltarAltGr() {
    return {{false, kAlt, kConCtrl, -1}, {false, kCtrl, 0, -1}};
}

std::optional<std::vector<AccionTecla>> accionesDeToken(std::string_view token,
                                                        std::string& error) {
    std::vector<AccionTecla> acciones;
    auto desconocida = [&] {
        error = "tecla desconocida: " + std::string(token);
        return std::nullopt;
    };
    if (token.size() < 3 || token.front() != '{' || token.back() != '}') {
        // A brace in a token of several characters is a named key missing
        // one of its braces: typed letter by letter it would run commands.
        if (token.size() > 1 && token.find_first_of("{}") != std::string_view::npos) {
            error = "tecla mal escrita: " + std::string(token);
            return std::nullopt;
        }
        // Plain characters, each typed in turn.
        for (char32_t p : decodificarUtf8(std::string(token))) {
            const auto t = teclaDeCaracter(utf8(p));
            if (!t) {
                error = "carácter sin tecla: " + std::string(token);
                return std::nullopt;
            }
            acciones.push_back({true, t->codigo, t->shift, t->caracter});
            acciones.push_back({false, t->codigo, t->shift, -1});
        }
        return acciones;
    }
    const std::string_view nombre = token.substr(1, token.size() - 2);
    if (nombre == "Ctrl")
        return std::vector<AccionTecla>{{true, kCtrl, kConCtrl, -1}, {false, kCtrl, 0, -1}};
    if (nombre == "Alt")
        return std::vector<AccionTecla>{{true, kAlt, kConAlt, -1}, {false, kAlt, 0, -1}};
    if (nombre == "AltGr") {
        acciones = pulsarAltGr();
        for (const AccionTecla& a : soltarAltGr())
            acciones.push_back(a);
        return acciones;
    }
    if (nombre.starts_with("Ctrl+") && nombre.size() > 5) {
        const auto t = resolverTecla(nombre.substr(5));
        if (!t) return desconocida();
        return std::vector<AccionTecla>{{true, kCtrl, kConCtrl, -1},
                                        {true, t->codigo, kConCtrl, caracterConCtrl(t->codigo)},
                                        {false, t->codigo, kConCtrl, -1},
                                        {false, kCtrl, 0, -1}};
    }
    if ((nombre[0] == '+' || nombre[0] == '-') && nombre.size() > 1) {
        const std::string_view tecla = nombre.substr(1);
        const bool abajo = nombre[0] == '+';
        if (tecla == "Ctrl" || tecla == "Alt") {
            const int codigo = tecla == "Ctrl" ? kCtrl : kAlt;
            return std::vector<AccionTecla>{
                {abajo, codigo, abajo ? shiftDeModificador(codigo) : 0, -1}};
        }
        const auto t = resolverTecla(tecla);
        if (!t) return desconocida();
        return std::vector<AccionTecla>{{abajo, t->codigo, t->shift, abajo ? t->caracter : -1}};
    }
    const auto t = teclaNombrada(nombre);
    if (!t) return desconocida();
    return std::vector<AccionTecla>{{true, t->codigo, t->shift, t->caracter},
                                    {false, t->codigo, t->shift, -1}};
}

} // namespace renglero
