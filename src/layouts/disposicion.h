#pragma once
// What the set-up of an operation shares between its files: the operands read
// back from the grid, the signs the layouts write, and the helpers that write
// a layout and set the direction of advance.
#include <string>
#include <vector>

#include "shell/Form1.h"

namespace renglero::disposicion {

inline const std::string kBlanco = " ";
inline const std::string kRaya = "\x97"; // rule stroke, em dash of Windows-1252
inline const std::string kPor = "\xD7";  // multiplication sign of Windows-1252

// The numbers the pupil typed, one per row, split at their comma.
struct Operandos {
    std::vector<std::string> enteras;
    std::vector<std::string> decimales;
    int ultimo = -1;       // index of the last operand read (n)
    int anchoEntera = 0;   // widest integer part, measured before ",5" becomes "0,5"
    int anchoDecimal = 0;  // widest decimal part
    bool negativa = false; // the subtraction's operands were swapped

    // Integer part, and "," with the decimal part when there is one.
    std::string conComa(int i) const {
        return decimales[i].empty() ? enteras[i] : enteras[i] + "," + decimales[i];
    }
};

inline bool esBlanco(const std::string& texto) {
    return texto == kBlanco || texto.empty();
}

// Writes through the current cell, as the pupil's cursor would, so that the
// cell events see every cell of the layout (a rule stroke left behind is
// drawn larger).
inline void poner(Form1& f, int fila, int col, const std::string& texto) {
    f.tabla.setRow(fila);
    f.tabla.setCol(col);
    f.tabla.setText(texto);
}

inline void irA(Form1& f, int fila, int col) {
    f.tabla.setRow(fila);
    f.tabla.setCol(col);
}

// Setting a direction is writing the opposite arrow and turning it.
inline void ponerIzquierda(Form1& f) {
    f.Label1.Caption = "--->";
    f.cambiarsentido();
}
inline void ponerDerecha(Form1& f) {
    f.Label1.Caption = "<---";
    f.cambiarsentido();
}

// Each layout: whether it fits in a grid of filas x cols, and the layout
// itself on the cleared grid.
bool cabeSuma(const Operandos& o, int filas, int cols);
void disponerSuma(Form1& f, const Operandos& o);

bool cabeMultiplicacion(const std::string& a, const std::string& b, int filas, int cols);
void disponerMultiplicacion(Form1& f, const std::string& a, const std::string& b);
void etapaSuma(Form1& f);

bool cabeDivision(const std::string& a, const std::string& b, int filas, int cols);
void disponerDivision(Form1& f, const Operandos& o, const std::string& a, const std::string& b);

bool cabeFactores(const std::string& numero, int filas, int cols);
void disponerFactores(Form1& f, const std::string& numero);

bool cabeRaiz(const std::string& radicando, int filas, int cols);
void disponerRaiz(Form1& f, const std::string& radicando);

} // namespace renglero::disposicion
