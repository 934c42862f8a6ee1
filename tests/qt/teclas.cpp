// Key events into key codes, shift states and characters.
#include <QKeyEvent>
#include <gtest/gtest.h>

#include "qt/TeclasQt.h"

using namespace renglero;

namespace {

QKeyEvent pulsacion(int tecla, Qt::KeyboardModifiers m = Qt::NoModifier, const QString& texto = {},
                    quint32 escaneo = 0, bool repetida = false) {
    return QKeyEvent(QEvent::KeyPress, tecla, m, escaneo, 0, 0, texto, repetida);
}

QKeyEvent suelta(int tecla, Qt::KeyboardModifiers m = Qt::NoModifier, quint32 escaneo = 0,
                 bool repetida = false) {
    return QKeyEvent(QEvent::KeyRelease, tecla, m, escaneo, 0, 0, QString(), repetida);
}

AccionTecla abajo(int codigo, int shift, int caracter) {
    return {true, codigo, shift, caracter};
}
AccionTecla arriba(int codigo, int shift) {
    return {false, codigo, shift, -1};
}

} // namespace

TEST(TeclasQt, LetrasYDigitosDelTecladoPrincipal) {
    TraductorTeclas t;
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_A, Qt::NoModifier, "a")),
              std::vector<AccionTecla>{abajo(65, 0, 'a')});
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_A, Qt::ShiftModifier, "A")),
              std::vector<AccionTecla>{abajo(65, 1, 'A')});
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_7, Qt::NoModifier, "7")),
              std::vector<AccionTecla>{abajo(55, 0, '7')});
    // Shift+7 gives "/" on a Spanish keyboard: still the key 7.
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_Slash, Qt::ShiftModifier, "/")),
              std::vector<AccionTecla>{abajo(55, 1, '/')});
}

TEST(TeclasQt, TecladoNumericoPorSuModificador) {
    TraductorTeclas t;
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_Plus, Qt::KeypadModifier, "+")),
              std::vector<AccionTecla>{abajo(107, 0, '+')});
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_Plus, Qt::NoModifier, "+")),
              std::vector<AccionTecla>{abajo(187, 0, '+')});
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_Minus, Qt::KeypadModifier, "-")),
              std::vector<AccionTecla>{abajo(109, 0, '-')});
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_Minus, Qt::NoModifier, "-")),
              std::vector<AccionTecla>{abajo(189, 0, '-')});
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_Asterisk, Qt::KeypadModifier, "*")),
              std::vector<AccionTecla>{abajo(106, 0, '*')});
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_Slash, Qt::KeypadModifier, "/")),
              std::vector<AccionTecla>{abajo(111, 0, '/')});
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_4, Qt::KeypadModifier, "4")),
              std::vector<AccionTecla>{abajo(100, 0, '4')});
}

TEST(TeclasQt, TeclasDeControlYSinCaracter) {
    TraductorTeclas t;
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_Return)), std::vector<AccionTecla>{abajo(13, 0, 13)});
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_Escape)), std::vector<AccionTecla>{abajo(27, 0, 27)});
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_Tab)), std::vector<AccionTecla>{abajo(9, 0, 9)});
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_Backtab, Qt::ShiftModifier)),
              std::vector<AccionTecla>{abajo(9, 1, 9)});
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_Backspace)), std::vector<AccionTecla>{abajo(8, 0, 8)});
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_F11)), std::vector<AccionTecla>{abajo(122, 0, -1)});
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_Delete, Qt::NoModifier, "\x7f")),
              std::vector<AccionTecla>{abajo(46, 0, -1)});
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_Pause)), std::vector<AccionTecla>{abajo(19, 0, -1)});
    // Ctrl with a letter gives the control character; Alt gives none.
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_R, Qt::ControlModifier, "\x12")),
              std::vector<AccionTecla>{abajo(82, 2, 18)});
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_1, Qt::ControlModifier, "1")),
              std::vector<AccionTecla>{abajo(49, 2, -1)});
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_R, Qt::AltModifier, "r")),
              std::vector<AccionTecla>{abajo(82, 4, -1)});
}

TEST(TeclasQt, CedillaYOrdinal) {
    TraductorTeclas t;
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_Ccedilla, Qt::NoModifier, QString::fromUtf8("ç"))),
              std::vector<AccionTecla>{abajo(191, 0, 231)});
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_Ccedilla, Qt::ShiftModifier, QString::fromUtf8("Ç"))),
              std::vector<AccionTecla>{abajo(191, 1, 199)});
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_masculine, Qt::NoModifier, QString::fromUtf8("º"))),
              std::vector<AccionTecla>{abajo(220, 0, 186)});
}

