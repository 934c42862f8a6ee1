// Key events into key codes, shift states and characters; F11's state as Timer2 reads it.
#include <QKeyEvent>
#include <gtest/gtest.h>

#include "qt/TeclaGlobal.h"
#include "qt/TeclasQt.h"

using namespace renglero;

namespace {

using Acciones = std::vector<AccionTecla>;
const Qt::KeyboardModifiers conShift = Qt::ShiftModifier, conCtrl = Qt::ControlModifier,
                            conAlt = Qt::AltModifier, numerico = Qt::KeypadModifier;

QKeyEvent pulsacion(int tecla, Qt::KeyboardModifiers m = {}, const QString& texto = {},
                    quint32 escaneo = 0, bool repetida = false) {
    return QKeyEvent(QEvent::KeyPress, tecla, m, escaneo, 0, 0, texto, repetida);
}
QKeyEvent suelta(int tecla, Qt::KeyboardModifiers m = {}, quint32 escaneo = 0,
                 bool repetida = false) {
    return QKeyEvent(QEvent::KeyRelease, tecla, m, escaneo, 0, 0, QString(), repetida);
}
AccionTecla abajo(int codigo, int shift, int caracter = -1) {
    return {true, codigo, shift, caracter};
}
AccionTecla arriba(int codigo, int shift) {
    return {false, codigo, shift, -1};
}

} // namespace

// Shift+7 gives "/" on a Spanish keyboard, still the key 7; Alt+letter gives no character.
TEST(TeclasQt, UnaPulsacion) {
    const std::tuple<int, Qt::KeyboardModifiers, QString, AccionTecla> casos[] = {
        {Qt::Key_A, {}, "a", abajo(65, 0, 'a')},
        {Qt::Key_A, conShift, "A", abajo(65, 1, 'A')},
        {Qt::Key_7, {}, "7", abajo(55, 0, '7')},
        {Qt::Key_Slash, conShift, "/", abajo(55, 1, '/')},
        {Qt::Key_Plus, numerico, "+", abajo(107, 0, '+')},
        {Qt::Key_Minus, numerico, "-", abajo(109, 0, '-')},
        {Qt::Key_Asterisk, numerico, "*", abajo(106, 0, '*')},
        {Qt::Key_Slash, numerico, "/", abajo(111, 0, '/')},
        {Qt::Key_4, numerico, "4", abajo(100, 0, '4')},
        {Qt::Key_Return, {}, {}, abajo(13, 0, 13)},
        {Qt::Key_Escape, {}, {}, abajo(27, 0, 27)},
        {Qt::Key_Tab, {}, {}, abajo(9, 0, 9)},
        {Qt::Key_Backtab, conShift, {}, abajo(9, 1, 9)},
        {Qt::Key_Backspace, {}, {}, abajo(8, 0, 8)},
        {Qt::Key_F11, {}, {}, abajo(122, 0)},
        {Qt::Key_Delete, {}, "\x7f", abajo(46, 0)},
        {Qt::Key_Pause, {}, {}, abajo(19, 0)},
        {Qt::Key_R, conAlt, "r", abajo(82, 4)},
        {Qt::Key_Ccedilla, {}, QString::fromUtf8("ç"), abajo(191, 0, 231)},
        {Qt::Key_Ccedilla, conShift, QString::fromUtf8("Ç"), abajo(191, 1, 199)}};
    for (const auto& [tecla, m, texto, esperada] : casos)
        EXPECT_EQ(TraductorTeclas().pulsar(pulsacion(tecla, m, texto)), Acciones{esperada})
            << "tecla Qt " << std::hex << tecla;
}

// Matched by scan code; AltGr's two keys let go in turn; a repeat is a press with no release.
TEST(TeclasQt, LaSueltaEsLaDeSuPulsacion) {
    TraductorTeclas t;
    // Shift+1 pressed, Shift let go first, then the key.
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_Exclam, conShift, "!", 10)), Acciones{abajo(49, 1, '!')});
    EXPECT_EQ(t.soltar(suelta(Qt::Key_1, {}, 10)), Acciones{arriba(49, 0)});
    // Keypad 4, its release reported as the left arrow of the same key.
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_4, numerico, "4", 83)), Acciones{abajo(100, 0, '4')});
    EXPECT_EQ(t.soltar(suelta(Qt::Key_Left, numerico, 83)), Acciones{arriba(100, 0)});
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_5, {}, "5", 14, true)), Acciones{abajo(53, 0, '5')});
    EXPECT_TRUE(t.soltar(suelta(Qt::Key_5, {}, 14, true)).empty());
    EXPECT_EQ(t.soltar(suelta(Qt::Key_5, {}, 14)), Acciones{arriba(53, 0)});
    // AltGr is Ctrl+Alt; a sign typed with it keeps its character.
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_AltGr)), (Acciones{abajo(17, 2), abajo(18, 6)}));
    EXPECT_EQ(t.pulsar(pulsacion(Qt::Key_At, {}, "@")), Acciones{abajo(50, 6, '@')});
    EXPECT_EQ(t.soltar(suelta(Qt::Key_AltGr)), (Acciones{arriba(18, 2), arriba(17, 0)}));
}

