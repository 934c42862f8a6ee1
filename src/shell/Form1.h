#pragma once
// The notebook window as data: its window-wide state, its three grids, each
// control as a small record, and every procedure of the notebook. The
// procedures are defined in the folder of their subsystem.
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "grid/Cuadricula.h"
#include "platform/Plataforma.h"
#include "shell/Controles.h"
#include "shell/anuncios.h"
#include "word/Word.h"

namespace renglero {

class Form1 {
  public:
    explicit Form1(Plataforma& plataforma);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // ---- What the doors deliver -------------------------------------------
    // Creation and load: the start-up sequence, up to the shown window.
    void cargar();
    // The desktop's active window changed (the door tells; the notebook's
    // own activation handler runs when it becomes the notebook).
    void activar(Ventana ventana);
    // A key press: its key down and, right behind it, its character
    // (caracter < 0: the key gives none). Both go to the control that has
    // the focus now.
    void pulsarTecla(int codigo, int shift, int caracter);
    void soltarTecla(int codigo, int shift);
    // A character alone, without key down or up.
    void teclearCaracter(int caracter);
    void tickTimer1();
    void tickTimer2();
    void clicLabel1();
    void clicLabel2();
    void clicOperar(int indice);
    void clicCommand1();
    // The pupil scrolled the notebook with its scroll bars: the view starts
    // at that row and column; the cursor stays where it is.
    void desplazarTabla(int fila, int columna);
    // The window is being closed from its system menu: the same end as
    // Pausa twice. False when the pupil kept the notebook open.
    bool cerrarVentana();
    bool finalizado() const { return finalizado_; }
    // The pupil ended it (a confirmed quit, or closing its window); not so
    // when the word processor quit.
    bool finElegido() const { return finElegido_; }
    // True while an event is being handled (a handler let pending events
    // run, or shows a message box): the state is then half-way.
    bool ocupado() const { return profundidad_ > 0 || turnos_ > 0; }

    // ---- The pupil's work, as one value ------------------------------------
    // The notebook's whole state as JSON text: the three grids cell for cell,
    // the memory line, the mode, the cursor and its direction, the laid-out
    // operation and its stepper, the formats, the window and every control
    // as shown. The desktop's state (active window, timers, the word
    // processor) is not in it.
    std::string estado() const;
    // Gives a state back, with the quit prompt and the about box closed.
    // False, and nothing changes, when the text is no such state.
    bool restaurar(const std::string& estado);
    // Something is written in the grid or kept in the memory line.
    bool hayTrabajo() const;
    // Changes whenever anything shown changes (grids, labels, panels, the
    // caption, the focus), so a front end knows when to repaint.
    unsigned long version() const;

    Plataforma& plataforma;
    // What a screen reader is told after each key, and the last text said.
    Anuncios anuncios;
    // The window's zoom step, kZoomNormal to kZoomMayor; the desktop scales
    // the window by it. False (and nothing changes) when the step does not
    // exist or the window would not fit on the screen.
    int zoom = kZoomNormal;
    bool ponerZoom(int pasos);
    // A window that grew (Texto mode, the tall grid) steps its zoom down
    // until it fits on the screen again; true when the step changed.
    bool ajustarZoom();
    // The word processor; null while none is connected.
    Word* word = nullptr;

    // ---- Grids ------------------------------------------------------------
    Cuadricula tabla;
    Cuadricula tabla1;
    Cuadricula tablae;

    // ---- The window itself (twips) ----------------------------------------
    int Left = 0, Top = 0, Width = 0, Height = 0;
    std::string Caption;
    Foco foco = Foco::tabla;
    Ventana ventanaActual = Ventana::other;

