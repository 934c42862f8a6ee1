#pragma once
// What the notebook says to a screen reader: what a sighted pupil sees
// happen after a key (a layout done and where to write, the next place of an
// operation, a prompt and its cancellation, the mode, the direction, a
// fraction's part, a format, the document's answer), the start, and the
// current column read with its place values. The texts are plain spoken
// Spanish: no brackets, angle brackets or colons of the labels' decoration.
// The doors only pass the texts on.
#include <string>
#include <vector>

namespace renglero {

class Form1;

// The window's zoom steps: 1 is the normal size, each step a quarter more.
inline constexpr int kZoomNormal = 1;
inline constexpr int kZoomMayor = 4;
inline constexpr double escalaZoom(int pasos) {
    return 1.0 + (pasos - 1) / 4.0;
}

// The place value of a column `k` places left of the units column
// ("unidades", "decenas", ...); right of the units, with a comma one place
// right of them, the decimal places ("décimas", ...). Empty where there is none.
std::string nombreOrden(int k, bool hayComa);

class Anuncios {
  public:
    // Around each key or click that the doors deliver: what the pupil could
    // see before, and what changed after. Nested calls count as one.
    void antes(const Form1& f);
    void despues(Form1& f, int tecla);

    // Says a text now and keeps it as the last one said.
    void anunciar(Form1& f, const std::string& texto);
    // A procedure's outcome that the window does not show (the document
    // took the block, a table was inserted): said with the rest of the key's
    // changes, after them, or at once outside a key.
    void agregar(Form1& f, const std::string& texto);
    // A message box the screen reader reads itself: kept as the last text.
    void recordar(const std::string& texto);
    const std::string& ultimo() const { return ultimo_; }

    // The first activation: the mode, the cursor's place and what to type.
    void alEmpezar(Form1& f);

    // The chords of the screen reader's keys (Ctrl held): true when the key
    // was one of them and has been handled.
    bool teclaPropia(Form1& f, int codigo, int shift);

    // The current column of `tabla`, top to bottom, with its place value.
    static std::string leerColumna(const Form1& f);
    // The place of the cursor: "fila 5, columna 23".
    static std::string lugar(const Form1& f);
    // The window's name for a screen reader, "Renglero, Cuentas", and its
    // key legend (the status line and F11), read when asked for.
    static std::string nombreVentana(const Form1& f);
    static std::string leyendaTeclas(const Form1& f);
    // A row of `tabla` as written, one character a cell (a blank or an
    // empty cell is a space): what a braille display shows of it.
    static std::string textoFila(const Form1& f, int fila);

  private:
    struct Estado {
        int modoTexto = 0;
        int confirmar = 0;
        std::string sentido;
        std::string operacion;
        std::string mensa;
        int fila = 0, col = 0, filas = 0, cols = 0;
        int altoTabla = 0;
        int bajando = 0;
        int pasoMultiplicacion = 0;
        int modoFraccion = 0;
        int filaFraccion = 0;
        bool vacia = true;
        bool ayuda = false;
        bool recogida = false;
        bool leyendaFormato = false;
        bool tablas = false;
        bool radicales = false;
        bool oscura = false;
        std::string memoria;
        std::string filaActual;
        std::string celdas; // the whole grid: whether a radical was drawn
    };
    static Estado tomar(const Form1& f);
    std::string cambios(Form1& f, const Estado& a, const Estado& d, int ultima);

    Estado antes_;
    int nivel_ = 0;
    std::vector<int> teclas_; // the keys delivered since the outermost antes
    int teclaDelAviso_ = 0;
    std::string agregados_;
    std::string ultimo_;
};

} // namespace renglero
