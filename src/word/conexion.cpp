// The connection to the word processor, its application events (the sink
// Class1), the grid-line indicator and the mark on the document's cell.
#include "shell/Form1.h"
#include "shell/omitir.h"

namespace renglero {

namespace {

const char* const kNoInstalado = "No se encuentra la aplicación soffice. Posiblemente el programa "
                                 "LibreOffice Writer no está instalado.";
const char* const kArrancando = "LibreOffice Writer todavía se está iniciando. Inténtalo de "
                                "nuevo dentro de un momento.";
const char* const kNoResponde = "LibreOffice Writer no responde.";
const char* const kCerrado = "LibreOffice Writer se ha cerrado.";

} // namespace

Word& Form1::procesador() {
    if (word == nullptr) {
        if (arrancandoProcesador_)
            throw ErrorWord(ErrorWord::Tipo::arrancando, "el procesador de textos se inicia");
        throw ErrorWord(ErrorWord::Tipo::otro, "sin procesador de textos");
    }
    return *word;
}

void Form1::comprobarword() {
    if (word == nullptr) return; // none yet, or the door brings none
    try {
        procesador().mostrarAplicacion();
        dejarCorrerEventos();
    } catch (const ErrorWord& e) {
        // Starting, not answering or gone is said when the pupil asks for it.
        if (e.tipo() == ErrorWord::Tipo::otro || e.tipo() == ErrorWord::Tipo::sinDocumento)
            mensaje(kNoInstalado);
    }
}

// The word processor is joined or started away from the window's thread, so
// that the window is there at once; meanwhile its calls fail as "starting".
void Form1::esperarProcesador() {
    word = nullptr;
    arrancandoProcesador_ = true;
}

void Form1::procesadorListo(Word& w) {
    arrancandoProcesador_ = false;
    word = &w;
    comprobarword();
}

void Form1::procesadorAusente(Word& sustituto, bool noInstalado) {
    arrancandoProcesador_ = false;
    word = &sustituto;
    if (noInstalado) mensaje(kNoInstalado);
    comprobarword();
}

bool Form1::avisarSiArranca() {
    if (!procesadorArrancando()) return false;
    avisarArranque();
    return true;
}

void Form1::avisarArranque() {
    mensaje(kArrancando);
}

bool Form1::inalcanzable(const ErrorWord& e) {
    return e.tipo() == ErrorWord::Tipo::arrancando || e.tipo() == ErrorWord::Tipo::noResponde ||
           e.tipo() == ErrorWord::Tipo::cerrado;
}

// A word processor that is starting, does not answer or has gone is said so
// to the pupil who asked something of it. One that has gone is started again
// by the next thing the pupil asks of it: the first one only tells, so that
// a word processor closed on purpose does not come back unasked.
bool Form1::avisarInalcanzable(const ErrorWord& e) {
    switch (e.tipo()) {
    case ErrorWord::Tipo::arrancando:
        avisarArranque();
        return true;
    case ErrorWord::Tipo::noResponde:
        // What the pupil typed while the window waited went against a
        // window that did not answer: it is dropped, not run blind after
        // the message.
        descartarRetenidas();
        mensaje(kNoResponde);
        return true;
    case ErrorWord::Tipo::cerrado:
        if (!cerradoAvisado_) {
            cerradoAvisado_ = true;
            mensaje(kCerrado);
        } else {
            cerradoAvisado_ = false;
            omitir<ErrorWord>([&] { procesador().mostrarAplicacion(); });
            avisarArranque();
        }
        return true;
    default:
        return false;
    }
}

bool Form1::engancharClase1() {
    if (clase1_) return true;
    try {
        EventosWord eventos;
        eventos.antesDeCerrarDocumento = [this] { eventoWord(EventoWord::antesDeCerrar); };
        eventos.cambioDeDocumento = [this] { eventoWord(EventoWord::cambioDeDocumento); };
        eventos.documentoAbierto = [this] { eventoWord(EventoWord::documentoAbierto); };
        eventos.salir = [this] { eventoWord(EventoWord::salir); };
        eventos.ventanaActivada = [this] { eventoWord(EventoWord::activada); };
        eventos.ventanaDesactivada = [this] { eventoWord(EventoWord::desactivada); };
        eventos.cambioDeSeleccion = [this] { eventoWord(EventoWord::seleccion); };
        procesador().suscribir(std::move(eventos));
        clase1_ = true;
    } catch (const ErrorWord&) {
        return false;
    }
    return true;
}

void Form1::App_Event(EventoWord e) {
    switch (e) {
    case EventoWord::antesDeCerrar:
    case EventoWord::cambioDeDocumento:
        // The mark stays with the document it was put on.
        limpiezaWord();
        ultimoDocumento = 1;
        break;
    case EventoWord::documentoAbierto:
        limpiezaWord();
        break;
    case EventoWord::salir:
        Caption = "Finalizando...";
        finalizado_ = true;
        cola_.clear();
        // The word processor has gone: nothing is left to keep.
        static_cast<void>(plataforma.terminar());
        break;
    case EventoWord::activada:
        limpiezaWord();
        dejarCorrerEventos();
        mirarcuadricula();
        break;
    case EventoWord::desactivada:
        omitir<ErrorWord>([&] { marcarCelda(true); });
        if (tablaIntacta == 1 && modoTexto == 0) Frame3.Visible = true;
        break;
    case EventoWord::seleccion:
        if (enTablaWord != 1) mirarcuadricula();
        break;
    }
}

void Form1::mirarcuadricula() {
    try {
        bool visible = false;
        if (procesador().bordeVisible(-5)) visible = true;
        if (procesador().bordeVisible(-1)) visible = true;
        dejarCorrerEventos();
        Label4.Caption = visible ? "Cuadrícula: Sí" : "Cuadrícula: No";
        dejarCorrerEventos();
    } catch (const ErrorWord&) {
    }
}

// The mark on the first cell of the document's selection: 20 % shading. It
// comes off the cell that carries it, wherever the selection is now.
void Form1::marcarCelda(bool marcada) {
    if (marcada)
        procesador().marcarCelda();
    else
        procesador().desmarcarCelda();
}

void Form1::limpiezaWord() {
    omitir<ErrorWord>([&] { marcarCelda(false); });
}

void Form1::enviarAlt() {
    dejarCorrerEventos();
    const Ventana v = plataforma.ventanaActiva();
    ventanaActiva = (v == Ventana::notebook || v == Ventana::about) ? 1 : 0;
    if (ventanaActiva > 0) plataforma.enviarTeclaAlFrente(0);
}

} // namespace renglero
