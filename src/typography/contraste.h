#pragma once
// Colours a pupil with low vision can tell apart: the contrast ratio of two
// colours (relative luminance, 1 to 21) and the cursor's colour, taken from
// the grid's own colour scheme.
#include "platform/Colores.h"

namespace renglero {

class Cuadricula;

// The least contrast the cursor keeps against the cell it frames.
inline constexpr double kContrasteCursor = 3.0;

double contraste(Color a, Color b);

// The grid's text colour where it stands out enough against the current
// cell's background, else the grid's background colour, else black or white.
Color colorCursor(const Cuadricula& g);

} // namespace renglero
