// renglero: the notebook window, or with --headless the scripted driver.
#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "headless/Conductor.h"
#include "qt/Aplicacion.h"

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--headless") == 0) {
            // No display: the embedded document still lays its text out.
            if (std::getenv("QT_QPA_PLATFORM") == nullptr)
                setenv("QT_QPA_PLATFORM", "offscreen", 1);
            QGuiApplication aplicacion(argc, argv);
            return renglero::ejecutarSinPantalla(argc, argv, std::cin, std::cout);
        }
    }
    return renglero::ejecutarVentana(argc, argv);
}
