#pragma once
// The notebook's words as a screen reader says them: a label's text without
// its decoration, the fixed texts said for the format legend and the table
// manager, the format a letter gave.
#include <string>
#include <vector>

namespace renglero {

// A label's text as it is read aloud: "[ Esc ] = Borrar la tabla del
// <Renglero>." is "Esc, Borrar la tabla del Renglero."; line breaks and runs
// of spaces between the keys of a legend end a sentence.
std::string sinDecoracion(const std::string& texto);

// Adds a sentence to a text, a space between them.
void sumarFrase(std::string& texto, const std::string& parte);

// The format legend and the table manager's instructions, as they are said.
extern const char* const kLeyendaFormatoHablada;
extern const char* const kInstruccionesTablasHabladas;

// The format that a letter after a Ctrl tap gave ("Superíndice."), among
// the keys of one turn, or "Formato anulado.".
std::string formatoElegido(const std::vector<int>& teclas);

} // namespace renglero
