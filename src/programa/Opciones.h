#pragma once
// The program's command line, read once for both doors (the window and the
// headless driver), so that both accept and refuse the same options.
#include <QString>
#include <QStringList>
#include <iosfwd>
#include <optional>

#include "shell/anuncios.h"

namespace renglero {

struct Opciones {
    enum class Accion { ventana, sinPantalla, ayuda, version, error };
    // automatico: not given; each door has its own default.
    enum class Documento { automatico, propio, writer };

    Accion accion = Accion::ventana;
    Documento documento = Documento::automatico;
    int zoom = kZoomNormal;
    // Qt's own -platform was given: the user chose the platform.
    bool conPlataforma = false;
    // What was wrong with the command line, in Spanish, for Accion::error.
    QString error;
};

// The first argument is the program's name.
Opciones leerOpciones(const QStringList& argumentos);
Opciones leerOpciones(int argc, char** argv);

// The program's version, "1.2.3", and "Renglero 1.2.3".
QString numeroVersion();
QString textoVersion();
// Qt's own words in it ("Uso", "Opciones") are translated where the
// translations are loaded.
QString textoAyuda();

// Help, version or a refused command line: prints what they ask for and
// gives the exit status (0, or 2 for an error). Nothing for the two doors.
std::optional<int> responderOpciones(const Opciones& opciones, std::ostream& salida,
                                     std::ostream& errores);

} // namespace renglero
