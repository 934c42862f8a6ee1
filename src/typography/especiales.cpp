// Special signs: the palette `tablae` (F6) and F10, which turns the sign in
// the current cell into its special counterpart and back.
#include <array>

#include "platform/Teclas.h"
#include "shell/Form1.h"

namespace renglero {

namespace {

struct SignoPaleta {
    unsigned char codigo;
    bool simbolo;
};

constexpr std::array<SignoPaleta, 34> kPaleta = {{
    {151, false}, {183, false}, {247, false}, {137, false}, {177, true},  {163, true},  {179, true},
    {185, true},  {229, true},  {209, true},  {165, true},  {171, true},  {172, true},  {173, true},
    {174, true},  {175, true},  {182, true},  {64, true},   {'p', true},  {'a', true},  {'b', true},
    {'g', true},  {'d', true},  {'D', true},  {'w', true},  {'m', true},  {'e', true},  {'l', true},
    {'f', true},  {'F', true},  {'W', true},  {188, false}, {189, false}, {190, false},
}};

struct Regla {
    int desde;
    int hacia;
    bool simbolo; // the Symbol mark of the result
};

// Rules tried first, in any font (185 only in the Symbol font: the
// not-equal sign becomes the congruence sign).
constexpr std::array<Regla, 19> kReglasComunes = {{
    {'(', '[', false}, {'[', '(', false}, {')', ']', false}, {']', ')', false}, {'2', 189, false},
    {189, '2', false}, {'3', 190, false}, {190, '3', false}, {'4', 188, false}, {188, '4', false},
    {'.', 183, false}, {183, '.', false}, {'/', 247, false}, {247, '/', false}, {185, 64, true},
    {'-', 151, false}, {151, '-', false}, {'%', 137, false}, {137, '%', false},
}};

// Courier New: the sign becomes its Symbol counterpart.
constexpr std::array<Regla, 13> kReglasNormales = {{
    {'+', 177, true},
    {'<', 163, true},
    {'>', 179, true},
    {'7', 209, true},
    {'S', 229, true},
    {'=', 185, true},
    {'8', 165, true},
    {'0', 171, true},
    {161, 173, true},
    {'?', 174, true},
    {191, 172, true},
    {'!', 175, true},
    {'6', 182, true},
}};

// Any other font: back to the normal sign.
constexpr std::array<Regla, 14> kReglasSimbolo = {{
    {177, '+', false},
    {163, '<', false},
    {179, '>', false},
    {209, '7', false},
    {229, 'S', false},
    {185, '=', false},
    {64, '=', false},
    {165, '8', false},
    {171, '0', false},
    {172, 191, false},
    {173, 161, false},
    {174, '?', false},
    {175, '!', false},
    {182, '6', false},
}};

bool esLetra(int c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

void Form1::ponerespeciales() {
    for (std::size_t c = 0; c < kPaleta.size() && static_cast<int>(c) < tablae.Cols(); ++c) {
        tablae.setTextMatrix(0, static_cast<int>(c),
                             std::string(1, static_cast<char>(kPaleta[c].codigo)));
        tablae.setCol(static_cast<int>(c));
        if (kPaleta[c].simbolo) tablae.setCellFontName("Symbol");
    }
    tablae.setCol(18);
    tablae.Visible = false;
}

void Form1::tablae_KeyPress(int& KeyAscii) {
    KeyAscii = 0;
}

void Form1::tablae_KeyUp(int& KeyCode, int Shift) {
    (void)Shift;
    if (KeyCode == kF6 && !Frame2.Visible && modoTexto == 1) {
        // hidden below
    } else if (KeyCode == kIntro) {
        if (!tablae.Text().empty()) {
            if (tablae.celda().CellFontName == "Symbol") fuenteSimbolo = 1;
            postearCaracter(static_cast<unsigned char>(tablae.Text()[0]));
        }
    } else if (KeyCode == kCtrl || KeyCode == kAlt) {
        saltarTecla = 1;
        enviarAlt();
    }
    tablae.Visible = false;
    darFoco(Foco::tabla);
}

void Form1::especiales() {
    const std::string& texto = tabla.Text();
    const int c = texto.empty() ? -1 : static_cast<unsigned char>(texto[0]);
    if (tabla.Row() == filaFraccion && modoFraccion == 1) {
        if (texto == " ") {
            tabla.setText("\x97");
            return;
        }
        if (c == 151) {
            tabla.setText(" ");
            return;
        }
    }
    const std::string& fuente = tabla.celda().CellFontName;
    auto buscar = [c](const auto& reglas) -> const Regla* {
        for (const Regla& r : reglas)
            if (r.desde == c) return &r;
        return nullptr;
    };
    const Regla* regla = buscar(kReglasComunes);
    if (regla != nullptr && c == 185 && fuente != "Symbol") regla = nullptr;
    const bool normal = fuente == "Courier New";
    // A letter keeps itself and changes font.
    const Regla letra{c, c, normal};
    if (regla == nullptr) regla = normal ? buscar(kReglasNormales) : buscar(kReglasSimbolo);
    if (regla == nullptr && esLetra(c)) regla = &letra;
    if (regla == nullptr) return;
    tabla.setText(std::string(1, static_cast<char>(regla->hacia)));
    if (regla->simbolo) fuenteSimbolo = 1;
    const Celda& celda = tabla.celda();
    if (celda.CellAlignment == kAlineacionElevada) fuenteSuperindice = 1;
    if (celda.CellAlignment == kAlineacionBajada) fuenteSubindice = 1;
    if (celda.CellFontBold) fuenteNegrita = 1;
    if (celda.CellFontItalic) fuenteCursiva = 1;
    tipoletra();
}

} // namespace renglero
