#pragma once
// The notebook's state as the JSON lines of the headless driver.
#include <string>

namespace renglero {

class Form1;
struct DocumentoLeido;

std::string volcadoDocumento(const DocumentoLeido& documento);

std::string volcado(const Form1& form);
// Throws ErrorCuadricula for a cell outside the grid.
std::string volcadoCelda(const Form1& form, int fila, int col);
std::string volcadoMemoria(const Form1& form);
// The text of a cell as UTF-8, through the Symbol font's encoding when the
// cell is in that font.
std::string textoCelda(const Form1& form, int fila, int col);

} // namespace renglero
