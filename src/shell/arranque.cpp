// Start-up, first activation, the two modes and the end of the program.
#include <cmath>

#include "shell/Form1.h"
#include "shell/omitir.h"

namespace renglero {

namespace {

const std::string kCrLf = "\r\n";
const std::string kCr = "\r";

std::string unirLineas(const std::vector<std::string>& lineas) {
    std::string texto;
    for (std::size_t i = 0; i < lineas.size(); ++i)
        texto += (i ? kCrLf : "") + lineas[i];
    return texto;
}

// The design-time layout: positions and sizes that `tama` does not set.
void disenoInicial(Form1& f) {
    f.Label2 = {true, "", 0, 0, 7130, 240, false};
    f.Label1 = {true, "--->", 6430, 0, 500, 240, false};
    f.Label3 = {true, "-- Pulsa [ I ] para Imprimir u otra tecla para Cerrar la Ayuda. ---------",
                0,    0,
                6780, 480,
                false};
    f.Label4 = {true, "Cuadrícula: Sí", 120, 3850, 2400, 240, false};
    f.Label5 = {false, "Fracciones", 0, 0, 1000, 240, false};
    f.Label12 = {false, "", 0, 50, 1700, 240, false};
    f.Label6 = {false, "", 0, 0, 0, 0, false};
    f.Label7 = {false, "", 0, 0, 0, 0, false};
    f.Label8 = {true, "", 3600, 3850, 2400, 480, false};
    f.Label9 = {false, "", 0, 0, 0, 0, false};
    f.Label10 = {true,
                 "Teclea el índice del radical y el número de líneas de alto que abarcará. "
                 "Ejemplo: 23 indica un radical de índice 2 y que abarca  3 líneas de altura.",
                 120,
                 240,
                 5000,
                 720,
                 false};
    f.Label11 = {true, "", 120, 960, 5000, 480, false};
    f.Mensa = {true, "", 120, 240, 5160, 1000, false};
    f.Frame1 = {false, "", 800, 2000, 5400, 1300, false};
    f.Frame2 = {false, "Manejar Tablas en el documento de Word", 0, 570, 7130, 4020, false};
    f.Frame3 = {true, "", 390, 1740, 5600, 2100, false};
    f.mensa2 = {true, "", 120, 120, 5360, 1860, false};
    f.Frame4 = {false, "Radicales", 0, 0, 7130, 1500, false};
    f.texr = {true, "21", 5300, 480, 600, 300, true};
    f.Frame5 = {true, "", 0, 0, 1320, 330, false};
    f.Ayuda = {false, "Ayuda  (Pulsa una tecla para cerrar la Ayuda)", 0, 0, 0, 0, false};
    f.Ta = {true, "", 0, 0, 0, 0, true};
    f.Teta = {true, "", 120, 120, 600, 300, true};
    f.Lt = {true, "", 120, 480, 6000, 3300, false};
    f.Pic = {false, "", 0, 0, 480, 480, false};
    f.Pic1 = {false, "", 0, 0, 480, 480, false};
    const char* signos[4] = {"+", "-", "x", ":"};
    for (int i = 0; i < 4; ++i)
        f.operar[i] = {true, signos[i], i * 330, 0, 330, 330, false};
    f.Form2 = {false, "Acerca de Renglero", 0, 0, 4200, 2100, false};
    f.Lab = {true,
             "Renglero\r\nCuaderno de cuadrícula para hacer los deberes con el teclado.\r\n"
             "Cuentas y textos que pasan al procesador de textos.",
             240,
             240,
             3720,
             1200,
             false};
    f.Command1 = {true, "Aceptar", 1500, 1560, 1200, 360, true};
    f.tabla.Left = 120;
    f.tabla.Top = 240;
    f.Width = 7130;
    f.Height = 4620;
}

} // namespace

void Form1::cargar() {
    disenoInicial(*this);
    comprobarword();
    Form_Load();
}

void Form1::Form_Load() {
    margenVentana = plataforma.margenVentana();
    // The grid opens in the desktop's colours, the first of the two schemes of F8.
    tabla.BackColor = plataforma.colorFondoSistema();
    tabla.ForeColor = plataforma.colorTituloSistema();
    dejarCorrerEventos();
    tama();
    sentido = "d";
    for (int c = 0; c < tabla1.Cols(); ++c)
        tabla1.setTextMatrix(0, c, " ");
    Top = 1500;
    moverformu();
    tabla1.BackColor = colorPaleta(4);
    Ayuda.Left = tabla.Left;
    Ayuda.Top = 0;
    Ayuda.Width = tabla.Width;
    Ta.Width = Ayuda.Width;
    Label11.Caption = "[ INTRO = Aceptar ]" + kCr + "[ Esc = Cancelar ]";
    Label6.Caption = "[ R ] = Raíz   [ B ] = Subín.   [ P ] = Superín.   [ N ] = Negrita   [ C ] = "
                     "Cursiva   [ S ] = Subra.   [ - ] = Tachado   [ 1,2,3,0 ] = R,V,A,N   [ X ] "
                     "= Normal";
    Label7.Caption = "[ TAB ] = Alternar Numerador / Denominador.   [ INTRO ] = Finalizar la "
                     "fracción.";
    Label8.Caption = "[ INTRO ] = Aceptar" + kCrLf + "[ Esc ] = Cancelar";
    Label9.Top = Label2.Top;
    Label9.Left = Label2.Left;
    Label9.Height = Label2.Height;
    Label9.Caption = " El formato se inicia en la Casilla Actual.  Sitúa el cursor en la Casilla "
                     "Final y elige el formato.";
    Ta.Caption = unirLineas(lineasAyuda());
    Lt.Caption = unirLineas({"Teclea el nº de filas y el nº de columnas de la tabla (de 1 a 9).",
                             "Por ejemplo: 23 indicaría una tabla de 2 filas y 3 columnas.", "", "",
                             "", "[ A ] = Ajustar el ancho de la tabla a los márgenes.",
                             "[ B ] = Borrar el contenido de la celda en la Tabla de Word.",
                             "[ C ] = Alternar entre Tabla con o sin Cuadrícula.",
                             "[ E ] = Eliminar la Tabla de Word.",
                             "[ I ] = Igualar el ancho de las columnas de la Tabla de Word.",
                             "[ F , Q ] = Añadir/Quitar una Fila en la Tabla de Word.",
                             "[ L , W ] = Añadir/Quitar una Columna en la Tabla de Word.",
                             "[Av, Re] = Aumentar/Disminuir el Ancho de la Columna.",
                             "[Flechas] = Seleccionar celda en la tabla de Word."});
    tablae.Redraw = false;
    for (int c = 0; c <= 33 && c < tablae.Cols(); ++c) {
        tablae.setCol(c);
        tablae.setCellAlignment(3);
    }
    tablae.Redraw = true;
    ponerespeciales();
    mensa2.Caption = "Teclea los números con los que quieres operar (uno en cada fila) y pulsa el "
                     "signo de la operación que quieres realizar ( [+], [-], [*], [/] del TECLADO "
                     "NUMÉRICO, o las teclas [D] y [R] )." +
                     kCr + kCr + "[ Ç ] = Alternar entre los modos Cuentas/Texto" + kCr +
                     "[ Esc ] = Borrar la Tabla";
    Label2.Caption = "[F5] = Ayuda     [F9] = Enviar a Word     [Pausa] = Salir     [M] = Max/min";
    tituloAyuda = "  -  [F11] = Alternar Word/Renglero";
    filaInicioFormato = -1;
    colInicioFormato = -1;
    if (plataforma.otraCopiaEnMarcha()) tabla1.BackColor = colorPaleta(1);
    dejarCorrerEventos();
}

void Form1::Form_Activate() {
    if (primeraActivacionHecha_) return;
    primeraActivacionHecha_ = true;
    tablaIntacta = 1;
    Label3.Caption += kCr + "-- [Flechas]  = Desplazarse por la Ayuda.";
    darFoco(Foco::tabla);
    Label1.Caption = "--->";
    tituloBase = "Renglero  -  Confirmar: No";
    confirmar = -1;
    ponerTitulo();
    Frame1.Top = 2000;
    Frame1.Left = 800;
    Timer1.Interval = 1000;
    Timer2.Interval = 100;
    anuncios.alEmpezar(*this);
}

void Form1::ponerTitulo() {
    Caption = tituloBase + tituloAyuda;
}

void Form1::Form_Resize() {
    colocaroperadores();
}

void Form1::Timer1_Timer() {
    if (!engancharClase1()) return; // tried again on the next tick
    Timer1.Interval = 0;
}

// The mode switch itself, once the grid is known to be empty.
void Form1::alternarModo() {
    Label2.Visible = false;
    if (modoTexto == 1) {
        tabla.setCols(25);
        tabla.setRows(13);
        Frame5.Visible = true;
        Frame3.Visible = true;
        modoTexto = 0;
        Label5.Visible = false;
        modoFraccion = 0;
        Label2.Caption =
            "[F5] = Ayuda     [F9] = Enviar a Word     [Pausa] = Salir     [M] = Max/min.";
        Label1.Visible = true;
        Label7.Visible = false;
        Label12.Visible = false;
        tituloBase = confirmar == 1 ? "Renglero - Confirmar: Sí" : "Renglero - Confirmar: No";
        ponerTitulo();
    } else {
        Frame5.Visible = false;
        comprobarancho();
        // With no line width known, the width `tama` falls back to, so that the
        // memory line gets the same count.
        const int columnas = columnasTexto();
        tabla.setCols(columnas < 1 ? 58 : columnas);
        tabla.setRows(50);
        modoTexto = 1;
        Frame3.Visible = false;
        Label1.Caption = "<---";
        cambiarsentido();
        Label1.Visible = false;
        Label2.Caption = "[F5] = Ayuda     [F9] = Enviar a Word     [Pausa] = Salir     [Ctrl-M] = "
                         "Max/min     [Ctrl-T] = Tablas.     [TAB] = Activar Fracciones.";
        ponercolu();
        Label12.Visible = true;
        tituloBase = "Renglero";
        ponerTitulo();
    }
    tabla.FontBold = modoTexto == 0;
    vaciarMemoria();
    tama();
    ultimaTecla = 0;
    Label5.Left = Width - Label5.Width - 300;
    Label12.Left = Label5.Left - 600;
    Label12.Top = 50;
    Label2.Width = Width;
    Label9.Width = Width;
    Label1.Left = Width - 200 - Label1.Width - modoTexto * Label5.Width;
    Label2.Visible = true;
    dejarCorrerEventos();
}

bool Form1::finalizar() {
    limpiezaWord();
    dejarCorrerEventos();
    if (finalizado_) return true; // the word processor quit meanwhile
    // Nothing of the notebook runs while the desktop asks.
    finalizado_ = true;
    if (plataforma.terminar()) {
        finElegido_ = true;
        cola_.clear();
        return true;
    }
    finalizado_ = false;
    // The notebook is in front again, its cell mark with it.
    omitir<ErrorWord>([&] { marcarCelda(true); });
    return false;
}

bool Form1::cerrarVentana() {
    return finalizado_ || finalizar();
}

} // namespace renglero
