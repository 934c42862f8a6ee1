#pragma once
// The window's labels, frames, text boxes and buttons as plain state.
#include <string>

namespace renglero {

struct Control {
    bool Visible = false;
    std::string Caption; // the Text of a text box
    int Left = 0, Top = 0, Width = 0, Height = 0;
    bool TabStop = true;
};

// The strip a captioned frame keeps for its caption above its children, in
// twips; the children's tops count from below it.
constexpr int kAltoTituloMarco = 240;

struct Temporizador {
    int Interval = 0; // milliseconds; 0 = stopped
};

// The controls that can hold the keyboard focus.
enum class Foco { tabla, Ta, Teta, texr, tablae, Command1 };

const char* nombreFoco(Foco f);

} // namespace renglero
