// renglero: the notebook window, or with --headless the scripted driver.
#include <cstring>
#include <iostream>

#include "headless/Conductor.h"
#include "qt/Aplicacion.h"

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--headless") == 0)
            return renglero::ejecutarSinPantalla(std::cin, std::cout);
    return renglero::ejecutarVentana(argc, argv);
}
