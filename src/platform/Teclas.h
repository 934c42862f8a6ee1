#pragma once
// The notebook's key vocabulary, shared by the core, the window, the headless
// driver and the tests: Windows virtual-key codes by name, the shift states,
// the key names of scripts, the character a Ctrl chord gives, and the events
// of AltGr.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace renglero {

// Windows virtual-key codes. Letter keys have the code of their capital and
// digit keys that of their digit (see `teclaLetra`); the sign keys are those
// of a Spanish keyboard.
enum CodigoTecla : int {
    kRetroceso = 8,
    kTab = 9,
    kBorrarTeclado = 12,
    kIntro = 13,
    kMayusculas = 16,
    kCtrl = 17,
    kAlt = 18,
    kPausa = 19,
    kBloqMayus = 20,
    kEsc = 27,
    kEspacio = 32,
    kRePag = 33,
    kAvPag = 34,
    kFin = 35,
    kInicio = 36,
    kIzquierda = 37,
    kArriba = 38,
    kDerecha = 39,
    kAbajo = 40,
    kImprPant = 44,
    kIns = 45,
    kSupr = 46,
    kWindows = 91,
    kMenu = 93,
    kTeclado0 = 96,
    kTeclado9 = 105,
    kTecladoPor = 106,
    kTecladoMas = 107,
    kTecladoMenos = 109,
    kTecladoComa = 110,
    kTecladoEntre = 111,
    kF1 = 112,
    kF2,
    kF3,
    kF4,
    kF5,
    kF6,
    kF7,
    kF8,
    kF9,
    kF10,
    kF11,
    kF12,
    kBloqNum = 144,
    kBloqDespl = 145,
    kTeclaAcentoGrave = 186, // ` ^ [
    kTeclaMas = 187,         // + * ]
    kTeclaComa = 188,        // , ;
    kTeclaMenos = 189,       // - _
    kTeclaPunto = 190,       // . :
    kTeclaCedilla = 191,     // ç Ç }
    kTeclaEnye = 192,        // ñ Ñ
    kTeclaApostrofo = 219,   // ' ?
    kTeclaOrdinal = 220,     // º ª \ (the notebook's help names it "º")
    kTeclaExclamacion = 221, // ¡ ¿
    kTeclaAcento = 222,      // ´ ¨ {
    kTeclaMenor = 226,       // < >
};

// The key of a letter or digit: 'h' and 'H' give 72, '5' gives 53.
constexpr int teclaLetra(char c) {
    return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
}

// Shift states, added: Shift 1, Ctrl 2, Alt 4; AltGr is Ctrl+Alt.
enum EstadoShift : int { kConMayusculas = 1, kConCtrl = 2, kConAlt = 4, kConAltGr = 6 };

// The shift bit that a modifier key itself stands for (0 for other keys).
constexpr int shiftDeModificador(int codigo) {
    return codigo == kMayusculas ? kConMayusculas
           : codigo == kCtrl     ? kConCtrl
           : codigo == kAlt      ? kConAlt
                                 : 0;
}

// One key down (with its character, -1 for none) or one key up, as the
// notebook's window receives them.
struct AccionTecla {
    bool abajo;
    int codigo;
    int shift;
    int caracter;
    bool operator==(const AccionTecla&) const = default;
};

// A key and what pressing it alone gives.
struct Tecla {
    int codigo;
    int shift;
    int caracter; // Windows-1252, -1: none
};

// The named keys of scripts: "Enter", "Esc", "Tab", "Backspace", "Space",
// "Ins", "Del", "Home", "End", "PgUp", "PgDn", "Left", "Up", "Right",
// "Down", "F1".."F12", "Pause", "KP+", "KP-", "KP*", "KP/", "KP0".."KP9".
std::optional<Tecla> teclaNombrada(std::string_view nombre);
// The key that types one character (UTF-8): its code (0 where the Spanish
// keyboard has no key of its own for it), shift and Windows-1252 character.
std::optional<Tecla> teclaDeCaracter(std::string_view caracter);
// A named key or one character.
std::optional<Tecla> resolverTecla(std::string_view nombre);
// The script name of a key code: "Enter", "F5", "KP*", "Ctrl", "Alt", the
// capital of a letter key, the digit of a digit key, the unshifted sign of
// a sign key; empty for a code with no name.
std::string nombreTecla(int codigo);

// The character that a key held with Ctrl alone gives: the control
// character of a letter, 10 for Enter, 32 for Space, 127 for Backspace;
// -1 for every other key.
int caracterConCtrl(int codigo);

// The keys a press and a release of AltGr give: it is Ctrl+Alt to the notebook.
std::vector<AccionTecla> pulsarAltGr();
std::vector<AccionTecla> soltarAltGr();

// The events of one script token as a person typing it: `125` (each
// character in turn), `{Enter}`, `{Ctrl}`, `{Alt}`, `{AltGr}`, `{Ctrl+X}`,
// `{+Name}` (held down, or repeated) and `{-Name}` (released). `{Char:N}`,
// a character without a key, is none of these. Nullopt, with a reason, for
// a token that names no key or is missing a brace (`{Enter`, `Enter}`).
std::optional<std::vector<AccionTecla>> accionesDeToken(std::string_view token, std::string& error);

} // namespace renglero
