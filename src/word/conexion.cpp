// The connection to the word processor and its application events.
#include "shell/Form1.h"

namespace renglero {

void Form1::comprobarword() {}

bool Form1::engancharClase1() { return true; }

void Form1::limpiezaWord() {}

void Form1::enviarAlt() {
    dejarCorrerEventos();
    const Ventana v = plataforma.ventanaActiva();
    ventanaActiva = (v == Ventana::notebook || v == Ventana::about) ? 1 : 0;
    if (ventanaActiva > 0) plataforma.enviarTeclaAlFrente(0);
}

} // namespace renglero