    // ---- Controls ---------------------------------------------------------
    Control Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8, Label9, Label10,
        Label11, Label12;
    Control Mensa, mensa2, Lt, Lab;
    Control Frame1, Frame2, Frame3, Frame4, Frame5, Ayuda;
    Control Ta, Teta, texr;
    Control Pic, Pic1;
    Control operar[4];
    Control Form2, Command1;
    Temporizador Timer1, Timer2;
    // The caret of the radical entry box; its text is all selected when it
    // takes the focus, so that typing replaces it.
    int texrCaret = 0;
    bool texrTodoSeleccionado = false;
    // The caret line of the help text and the first line shown.
    int lineaAyuda = 0;
    int primeraLineaAyuda = 0;

    // ---- Window-wide state ------------------------------------------------
    int modoTexto = 0;
    int ventanaRecogida = 0;
    std::string tituloBase;
    std::string tituloAyuda;
    int margenVentana = 0;
    int altoNormal = 0;
    float anchoLineaWord = 0;
    int tablaIntacta = 0;
    double instanteF11 = 0;
    long ultimaVentana = 0;
    // The document's window was in front at Timer2's last look.
    bool documentoDelante = false;
    int ultimoDocumento = 0;
    long ventanaActiva = 0;
    int enTablaWord = 0;

    std::string sentido = "d";
    int confirmar = 0;
    int saltarTecla = 0;
    int teclaAnterior = 0;
    int ultimaTecla = 0;
    int teclaPendiente = 0;
    int modoFraccion = 0;
    int colFraccion = 0;
    int filaFraccion = 0;
    int finBarra = 0;
    int altoTabla = 0;

    int colIzquierda = 195, filaSuperior = 195, colDerecha = 0, filaInferior = 0;

    std::string operacion;
    int colDivisor = 0;
    int cifrasDivisor = 0;
    int colFactores = 0;
    int colRaiz = 0;
    int bajando = 0;
    int pasoMultiplicacion = 0;
    int largoMultiplicando = 0;
    int largoMultiplicador = 0;
    // The last quotient line found left of the factor bar; kept between
    // Enters of a decomposition (and across operations).
    struct DatosDescompos {
        int fila = 0;
        int columna = 0;
    } datosDescompos;
    int filaGuardada = 0, colGuardada = 0;

    int fuenteSimbolo = 0, fuenteSubindice = 0, fuenteSuperindice = 0, fuenteNegrita = 0,
        fuenteCursiva = 0, fuenteSubrayado = 0, fuenteTachado = 0;
    int colorActual = 0;
    int filaInicioFormato = -1, colInicioFormato = -1;
    int lineasRaiz = 0;
    std::string indiceRaiz;

    // ---- Texts ------------------------------------------------------------
    static const std::vector<std::string>& lineasAyuda();
    static const std::string& textoSalir();

    // ---- Shell: start-up, window keys, sizes, help ------------------------
    void Form_Load();
    void Form_Activate();
    void Form_Resize();
    void Form_KeyDown(int& KeyCode, int Shift);
    void Form_KeyPress(int& KeyAscii);
    bool caracterDescartado();
    void alternarTamano();
    void vaciarMemoria();
    void recoger();
    void alternarModo();
    // The end the pupil chose (Pausa twice, the window's close box): the
    // word processor's cell mark goes and the desktop closes the program,
    // where the embedded document may first ask whether to save its
    // changes. False when the pupil kept it open: the notebook goes on.
    bool finalizar();
    void anularAviso();
    void limpiezaWord();
    void tama();
    void moverformu();
    void ponerFrame2();
    void comprobarancho();
    void ponercolu();
    // The column count of a Texto grid for the document's line width.
    int columnasTexto() const;
    void Timer1_Timer();
    void Timer2_Timer();
    void Ta_KeyDown(int& KeyCode, int Shift);
    void Ta_KeyPress(int& KeyAscii);
    void imprimirAyuda();
    void mostrarForm2();
    void cerrarForm2();
    void ponerTitulo();

