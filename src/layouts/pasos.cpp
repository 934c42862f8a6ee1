// Enter while an operation is laid out: where the written method needs the
// next figure.
#include "shell/Form1.h"

namespace renglero {

void Form1::cambiarmulti() {}
void Form1::cambiardivi() {}
void Form1::bajarnumero() {}
void Form1::cambiarraiz() {}
void Form1::cambiardes() {}

} // namespace renglero