TEST(TeclasQt, ControlSoloAbajoYArriba) {
    TraductorTeclas t;
    // The platform may or may not count Ctrl itself in the modifiers.
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_Control)), std::vector<AccionTecla>{abajo(17, 2, -1)});
    EXPECT_EQ(t.soltar(suelta(Qt::Key_Control, Qt::ControlModifier)),
              std::vector<AccionTecla>{arriba(17, 0)});
}

TEST(TeclasQt, AltGrEsControlMasAlt) {
    TraductorTeclas t;
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_AltGr)),
              (std::vector<AccionTecla>{abajo(17, 2, -1), abajo(18, 6, -1)}));
    // A sign typed with AltGr held keeps its character.
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_At, Qt::NoModifier, "@")),
              std::vector<AccionTecla>{abajo(50, 6, '@')});
    EXPECT_EQ(t.soltar(suelta(Qt::Key_AltGr)),
              (std::vector<AccionTecla>{arriba(18, 2), arriba(17, 0)}));
}

TEST(TeclasQt, LaSueltaSeEmparejaPorCodigoDeEscaneo) {
    TraductorTeclas t;
    // Shift+1 pressed, Shift let go first, then the key: the release is the 1 key.
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_Exclam, Qt::ShiftModifier, "!", 10)),
              std::vector<AccionTecla>{abajo(49, 1, '!')});
    EXPECT_EQ(t.soltar(suelta(Qt::Key_1, Qt::NoModifier, 10)),
              std::vector<AccionTecla>{arriba(49, 0)});
    // Keypad 4 pressed, its release reported as the left arrow of the same key.
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_4, Qt::KeypadModifier, "4", 83)),
              std::vector<AccionTecla>{abajo(100, 0, '4')});
    EXPECT_EQ(t.soltar(suelta(Qt::Key_Left, Qt::KeypadModifier, 83)),
              std::vector<AccionTecla>{arriba(100, 0)});
}

TEST(TeclasQt, RepeticionAutomatica) {
    TraductorTeclas t;
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_5, Qt::NoModifier, "5", 14)),
              std::vector<AccionTecla>{abajo(53, 0, '5')});
    // A repeated press is a new press; a repeated release is not a release.
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_5, Qt::NoModifier, "5", 14, true)),
              std::vector<AccionTecla>{abajo(53, 0, '5')});
    EXPECT_TRUE(t.soltar(suelta(Qt::Key_5, Qt::NoModifier, 14, true)).empty());
    EXPECT_EQ(t.soltar(suelta(Qt::Key_5, Qt::NoModifier, 14)),
              std::vector<AccionTecla>{arriba(53, 0)});
}

// The window gives the same events as a script's token for the same keys.
TEST(TeclasQt, LosMismosEventosQueElToken) {
    auto teclasConCtrl = [](Qt::Key k, const QString& texto) {
        TraductorTeclas t;
        std::vector<AccionTecla> v = t.pulsar(pulsacion(Qt::Key_Control, Qt::ControlModifier));
        for (const auto& a : t.pulsar(pulsacion(k, Qt::ControlModifier, texto)))
            v.push_back(a);
        for (const auto& a : t.soltar(suelta(k, Qt::ControlModifier)))
            v.push_back(a);
        for (const auto& a : t.soltar(suelta(Qt::Key_Control, Qt::ControlModifier)))
            v.push_back(a);
        return v;
    };
    auto token = [](std::string_view s) {
        std::string error;
        return accionesDeToken(s, error).value_or(std::vector<AccionTecla>{});
    };
    EXPECT_EQ(teclasConCtrl(Qt::Key_Return, "\r"), token("{Ctrl+Enter}"));
    EXPECT_EQ(teclasConCtrl(Qt::Key_Space, " "), token("{Ctrl+Space}"));
    EXPECT_EQ(teclasConCtrl(Qt::Key_Backspace, "\x7f"), token("{Ctrl+Backspace}"));
    EXPECT_EQ(teclasConCtrl(Qt::Key_X, "\x18"), token("{Ctrl+X}"));
    EXPECT_EQ(teclasConCtrl(Qt::Key_1, "1"), token("{Ctrl+1}"));
    EXPECT_EQ(teclasConCtrl(Qt::Key_Home, ""), token("{Ctrl+Home}"));

    TraductorTeclas t;
    std::vector<AccionTecla> altGr = t.pulsar(pulsacion(Qt::Key_AltGr));
    for (const auto& a : t.soltar(suelta(Qt::Key_AltGr)))
        altGr.push_back(a);
    EXPECT_EQ(altGr, token("{AltGr}"));

    // Ctrl and Alt tapped alone, as the platform may report them.
    std::vector<AccionTecla> ctrl = t.pulsar(pulsacion(Qt::Key_Control));
    for (const auto& a : t.soltar(suelta(Qt::Key_Control, Qt::ControlModifier)))
        ctrl.push_back(a);
    EXPECT_EQ(ctrl, token("{Ctrl}"));
    std::vector<AccionTecla> alt = t.pulsar(pulsacion(Qt::Key_Alt, Qt::AltModifier));
    for (const auto& a : t.soltar(suelta(Qt::Key_Alt)))
        alt.push_back(a);
    EXPECT_EQ(alt, token("{Alt}"));
}

