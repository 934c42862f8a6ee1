// F11's state as Timer2 reads it: "pressed since the last poll" however short
// the press, held without a new press, the keyboard's repeat, and a release
// lost on the way.
#include <gtest/gtest.h>

#include "qt/TeclaGlobal.h"

using namespace renglero;

TEST(TeclaF11, UnToqueCortoEntreDosLecturasSeVe) {
    EstadoF11 f11;
    f11.pulsada(1000, 0);
    f11.soltada(1010);
    EXPECT_EQ(f11.leer(), 0x8001);
    EXPECT_EQ(f11.leer(), 0);
}

TEST(TeclaF11, TresToquesSeguidosSonTresPulsaciones) {
    EstadoF11 f11;
    int vistas = 0;
    for (std::uint32_t t = 1000; t < 4000; t += 1000) {
        f11.pulsada(t, 0);
        f11.soltada(t + 5);
        if (f11.leer() == 0x8001) ++vistas;
    }
    EXPECT_EQ(vistas, 3);
}

TEST(TeclaF11, MantenidaNoVuelveADisparar) {
    EstadoF11 f11;
    f11.fijarRetardoRepeticion(760);
    f11.pulsada(1000, 0);
    EXPECT_EQ(f11.leer(), 0x8001);
    // The keyboard repeats the press while it is held.
    for (std::uint32_t t = 1660; t < 3000; t += 40)
        f11.pulsada(t, 0);
    EXPECT_EQ(f11.leer(), 0x8000);
    f11.soltada(3000);
    EXPECT_EQ(f11.leer(), 0);
}

TEST(TeclaF11, SinSueltaUnaPulsacionNuevaCuenta) {
    EstadoF11 f11;
    f11.fijarRetardoRepeticion(760);
    f11.pulsada(1000, 0);
    EXPECT_EQ(f11.leer(), 0x8001);
    // The release never came: still "down", which alone never triggers...
    EXPECT_EQ(f11.leer(), 0x8000);
    EXPECT_EQ(f11.leer(), 0x8000);
    // ...but a press long after is a new one.
    f11.pulsada(5000, 0);
    EXPECT_EQ(f11.leer(), 0x8001);
}

// The time of day of a press is the press's own, however late the window
// saw it: two taps 0.28 s apart stay 0.28 s apart when the second one is
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
