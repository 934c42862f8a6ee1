// F11's state as Timer2 reads it: "pressed since the last poll" however short
// the press, held without a new press, the keyboard's repeat, and a release
// lost on the way.
#include <gtest/gtest.h>

#include "qt/TeclaGlobal.h"

using namespace renglero;

TEST(TeclaF11, UnToqueCortoEntreDosLecturasSeVe) {
    EstadoF11 f11;
    f11.pulsada(1000);
    f11.soltada(1010);
    EXPECT_EQ(f11.leer(), 0x8001);
    EXPECT_EQ(f11.leer(), 0);
}

TEST(TeclaF11, TresToquesSeguidosSonTresPulsaciones) {
    EstadoF11 f11;
    int vistas = 0;
    for (std::uint32_t t = 1000; t < 4000; t += 1000) {
        f11.pulsada(t);
        f11.soltada(t + 5);
        if (f11.leer() == 0x8001) ++vistas;
    }
    EXPECT_EQ(vistas, 3);
}

TEST(TeclaF11, MantenidaNoVuelveADisparar) {
    EstadoF11 f11;
    f11.fijarRetardoRepeticion(760);
    f11.pulsada(1000);
    EXPECT_EQ(f11.leer(), 0x8001);
    // The keyboard repeats the press while it is held.
    for (std::uint32_t t = 1660; t < 3000; t += 40)
        f11.pulsada(t);
    EXPECT_EQ(f11.leer(), 0x8000);
    f11.soltada(3000);
    EXPECT_EQ(f11.leer(), 0);
}

TEST(TeclaF11, SinSueltaUnaPulsacionNuevaCuenta) {
    EstadoF11 f11;
    f11.fijarRetardoRepeticion(760);
    f11.pulsada(1000);
    EXPECT_EQ(f11.leer(), 0x8001);
    // The release never came: still "down", which alone never triggers...
    EXPECT_EQ(f11.leer(), 0x8000);
    EXPECT_EQ(f11.leer(), 0x8000);
    // ...but a press long after is a new one.
    f11.pulsada(5000);
    EXPECT_EQ(f11.leer(), 0x8001);
}