// Every sign of a Spanish keyboard, plain, with Shift and with AltGr, is
// reported as the key that gives it: Qt names the sign, the notebook the key.
TEST(TeclasQt, CadaSignoDelTecladoEspanolEsSuTecla) {
    struct Signo {
        int tecla;
        Qt::KeyboardModifiers modificadores;
        int codigo;
    };
    const auto shift = Qt::ShiftModifier;
    const auto altGr = Qt::ControlModifier | Qt::AltModifier;
    const Signo signos[] = {
        {Qt::Key_masculine, {}, kTeclaOrdinal},
        {Qt::Key_ordfeminine, shift, kTeclaOrdinal},
        {Qt::Key_Backslash, altGr, kTeclaOrdinal},
        {Qt::Key_Exclam, shift, '1'},
        {Qt::Key_Bar, altGr, '1'},
        {Qt::Key_QuoteDbl, shift, '2'},
        {Qt::Key_At, altGr, '2'},
        {Qt::Key_periodcentered, shift, '3'},
        {Qt::Key_NumberSign, altGr, '3'},
        {Qt::Key_Dollar, shift, '4'},
        {Qt::Key_AsciiTilde, altGr, '4'},
        {Qt::Key_Percent, shift, '5'},
        {Qt::Key_Ampersand, shift, '6'},
        {Qt::Key_notsign, altGr, '6'},
        {Qt::Key_Slash, shift, '7'},
        {Qt::Key_ParenLeft, shift, '8'},
        {Qt::Key_ParenRight, shift, '9'},
        {Qt::Key_Equal, shift, '0'},
        {Qt::Key_Apostrophe, {}, kTeclaApostrofo},
        {Qt::Key_Question, shift, kTeclaApostrofo},
        {Qt::Key_exclamdown, {}, kTeclaExclamacion},
        {Qt::Key_questiondown, shift, kTeclaExclamacion},
        {Qt::Key_Dead_Grave, {}, kTeclaAcentoGrave},
        {Qt::Key_Dead_Circumflex, shift, kTeclaAcentoGrave},
        {Qt::Key_BracketLeft, altGr, kTeclaAcentoGrave},
        {Qt::Key_Plus, {}, kTeclaMas},
        {Qt::Key_Asterisk, shift, kTeclaMas},
        {Qt::Key_BracketRight, altGr, kTeclaMas},
        {Qt::Key_Dead_Acute, {}, kTeclaAcento},
        {Qt::Key_Dead_Diaeresis, shift, kTeclaAcento},
        {Qt::Key_BraceLeft, altGr, kTeclaAcento},
        {Qt::Key_Ccedilla, {}, kTeclaCedilla},
        {Qt::Key_Ccedilla, shift, kTeclaCedilla},
        {Qt::Key_BraceRight, altGr, kTeclaCedilla},
        {Qt::Key_Ntilde, {}, kTeclaEnye},
        {Qt::Key_Ntilde, shift, kTeclaEnye},
        {Qt::Key_Less, {}, kTeclaMenor},
        {Qt::Key_Greater, shift, kTeclaMenor},
        {Qt::Key_Comma, {}, kTeclaComa},
        {Qt::Key_Semicolon, shift, kTeclaComa},
        {Qt::Key_Period, {}, kTeclaPunto},
        {Qt::Key_Colon, shift, kTeclaPunto},
        {Qt::Key_Minus, {}, kTeclaMenos},
        {Qt::Key_Underscore, shift, kTeclaMenos},
    };
    for (const Signo& s : signos) {
        TraductorTeclas t;
        const std::vector<AccionTecla> acciones = t.pulsar(pulsacion(s.tecla, s.modificadores));
        ASSERT_FALSE(acciones.empty()) << "tecla Qt " << std::hex << s.tecla;
        EXPECT_EQ(acciones.back().codigo, s.codigo) << "tecla Qt " << std::hex << s.tecla;
    }
}