    // ---- Grid: primitives, keys, typing, line editing, memory -------------
    void acotar();
    void rellenar();
    void fucero();
    void cambiarsentido();
    void tabla_KeyDown(int& KeyCode, int Shift);
    void tabla_KeyUp(int& KeyCode, int Shift);
    void tabla_KeyPress(int& KeyAscii);
    void tabla_EnterCell();
    void tabla_LeaveCell();
    void tabla_RowColChange();
    void tabla_GotFocus();
    void escribirCaracter(int caracter);
    void tablaEscrita();
    bool borrarEnTexto(int& KeyCode);
    bool teclaDeTexto(int& KeyCode);
    void pedirConfirmacion(int KeyCode);
    void ejecutarComando(int KeyCode);
    void alternarConfirmar();
    void suprimirConDivision();
    void empezarFraccion();
    void alternarNumeradorDenominador();
    void aplicarLetraDeFormato(int caracter);
    bool hayComaEnLaFila();
    bool insertarPerderiaCelda() const;
    bool suprimirPisariaCelda() const;
    void intro();
    void seguirCursor();
    void cambiardefila();
    void terminarFraccion();
    void indicacionesFraccion(bool visibles);
    void moverCelda(int fila, int desde, int hacia, bool primerCaracter);
    void blanquearCelda();
    void lineaSuperiorRaiz();
    void insertar();
    void suprimir();
    void borrar();
    void borrarAtras();
    void ponermemo1();
    void recuperarmemo1();
    void resaltar();
    void eliminarresalte();

    // ---- Layouts ----------------------------------------------------------
    void raya();
    void ponerraya();
    void colocaroperadores();
    void cambiarmulti();
    void cambiardivi();
    void bajarnumero();
    void cambiarraiz();
    void cambiardes();

    // ---- Typography -------------------------------------------------------
    void tipoletra();
    void copiarfuente();
    void ponercolor();
    void quitalabel();
    void rayaq();
    void raizcuadrada();
    void texr_KeyDown(int& KeyCode, int Shift);
    void texr_KeyPress(int& KeyAscii);
    void ponerespeciales();
    void especiales();
    void tablae_KeyUp(int& KeyCode, int Shift);
    void tablae_KeyPress(int& KeyAscii);

    // ---- Word -------------------------------------------------------------
    void comprobarword();
    bool engancharClase1();
    void mirarcuadricula();
    void enviarAlt();
    void enviar();
    std::vector<FormatoCaracter> formatosDelBloque();
    void vercuadrotablas();
    void Teta_KeyDown(int& KeyCode, int Shift);
    void Teta_KeyPress(int& KeyAscii);
    void comandoTeclaTablas(int KeyCode);
    void comandoCaracterTablas(int KeyAscii);
    void insertartabla();
    void insertarfila();
    void agregarATabla(bool columna);
    void insertarcolumna();
    void quitarDeTabla(bool columna, const char* pregunta);
    void eliminarfila();
    void eliminarcolumna();
    void eliminarTabla();
    void borrarCelda();
    void ajustaranchotabla();
    void marcarCelda(bool marcada);
    // The word processor, or an ErrorWord when none is connected (of kind
    // arrancando while it is still being joined or started).
    Word& procesador();
    // The door joins or starts the word processor away from the window's
    // thread: until it tells the outcome, the notebook works without it.
    void esperarProcesador();
    // It answered.
    void procesadorListo(Word& w);
    // None answered: the notebook goes on with `sustituto`, after saying so
    // where the word processor is not installed.
    void procesadorAusente(Word& sustituto, bool noInstalado);
    bool procesadorArrancando() const { return word == nullptr && arrancandoProcesador_; }
    // Tells the pupil that the word processor is still starting, if it is.
    bool avisarSiArranca();
    void avisarArranque();
    // A failure because the word processor cannot be reached now (starting,
    // not answering, gone), which the pupil is told (avisarInalcanzable,
    // true when it was one of those; a gone one is started again the second
    // time).
    static bool inalcanzable(const ErrorWord& e);
    bool avisarInalcanzable(const ErrorWord& e);
    // A word processor's application event, queued to run between the
    // window's own events.
    enum class EventoWord {
        antesDeCerrar,
        cambioDeDocumento,
        documentoAbierto,
        salir,
        activada,
        desactivada,
        seleccion
    };
    void eventoWord(EventoWord e);
    void App_Event(EventoWord e);
    // Runs what is queued (keys posted, word processor events).
    void procesarPendientes() { bombear(); }
    std::string filasTablaNueva = "0", columnasTablaNueva = "0";
    std::string lineaEstadoGuardada;

