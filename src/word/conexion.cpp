// The connection to the word processor, its application events (the sink
// Class1), the grid-line indicator and the mark on the document's cell.
#include "shell/Form1.h"
#include "shell/omitir.h"

namespace renglero {

namespace {

// A word processor step whose failure is skipped.
} // namespace

Word& Form1::procesador() {
    if (word == nullptr) throw ErrorWord(ErrorWord::Tipo::otro, "sin procesador de textos");
    return *word;
}

void Form1::comprobarword() {
    if (word == nullptr) return; // the door brings no word processor
    try {
        procesador().mostrarAplicacion();
        dejarCorrerEventos();
    } catch (const ErrorWord&) {
        mensaje("No se encuentra la aplicación winword.exe. Posiblemente el programa Microsoft "
                "Word no está instalado.");
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
        ultimoDocumento = 1;
        break;
    case EventoWord::documentoAbierto:
        omitir<ErrorWord>([&] { marcarCelda(false); });
        break;
    case EventoWord::salir:
        Caption = "Finalizando...";
        finalizado_ = true;
        cola_.clear();
        plataforma.terminar();
        break;
    case EventoWord::activada:
        omitir<ErrorWord>([&] { marcarCelda(false); });
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

// The mark on the first cell of the document's selection: 20 % shading.
void Form1::marcarCelda(bool marcada) {
    procesador().sombrearPrimeraCelda(marcada ? 200 : 0);
}

void Form1::limpiezaWord() {
    omitir<ErrorWord>([&] {
        if (procesador().enTabla()) marcarCelda(false);
    });
}

void Form1::enviarAlt() {
    dejarCorrerEventos();
    const Ventana v = plataforma.ventanaActiva();
    ventanaActiva = (v == Ventana::notebook || v == Ventana::about) ? 1 : 0;
    if (ventanaActiva > 0) plataforma.enviarTeclaAlFrente(0);
}

} // namespace renglero
