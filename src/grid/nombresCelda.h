#pragma once
// How a screen reader names what a cell shows: the sign as a pupil reads it
// aloud ("más", "por", "raya"), not the character's Unicode name.
#include <string>

namespace renglero {

struct Celda;

// The spoken name of a cell's 8-bit text (in the Symbol font when
// `simbolo`); empty for a blank cell.
std::string nombreHablado(const std::string& texto, bool simbolo = false);
// A cell's own: its sign, and "superíndice" or "subíndice" after a raised
// or lowered one.
std::string nombreHablado(const Celda& celda);

} // namespace renglero