    // ---- Events of the window's queue -------------------------------------
    // Lets pending events run once: what is queued is delivered now.
    void dejarCorrerEventos();
    // A keystroke the notebook posts to itself; it goes to the control that
    // has the focus when it is delivered.
    void postearCaracter(int caracter);
    // A whole keystroke the notebook posts to itself: key down, its
    // character (none when negative) and key up.
    void postearTecla(int codigo, int shift, int caracter);
    // Drops the character of the key whose key down is being handled.
    void descartarCaracterPropio();
    // The same, but only for the control: the window's own character
    // handler still sees it (M and Ç act after a discarded key, as H does).
    void descartarCaracterEnControl();
    // True when the key whose key down is being handled has a character queued.
    bool tieneCaracterPropio() const;
    void darFoco(Foco f);
    // True while the key up being handled is a Ctrl tapped alone (not the
    // Ctrl of a chord such as Ctrl+C).
    bool ctrlSoltadoSolo() const { return ctrlSoltadoSolo_; }
    Respuesta mensaje(const std::string& texto, const std::string& titulo = "",
                      Botones botones = Botones::OK, Icono icono = Icono::ninguno);

  private:
    enum class TipoEvento { abajo, caracter, arriba, word };
    struct Evento {
        TipoEvento tipo;
        int codigo;
        int shift;
        bool conDestino; // false: goes to the focus at delivery
        Foco destino;
        std::uint64_t tecla;      // the key press it belongs to (0: posted)
        bool soloVentana = false; // a character the control discards
    };
    void encolar(const Evento& e);
    bool esCaracterPropio(const Evento& e) const;
    void entregar(Evento e);
    void bombear();
    // Runs one event from the door; what was held meanwhile follows it.
    template <class Accion> void turnoDePuerta(Accion accion);
    // A key or a click from the door that comes in while the door's previous
    // event is still being handled (its handler let pending events run)
    // waits, in order, until that event is done, as it would have with no
    // pass; otherwise it runs now.
    void porLaPuerta(std::function<void()> accion);
    // Drops what came in through the doors while an event was in hand.
    void descartarRetenidas();
    void clicLabel1Ahora();
    void clicOperarAhora(int indice);
    void desplazarTablaAhora(int fila, int columna);
    void pulsarTeclaAhora(int codigo, int shift, int caracter);
    void soltarTeclaAhora(int codigo, int shift);
    void teclearCaracterAhora(int caracter);
    void keyDownControl(Foco f, int& codigo, int shift);
    void keyPressControl(Foco f, int& caracter);
    void keyUpControl(Foco f, int& codigo, int shift);
    void conectarEventosTabla();

    std::deque<Evento> cola_;
    std::deque<std::function<void()>> retenidas_;
    int turnos_ = 0;
    std::uint64_t ultimaTeclaId_ = 0;
    std::uint64_t teclaEnCurso_ = 0;
    bool finalizado_ = false;
    bool finElegido_ = false;
    bool primeraActivacionHecha_ = false;
    bool ctrlSolo_ = false;
    bool clase1_ = false;
    bool arrancandoProcesador_ = false;
    bool cerradoAvisado_ = false;
    bool ctrlSoltadoSolo_ = false;
    // The key that only cancelled the quit prompt: its release is dropped.
    int teclaQueSoloAnula_ = 0;
    // True while the grid moves its cursor by its own keys (the pupil's move).
    bool movimientoDeLaTabla_ = false;
    int profundidad_ = 0;
    unsigned long versionVentana_ = 0;
};

} // namespace renglero
