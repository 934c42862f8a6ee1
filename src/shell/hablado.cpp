#include "shell/hablado.h"

#include <cstring>

#include "platform/Teclas.h"

namespace renglero {

void sumarFrase(std::string& texto, const std::string& parte) {
    if (parte.empty()) return;
    if (!texto.empty()) texto += ' ';
    texto += parte;
}

// The format legend, as it is said.
const char* const kLeyendaFormatoHablada =
    "R raíz, B subíndice, P superíndice, N negrita, C cursiva, S subrayado, menos tachado, 1 "
    "rojo, 2 verde, 3 azul, 0 negro, X normal, T tablas de Word.";

// The table manager's instructions, as they are said.
const char* const kInstruccionesTablasHabladas =
    "Tablas de Word. Teclea el número de filas y el de columnas, de 1 a 9, y pulsa Intro; por "
    "ejemplo 2, 3 e Intro para una tabla de 2 filas y 3 columnas. Con el cursor en una tabla, "
    "flechas para elegir celda, A ajustar el ancho a los márgenes, B borrar la celda, C con o "
    "sin cuadrícula, E eliminar la tabla, I igualar las columnas, F y Q añadir y quitar una "
    "fila, L y W añadir y quitar una columna, Avance y Retroceso de página ensanchar y "
    "estrechar la columna. Esc cierra.";

std::string formatoElegido(const std::vector<int>& teclas) {
    for (int t : teclas) {
        switch (t) {
        case teclaLetra('B'):
            return "Subíndice.";
        case teclaLetra('P'):
            return "Superíndice.";
        case teclaLetra('N'):
            return "Negrita.";
        case teclaLetra('C'):
            return "Cursiva.";
        case teclaLetra('S'):
            return "Subrayado.";
        case kTeclaMenos:
        case kTecladoMenos:
            return "Tachado.";
        case teclaLetra('1'):
        case kTeclado0 + 1:
            return "Rojo.";
        case teclaLetra('2'):
        case kTeclado0 + 2:
            return "Verde.";
        case teclaLetra('3'):
        case kTeclado0 + 3:
            return "Azul.";
        case teclaLetra('0'):
        case kTeclado0:
            return "Negro.";
        case teclaLetra('X'):
            return "Normal.";
        default:
            break;
        }
    }
    return "Formato anulado.";
}

std::string sinDecoracion(const std::string& texto) {
    // Line breaks and runs of spaces between the keys of a legend end a
    // sentence; brackets and angle brackets go.
    std::vector<std::string> fichas;
    std::string ficha;
    auto cerrar = [&] {
        if (!ficha.empty()) fichas.push_back(ficha);
        ficha.clear();
    };
    for (std::size_t i = 0; i < texto.size(); ++i) {
        const char c = texto[i];
        if (c == '\r' || c == '\n' || (c == ' ' && texto.compare(i, 3, "   ") == 0)) {
            cerrar();
            fichas.emplace_back("\n");
            while (i + 1 < texto.size() && std::strchr(" \r\n", texto[i + 1]) != nullptr)
                ++i;
        } else if (c == ' ') {
            cerrar();
        } else if (std::strchr("[]<>", c) == nullptr) {
            ficha += c;
        }
    }
    cerrar();
    auto signo = [](const std::string& t) -> std::string {
        if (t == "+") return "más";
        if (t == "-") return "menos";
        if (t == "*") return "por";
        if (t == "/") return "entre";
        if (t == "=") return "igual";
        return "";
    };
    auto palabra = [](const std::string& t) { return !t.empty() && t != "\n" && t != ","; };
    std::string r;
    auto finFrase = [&r] {
        while (!r.empty() && r.back() == ' ')
            r.pop_back();
        if (!r.empty() && std::strchr(".,;:", r.back()) == nullptr) r += '.';
    };
    bool trasControl = false;
    for (std::size_t i = 0; i < fichas.size(); ++i) {
        std::string t = fichas[i];
        const std::string siguiente = i + 1 < fichas.size() ? fichas[i + 1] : "";
        const std::string anterior = i > 0 ? fichas[i - 1] : "";
        if (t == "\n") {
            finFrase();
            continue;
        }
        // "X = Y" reads "X, Y".
        if (t == "=" && palabra(anterior) && palabra(siguiente) && anterior != "=") {
            while (!r.empty() && r.back() == ' ')
                r.pop_back();
            r += ',';
            continue;
        }
        if (t.rfind("Ctrl", 0) == 0 && t.size() >= 5 && (t[4] == '-' || t[4] == '+')) {
            sumarFrase(r, "Control");
            t = t.substr(5);
            trasControl = true;
            if (t.empty()) continue;
        }
        const std::string nombre = signo(t);
        if (!nombre.empty() && (trasControl || siguiente == "=" || t != "-"))
            t = nombre;
        else if (t == "-")
            continue; // a dash between the parts of a caption
        trasControl = false;
        if (!r.empty() && r.back() != ' ' && t != "," && t != ".") r += ' ';
        r += t;
    }
    while (!r.empty() && r.back() == ' ')
        r.pop_back();
    return r;
}

} // namespace renglero
