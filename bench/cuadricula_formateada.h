// The heaviest grid that F9 meets: every cell formatted, with runs of
// different lengths for each attribute.
#pragma once

#include "grid/Cuadricula.h"
#include "platform/Colores.h"

namespace renglero {

inline void formatearCadaCelda(Cuadricula& t) {
    for (int r = 0; r < t.Rows(); ++r)
        for (int c = 0; c < t.Cols(); ++c) {
            t.setRow(r);
            t.setCol(c);
            t.setCellFontBold(true);
            t.setCellFontItalic((c / 3) % 2 == 0);
            t.setCellFontUnderline((c / 5) % 2 == 0);
            if (c % 7 == 0) t.setCellForeColor(colorPaleta(12));
            if (c % 11 == 0) t.setCellAlignment(2);
        }
}

} // namespace renglero
