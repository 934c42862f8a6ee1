#pragma once

namespace renglero {

// Runs the notebook in its Qt window; returns the exit status.
int ejecutarVentana(int argc, char** argv);

} // namespace renglero
