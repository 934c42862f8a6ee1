#include "qt/TeclasQt.h"

#include <QKeyEvent>
#include <cstddef>

#include "platform/CodigoPagina.h"
#include "platform/Teclas.h"

namespace renglero {

namespace {

// A Qt key and the Windows virtual-key code that the notebook knows it by.
struct Equivalencia {
    int qt;
    int codigo;
};

template <std::size_t N> int buscar(const Equivalencia (&tabla)[N], int tecla) {
    for (const Equivalencia& e : tabla)
        if (e.qt == tecla) return e.codigo;
    return 0;
}

// The numeric keypad's keys, told apart by Qt::KeypadModifier.
constexpr Equivalencia kTeclado[] = {
    {Qt::Key_Asterisk, kTecladoPor}, {Qt::Key_Plus, kTecladoMas},   {Qt::Key_Minus, kTecladoMenos},
    {Qt::Key_Period, kTecladoComa},  {Qt::Key_Comma, kTecladoComa}, {Qt::Key_Slash, kTecladoEntre},
};

// The main keyboard's keys. Qt names the sign a key gives, so the shifted and
// AltGr signs map back to the key that gives them on a Spanish keyboard.
constexpr Equivalencia kPrincipal[] = {
    {Qt::Key_Return, kIntro},
    {Qt::Key_Enter, kIntro},
    {Qt::Key_Escape, kEsc},
    {Qt::Key_Tab, kTab},
    {Qt::Key_Backtab, kTab},
    {Qt::Key_Backspace, kRetroceso},
    {Qt::Key_Space, kEspacio},
    {Qt::Key_Insert, kIns},
    {Qt::Key_Delete, kSupr},
    {Qt::Key_Home, kInicio},
    {Qt::Key_End, kFin},
    {Qt::Key_PageUp, kRePag},
    {Qt::Key_PageDown, kAvPag},
    {Qt::Key_Left, kIzquierda},
    {Qt::Key_Up, kArriba},
    {Qt::Key_Right, kDerecha},
    {Qt::Key_Down, kAbajo},
    {Qt::Key_Pause, kPausa},
    {Qt::Key_Clear, kBorrarTeclado},
    {Qt::Key_Shift, kMayusculas},
    {Qt::Key_Control, kCtrl},
    {Qt::Key_Alt, kAlt},
    {Qt::Key_CapsLock, kBloqMayus},
    {Qt::Key_Print, kImprPant},
    {Qt::Key_Meta, kWindows},
    {Qt::Key_Menu, kMenu},
    {Qt::Key_NumLock, kBloqNum},
    {Qt::Key_ScrollLock, kBloqDespl},
    // The digit row's shifted and AltGr signs.
    {Qt::Key_Equal, '0'},
    {Qt::Key_Exclam, '1'},
    {Qt::Key_Bar, '1'},
    {Qt::Key_QuoteDbl, '2'},
    {Qt::Key_At, '2'},
    {Qt::Key_periodcentered, '3'},
    {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'},
    {Qt::Key_AsciiTilde, '4'},
    {Qt::Key_Percent, '5'},
    {Qt::Key_Ampersand, '6'},
    {Qt::Key_notsign, '6'},
    {Qt::Key_Slash, '7'},
    {Qt::Key_ParenLeft, '8'},
    {Qt::Key_ParenRight, '9'},
    // The punctuation keys.
    {Qt::Key_Comma, kTeclaComa},
    {Qt::Key_Semicolon, kTeclaComa},
    {Qt::Key_Period, kTeclaPunto},
    {Qt::Key_Colon, kTeclaPunto},
    {Qt::Key_Minus, kTeclaMenos},
    {Qt::Key_Underscore, kTeclaMenos},
    {Qt::Key_Plus, kTeclaMas},
    {Qt::Key_Asterisk, kTeclaMas},
    {Qt::Key_BracketRight, kTeclaMas},
    {Qt::Key_Ccedilla, kTeclaCedilla},
    {Qt::Key_BraceRight, kTeclaCedilla},
    {Qt::Key_Ntilde, kTeclaEnye},
    {Qt::Key_masculine, kTeclaOrdinal},
    {Qt::Key_ordfeminine, kTeclaOrdinal},
    {Qt::Key_Backslash, kTeclaOrdinal},
    {Qt::Key_Apostrophe, kTeclaApostrofo},
    {Qt::Key_Question, kTeclaApostrofo},
    {Qt::Key_exclamdown, kTeclaExclamacion},
    {Qt::Key_questiondown, kTeclaExclamacion},
    {Qt::Key_Dead_Grave, kTeclaAcentoGrave},
    {Qt::Key_Dead_Circumflex, kTeclaAcentoGrave},
    {Qt::Key_BracketLeft, kTeclaAcentoGrave},
    {Qt::Key_Dead_Acute, kTeclaAcento},
    {Qt::Key_Dead_Diaeresis, kTeclaAcento},
    {Qt::Key_BraceLeft, kTeclaAcento},
    {Qt::Key_Less, kTeclaMenor},
    {Qt::Key_Greater, kTeclaMenor},
};

int codigoTeclado(int tecla) {
    if (tecla >= Qt::Key_0 && tecla <= Qt::Key_9) return kTeclado0 + (tecla - Qt::Key_0);
    return buscar(kTeclado, tecla);
}

int codigoPrincipal(int tecla) {
    if (tecla >= Qt::Key_A && tecla <= Qt::Key_Z) return tecla;
    if (tecla >= Qt::Key_0 && tecla <= Qt::Key_9) return tecla;
    if (tecla >= Qt::Key_F1 && tecla <= Qt::Key_F12) return kF1 + (tecla - Qt::Key_F1);
    return buscar(kPrincipal, tecla);
}

int estadoShift(const QKeyEvent& e, int codigo, bool pulsada) {
    const Qt::KeyboardModifiers m = e.modifiers();
    int shift = (m & Qt::ShiftModifier ? kConMayusculas : 0) |
                (m & Qt::ControlModifier ? kConCtrl : 0) | (m & Qt::AltModifier ? kConAlt : 0);
    // The modifier keys themselves: held after their press, gone after their
    // release, whatever the platform reports at that instant.
    const int propio = shiftDeModificador(codigo);
    return pulsada ? (shift | propio) : (shift & ~propio);
}

int traducir(const QKeyEvent& e, bool pulsada, bool altGr, int& shift, int& caracter) {
    const int tecla = e.key();
    int codigo = 0;
    if (e.modifiers() & Qt::KeypadModifier) codigo = codigoTeclado(tecla);
    if (codigo == 0) codigo = codigoPrincipal(tecla);
    shift = estadoShift(e, codigo, pulsada);
    if (tecla == Qt::Key_Backtab) shift |= kConMayusculas;
    caracter = -1;
    if (!pulsada) {
        if (altGr) shift |= kConAltGr;
        return codigo;
    }
    if (altGr) {
        // AltGr is Ctrl+Alt to the notebook, but the key gives its sign.
        shift |= kConAltGr;
    } else if (shift & kConCtrl) {
        caracter = caracterConCtrl(codigo);
        return codigo;
    } else if (shift & kConAlt) {
        return codigo; // Alt chords give no character
    }
    if (codigo == kRetroceso || codigo == kTab || codigo == kIntro || codigo == kEsc ||
        codigo == kEspacio) {
        caracter = codigo;
        return codigo;
    }
    const QString texto = e.text();
    if (texto.size() >= 1) {
        const char32_t punto = texto.toUcs4().value(0);
        if (punto >= 32 && punto != 127) caracter = desdeUnicode(punto);
    }
    return codigo;
}

} // namespace

std::vector<AccionTecla> TraductorTeclas::pulsar(const QKeyEvent& e) {
    if (e.key() == Qt::Key_AltGr) {
        if (altGr_) return {};
        altGr_ = true;
        return pulsarAltGr();
    }
    int shift = 0, caracter = -1;
    const int codigo = traducir(e, true, altGr_, shift, caracter);
    if (codigo == 0 && caracter < 0) return {};
    if (e.nativeScanCode() != 0) pulsadas_[e.nativeScanCode()] = codigo;
    return {{true, codigo, shift, caracter}};
}

std::vector<AccionTecla> TraductorTeclas::soltar(const QKeyEvent& e) {
    if (e.isAutoRepeat()) return {};
    if (e.key() == Qt::Key_AltGr) {
        if (!altGr_) return {};
        altGr_ = false;
        return soltarAltGr();
    }
    int shift = 0, caracter = -1;
    int codigo = traducir(e, false, altGr_, shift, caracter);
    auto it = e.nativeScanCode() != 0 ? pulsadas_.find(e.nativeScanCode()) : pulsadas_.end();
    if (it != pulsadas_.end()) {
        codigo = it->second;
        pulsadas_.erase(it);
        // The modifier's own bit follows the code given at press time.
        shift &= ~shiftDeModificador(codigo);
    }
    if (codigo == 0) return {};
    return {{false, codigo, shift, -1}};
}

} // namespace renglero
