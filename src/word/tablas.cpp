// The table manager of the document's tables.
#include "shell/Form1.h"

namespace renglero {

void Form1::vercuadrotablas() {}

void Form1::Teta_KeyDown(int& KeyCode, int Shift) {
    (void)Shift;
    (void)KeyCode;
}

void Form1::Teta_KeyPress(int& KeyAscii) { KeyAscii = 0; }

} // namespace renglero