TEST(TeclasQt, LosMismosEventosQueElToken) {
    const auto token = [](std::string_view s) {
        std::string error;
        return accionesDeToken(s, error).value_or(Acciones{});
    };
    // Chords with Ctrl, and AltGr, Ctrl and Alt tapped alone, with the
    // modifiers the platform may report at the press and at the release.
    const std::tuple<Qt::Key, QString, Qt::KeyboardModifiers, Qt::KeyboardModifiers, const char*>
        casos[] = {{Qt::Key_Return, "\r", conCtrl, conCtrl, "{Ctrl+Enter}"},
                   {Qt::Key_Space, " ", conCtrl, conCtrl, "{Ctrl+Space}"},
                   {Qt::Key_Backspace, "\x7f", conCtrl, conCtrl, "{Ctrl+Backspace}"},
                   {Qt::Key_X, "\x18", conCtrl, conCtrl, "{Ctrl+X}"},
                   {Qt::Key_1, "1", conCtrl, conCtrl, "{Ctrl+1}"},
                   {Qt::Key_Home, "", conCtrl, conCtrl, "{Ctrl+Home}"},
                   {Qt::Key_AltGr, "", {}, {}, "{AltGr}"},
                   {Qt::Key_Control, "", {}, conCtrl, "{Ctrl}"},
                   {Qt::Key_Alt, "", conAlt, {}, "{Alt}"}};
    for (const auto& [k, texto, alPulsar, alSoltar, nombre] : casos) {
        const bool acorde = std::string_view(nombre).starts_with("{Ctrl+");
        TraductorTeclas t;
        Acciones v;
        const auto anadir = [&v](const Acciones& a) { v.insert(v.end(), a.begin(), a.end()); };
        if (acorde) anadir(t.pulsar(pulsacion(Qt::Key_Control, conCtrl)));
        anadir(t.pulsar(pulsacion(k, alPulsar, texto)));
        anadir(t.soltar(suelta(k, alSoltar)));
        if (acorde) anadir(t.soltar(suelta(Qt::Key_Control, conCtrl)));
        EXPECT_EQ(v, token(nombre)) << nombre;
    }
}

// Pressed since the last poll however short; a held key's repeat, even sent as a release and a
// press at one instant, is no new press; a lost release does not keep a later press from counting.
TEST(TeclaF11, LoQueLeeTimer2) {
    EstadoF11 f11;
    f11.fijarRetardoRepeticion(760);
    for (std::uint32_t t = 1000; t < 4000; t += 1000) {
        f11.pulsada(t, 0);
        f11.soltada(t + 5);
        EXPECT_EQ(f11.leer(), 0x8001) << t;
        EXPECT_EQ(f11.leer(), 0) << t;
    }
    f11.pulsada(5000, 0);
    EXPECT_EQ(f11.leer(), 0x8001);
    for (std::uint32_t t = 5660; t < 7000; t += 40)
        f11.pulsada(t, 0);
    EXPECT_EQ(f11.leer(), 0x8000);
    f11.soltada(7000);
    f11.pulsada(7000, 0);
    EXPECT_EQ(f11.leer(), 0x8000);
    // The release never came; a press long after is a new one.
    f11.pulsada(9000, 0);
    EXPECT_EQ(f11.leer(), 0x8001);
    f11.soltada(9100);
    EXPECT_EQ(f11.leer(), 0);
}

// The press's own time of day, however late seen: taps 0.28 s apart stay so when the second is
// seen 0.3 s late; past midnight the time of day starts again.
TEST(TeclaF11, LaHoraEsLaDeLaPulsacion) {
    EstadoF11 f11;
    f11.pulsada(50000, 36000.010);
    f11.soltada(50050);
    EXPECT_NEAR(f11.horaPulsacion(), 36000.010, 1e-6);
    f11.pulsada(50280, 36000.590);
    EXPECT_NEAR(f11.horaPulsacion(), 36000.290, 1e-6);
    EXPECT_EQ(f11.instantePulsacion(), 50280u);
    f11.soltada(50300);
    f11.pulsada(50400 + 86400000 - 36000000, 0.200);
    EXPECT_NEAR(f11.horaPulsacion(), 0.200, 1e-6);
}
