#include "qt/TeclasQt.h"

#include <QKeyEvent>

#include "platform/CodigoPagina.h"

namespace renglero {

namespace {

constexpr int kShift = 1, kCtrl = 2, kAlt = 4;

// Keys of the numeric keypad, told apart by Qt::KeypadModifier.
int codigoTeclado(int tecla) {
    if (tecla >= Qt::Key_0 && tecla <= Qt::Key_9) return 96 + (tecla - Qt::Key_0);
    switch (tecla) {
    case Qt::Key_Asterisk:
        return 106;
    case Qt::Key_Plus:
        return 107;
    case Qt::Key_Minus:
        return 109;
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return 110;
    case Qt::Key_Slash:
        return 111;
    default:
        return 0;
    }
}

// Keys of the main keyboard. Qt names the sign a key gives, so the shifted
// and AltGr signs map back to the key that gives them on a Spanish keyboard.
int codigoPrincipal(int tecla) {
    if (tecla >= Qt::Key_A && tecla <= Qt::Key_Z) return tecla;
    if (tecla >= Qt::Key_0 && tecla <= Qt::Key_9) return tecla;
    if (tecla >= Qt::Key_F1 && tecla <= Qt::Key_F12) return 112 + (tecla - Qt::Key_F1);
    switch (tecla) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_End:
        return 35;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_Clear:
        return 12;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_CapsLock:
        return 20;
    case Qt::Key_Print:
        return 44;
    case Qt::Key_Meta:
        return 91;
    case Qt::Key_Menu:
        return 93;
    case Qt::Key_NumLock:
        return 144;
    case Qt::Key_ScrollLock:
        return 145;
    // The digit row's shifted and AltGr signs.
    case Qt::Key_Equal:
        return '0';
    case Qt::Key_Exclam:
    case Qt::Key_Bar:
        return '1';
    case Qt::Key_QuoteDbl:
    case Qt::Key_At:
        return '2';
    case Qt::Key_periodcentered:
    case Qt::Key_NumberSign:
        return '3';
    case Qt::Key_Dollar:
    case Qt::Key_AsciiTilde:
        return '4';
    case Qt::Key_Percent:
    case Qt::Key_Ampersand:
    case Qt::Key_notsign:
        return '6';
    case Qt::Key_Slash:
        return '7';
    case Qt::Key_ParenLeft:
        return '8';
    case Qt::Key_ParenRight:
        return '9';
    // The punctuation keys.
    case Qt::Key_Comma:
    case Qt::Key_Semicolon:
        return 188;
    case Qt::Key_Period:
    case Qt::Key_Colon:
        return 190;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return 189;
    case Qt::Key_Plus:
    case Qt::Key_Asterisk:
    case Qt::Key_BracketRight:
        return 187;
    case Qt::Key_Ccedilla:
    case Qt::Key_BraceRight:
        return 191;
    case Qt::Key_Ntilde:
        return 192;
    case Qt::Key_masculine:
    case Qt::Key_ordfeminine:
    case Qt::Key_Backslash:
        return 220;
    case Qt::Key_Apostrophe:
    case Qt::Key_Question:
        return 219;
    case Qt::Key_exclamdown:
    case Qt::Key_questiondown:
        return 221;
    case Qt::Key_Dead_Grave:
    case Qt::Key_Dead_Circumflex:
    case Qt::Key_BracketLeft:
        return 186;
    case Qt::Key_Dead_Acute:
    case Qt::Key_Dead_Diaeresis:
    case Qt::Key_BraceLeft:
        return 222;
    case Qt::Key_Less:
    case Qt::Key_Greater:
        return 226;
    default:
        return 0;
    }
}

int estadoShift(const QKeyEvent& e, int codigo, bool pulsada) {
    const Qt::KeyboardModifiers m = e.modifiers();
    int shift = (m & Qt::ShiftModifier ? kShift : 0) | (m & Qt::ControlModifier ? kCtrl : 0) |
                (m & Qt::AltModifier ? kAlt : 0);
    // The modifier keys themselves: held after their press, gone after their
    // release, whatever the platform reports at that instant.
    const int propio = codigo == 16 ? kShift : codigo == 17 ? kCtrl : codigo == 18 ? kAlt : 0;
    return pulsada ? (shift | propio) : (shift & ~propio);
}

int traducir(const QKeyEvent& e, bool pulsada, bool altGr, int& shift, int& caracter) {
    const int tecla = e.key();
    int codigo = 0;
    if (e.modifiers() & Qt::KeypadModifier) codigo = codigoTeclado(tecla);
    if (codigo == 0) codigo = codigoPrincipal(tecla);
    shift = estadoShift(e, codigo, pulsada);
    if (tecla == Qt::Key_Backtab) shift |= kShift;
    caracter = -1;
    if (!pulsada) {
        if (altGr) shift |= kCtrl | kAlt;
        return codigo;
    }
    if (altGr) {
        // AltGr is Ctrl+Alt to the notebook, but the key gives its sign.
        shift |= kCtrl | kAlt;
    } else if (shift & kCtrl) {
        if (codigo >= 'A' && codigo <= 'Z')
            caracter = codigo & 0x1F;
        else if (codigo == 32)
            caracter = 32;
        else if (codigo == 13)
            caracter = 10;
        else if (codigo == 8)
            caracter = 127;
        return codigo;
    } else if (shift & kAlt) {
        return codigo; // Alt chords give no character
    }
    if (codigo == 8 || codigo == 9 || codigo == 13 || codigo == 27 || codigo == 32) {
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

int traducirTecla(const QKeyEvent& evento, int& shift, int& caracter) {
    return traducir(evento, evento.type() != QEvent::KeyRelease, false, shift, caracter);
}

std::vector<AccionTecla> TraductorTeclas::pulsar(const QKeyEvent& e) {
    if (e.key() == Qt::Key_AltGr) {
        if (altGr_) return {};
        altGr_ = true;
        return {{true, 17, kCtrl, -1}, {true, 18, kCtrl | kAlt, -1}};
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
        return {{false, 18, kCtrl, -1}, {false, 17, 0, -1}};
    }
    int shift = 0, caracter = -1;
    int codigo = traducir(e, false, altGr_, shift, caracter);
    auto it = e.nativeScanCode() != 0 ? pulsadas_.find(e.nativeScanCode()) : pulsadas_.end();
    if (it != pulsadas_.end()) {
        codigo = it->second;
        pulsadas_.erase(it);
        // The modifier's own bit follows the code given at press time.
        const int propio = codigo == 16 ? kShift : codigo == 17 ? kCtrl : codigo == 18 ? kAlt : 0;
        shift &= ~propio;
    }
    if (codigo == 0) return {};
    return {{false, codigo, shift, -1}};
}

} // namespace renglero
