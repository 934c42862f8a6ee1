#pragma once
// What assistive technology sees of the notebook's window: the window as a
// frame, the grids as tables of named cells, the labels, prompts, help lines
// and entry boxes as objects of their roles; and the events that keep a
// screen reader in step with the window.
#include <QString>

namespace renglero {

class VentanaQt;

// Installs the factory that gives the notebook's window its interface.
void instalarAccesibilidad();

// After each change of the window: the focus on the cursor's cell, the names
// of the cells written or cleared, a grid of another size, controls shown or
// hidden, and the announcement waiting to be said.
void seguirAccesibilidad(VentanaQt& ventana);

// Says a text to the screen reader without moving the focus. The one place
// that knows how: a notification object shown (Orca speaks those; Qt has no
// announcement event yet).
void anunciarAccesible(VentanaQt& ventana, const QString& texto);

} // namespace renglero
