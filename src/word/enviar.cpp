// F9: the written part of the notebook into the document.
#include "shell/Form1.h"

namespace renglero {

void Form1::enviar() {}

} // namespace renglero
