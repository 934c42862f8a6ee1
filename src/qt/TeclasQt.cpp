#include "qt/TeclasQt.h"

#include <QKeyEvent>

#include "platform/CodigoPagina.h"
#include "platform/Teclas.h"

namespace renglero {

namespace {

// Keys of the numeric keypad, told apart by Qt::KeypadModifier.
int codigoTeclado(int tecla) {
    if (tecla >= Qt::Key_0 && tecla <= Qt::Key_9) return kTeclado0 + (tecla - Qt::Key_0);
    switch (tecla) {
    case Qt::Key_Asterisk:
        return kTecladoPor;
    case Qt::Key_Plus:
        return kTecladoMas;
    case Qt::Key_Minus:
        return kTecladoMenos;
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return kTecladoComa;
    case Qt::Key_Slash:
        return kTecladoEntre;
    default:
        return 0;
    }
}

// Keys of the main keyboard. Qt names the sign a key gives, so the shifted
// and AltGr signs map back to the key that gives them on a Spanish keyboard.
int codigoPrincipal(int tecla) {
    if (tecla >= Qt::Key_A && tecla <= Qt::Key_Z) return tecla;
    if (tecla >= Qt::Key_0 && tecla <= Qt::Key_9) return tecla;
    if (tecla >= Qt::Key_F1 && tecla <= Qt::Key_F12) return kF1 + (tecla - Qt::Key_F1);
    switch (tecla) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kIntro;
    case Qt::Key_Escape:
        return kEsc;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return kTab;
    case Qt::Key_Backspace:
        return kRetroceso;
    case Qt::Key_Space:
        return kEspacio;
    case Qt::Key_Insert:
        return kIns;
    case Qt::Key_Delete:
        return kSupr;
    case Qt::Key_Home:
        return kInicio;
    case Qt::Key_End:
        return kFin;
    case Qt::Key_PageUp:
        return kRePag;
    case Qt::Key_PageDown:
        return kAvPag;
    case Qt::Key_Left:
        return kIzquierda;
    case Qt::Key_Up:
        return kArriba;
    case Qt::Key_Right:
        return kDerecha;
    case Qt::Key_Down:
        return kAbajo;
    case Qt::Key_Pause:
        return kPausa;
    case Qt::Key_Clear:
        return kBorrarTeclado;
    case Qt::Key_Shift:
        return kMayusculas;
    case Qt::Key_Control:
        return kCtrl;
    case Qt::Key_Alt:
        return kAlt;
    case Qt::Key_CapsLock:
        return kBloqMayus;
    case Qt::Key_Print:
        return kImprPant;
    case Qt::Key_Meta:
        return kWindows;
    case Qt::Key_Menu:
        return kMenu;
    case Qt::Key_NumLock:
        return kBloqNum;
    case Qt::Key_ScrollLock:
        return kBloqDespl;
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
        return kTeclaComa;
    case Qt::Key_Period:
    case Qt::Key_Colon:
        return kTeclaPunto;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return kTeclaMenos;
    case Qt::Key_Plus:
    case Qt::Key_Asterisk:
    case Qt::Key_BracketRight:
        return kTeclaMas;
    case Qt::Key_Ccedilla:
    case Qt::Key_BraceRight:
        return kTeclaCedilla;
    case Qt::Key_Ntilde:
        return kTeclaEnye;
    case Qt::Key_masculine:
    case Qt::Key_ordfeminine:
    case Qt::Key_Backslash:
        return kTeclaOrdinal;
    case Qt::Key_Apostrophe:
    case Qt::Key_Question:
        return kTeclaApostrofo;
    case Qt::Key_exclamdown:
    case Qt::Key_questiondown:
        return kTeclaExclamacion;
    case Qt::Key_Dead_Grave:
    case Qt::Key_Dead_Circumflex:
    case Qt::Key_BracketLeft:
        return kTeclaAcentoGrave;
    case Qt::Key_Dead_Acute:
    case Qt::Key_Dead_Diaeresis:
    case Qt::Key_BraceLeft:
        return kTeclaAcento;
    case Qt::Key_Less:
    case Qt::Key_Greater:
        return kTeclaMenor;
    default:
        return 0;
    }
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
