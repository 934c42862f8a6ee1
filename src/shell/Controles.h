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

struct Temporizador {
    int Interval = 0; // milliseconds; 0 = stopped
};

// The controls that can hold the keyboard focus.
enum class Foco { tabla, Ta, Teta, texr, tablae, Command1 };

const char* nombreFoco(Foco f);

} // namespace renglero
