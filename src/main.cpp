// renglero: the notebook window, or with --headless the scripted driver.
#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>
#include <iostream>

#include "headless/Conductor.h"
#include "programa/Idioma.h"
#include "programa/Opciones.h"
#include "programa/Sesion.h"
#include "qt/Aplicacion.h"

using namespace renglero;

int main(int argc, char** argv) {
    const Opciones opciones = leerOpciones(argc, argv);
    if (opciones.accion != Opciones::Accion::ventana &&
        opciones.accion != Opciones::Accion::sinPantalla) {
        // Help, version and errors need no display; the help names the
        // program as it is installed, wherever it was started from.
        int n = 1;
        char nombre[] = "renglero";
        char* argumentos[] = {nombre, nullptr};
        QCoreApplication nucleo(n, argumentos);
        cargarTraduccionesQt();
        return *responderOpciones(opciones, std::cout, std::cerr);
    }
    if (opciones.accion == Opciones::Accion::sinPantalla) {
        // No display: the embedded document still lays its text out.
        if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
        QGuiApplication aplicacion(argc, argv);
        cargarTraduccionesQt();
        return ejecutarSinPantalla(opciones, std::cin, std::cout);
    }
    elegirPlataforma(opciones.conPlataforma);
    return ejecutarVentana(argc, argv, opciones);
}
