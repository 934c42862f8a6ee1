#include "shell/Form1.h"
#include "platform/Teclas.h"

#include <algorithm>
#include <functional>

namespace renglero {

const char* nombreFoco(Foco f) {
    switch (f) {
    case Foco::tabla:
        return "tabla";
    case Foco::Ta:
        return "Ta";
    case Foco::Teta:
        return "Teta";
    case Foco::texr:
        return "texr";
    case Foco::tablae:
        return "tablae";
    case Foco::Command1:
        return "Command1";
    }
    return "tabla";
}

Form1::Form1(Plataforma& p)
    : plataforma(p), tabla(13, 25, "Courier New", 14.25F, true), tabla1(1, 25, "Arial", 12, true),
      tablae(1, 34, "Arial", 12, true) {
    conectarEventosTabla();
}

void Form1::conectarEventosTabla() {
    tabla.EnterCell = [this] { tabla_EnterCell(); };
    tabla.LeaveCell = [this] { tabla_LeaveCell(); };
    tabla.RowColChange = [this] { tabla_RowColChange(); };
    // The palette marks its current cell dark red and the cells it leaves green.
    tablae.EnterCell = [this] { tablae.setCellBackColor(colorPaleta(4)); };
    tablae.LeaveCell = [this] { tablae.setCellBackColor(colorPaleta(2)); };
}

namespace {

// Mixes one value into a running fingerprint.
void mezclar(std::size_t& huella, std::size_t valor) {
    huella ^= valor + 0x9e3779b97f4a7c15ULL + (huella << 6) + (huella >> 2);
}

void mezclar(std::size_t& huella, const Control& c) {
    mezclar(huella, std::hash<std::string>{}(c.Caption));
    mezclar(huella, c.Visible ? 1 : 2);
    for (int n : {c.Left, c.Top, c.Width, c.Height})
        mezclar(huella, static_cast<std::size_t>(n));
}

} // namespace

// A label or panel can change after the last event began (the end of F9
// hides its label), so the controls count by what they show, not by when.
unsigned long Form1::version() const {
    std::size_t huella = std::hash<std::string>{}(Caption);
    for (const Control* c :
         {&Label1,    &Label2,    &Label3,    &Label4,  &Label5,  &Label6, &Label7,
          &Label8,    &Label9,    &Label10,   &Label11, &Label12, &Mensa,  &mensa2,
          &Lt,        &Lab,       &Frame1,    &Frame2,  &Frame3,  &Frame4, &Frame5,
          &Ayuda,     &Ta,        &Teta,      &texr,    &Pic,     &Pic1,   &operar[0],
          &operar[1], &operar[2], &operar[3], &Form2,   &Command1})
        mezclar(huella, *c);
    for (int n : {Left, Top, Width, Height, static_cast<int>(foco), texrCaret,
                  texrTodoSeleccionado ? 1 : 0, lineaAyuda, primeraLineaAyuda})
        mezclar(huella, static_cast<std::size_t>(n));
    return versionVentana_ + tabla.version() + tabla1.version() + tablae.version() +
           static_cast<unsigned long>(huella);
}

Respuesta Form1::mensaje(const std::string& texto, const std::string& titulo, Botones botones,
                         Icono icono) {
    // The screen reader reads the box itself; the pupil may ask for it again.
    anuncios.recordar(texto);
    return plataforma.mensaje(texto, titulo.empty() ? "Renglero" : titulo, botones, icono);
}

void Form1::darFoco(Foco f) {
    bool cambia = foco != f;
    foco = f;
    if (cambia && f == Foco::texr) {
        texrTodoSeleccionado = true;
        texrCaret = static_cast<int>(texr.Caption.size());
    }
    if (cambia && f == Foco::tabla) tabla_GotFocus();
}

// ---- The queue -------------------------------------------------------------

void Form1::encolar(const Evento& e) {
    cola_.push_back(e);
}

void Form1::bombear() {
    while (!cola_.empty() && !finalizado_) {
        Evento e = cola_.front();
        cola_.pop_front();
        entregar(e);
    }
}

void Form1::dejarCorrerEventos() {
    if (finalizado_) return;
    plataforma.procesarEventos();
    bombear();
}

void Form1::postearCaracter(int caracter) {
    encolar({TipoEvento::caracter, caracter, 0, false, Foco::tabla, 0});
}

void Form1::postearTecla(int codigo, int shift, int caracter) {
    const std::uint64_t id = ++ultimaTeclaId_;
    encolar({TipoEvento::abajo, codigo, shift, false, Foco::tabla, id});
    if (caracter >= 0) encolar({TipoEvento::caracter, caracter, 0, false, Foco::tabla, id});
    encolar({TipoEvento::arriba, codigo, shift, false, Foco::tabla, 0});
}

void Form1::eventoWord(EventoWord e) {
    encolar({TipoEvento::word, static_cast<int>(e), 0, false, Foco::tabla, 0});
    // Between the window's events it runs now; inside a handler it waits for
    // the next "let pending events run".
    if (profundidad_ == 0) turnoDePuerta([&] { bombear(); });
}

// The character that the key being handled gives, waiting in the queue.
bool Form1::esCaracterPropio(const Evento& e) const {
    return e.tipo == TipoEvento::caracter && e.tecla == teclaEnCurso_ && e.tecla != 0;
}

void Form1::descartarCaracterPropio() {
    const auto it = std::find_if(cola_.begin(), cola_.end(),
                                 [this](const Evento& e) { return esCaracterPropio(e); });
    if (it != cola_.end()) cola_.erase(it);
}

void Form1::descartarCaracterEnControl() {
    const auto it = std::find_if(cola_.begin(), cola_.end(),
                                 [this](const Evento& e) { return esCaracterPropio(e); });
    if (it != cola_.end()) it->soloVentana = true;
}

bool Form1::tieneCaracterPropio() const {
    return std::any_of(cola_.begin(), cola_.end(),
                       [this](const Evento& e) { return esCaracterPropio(e); });
}

// The doors call in from the window's event loop, and a handler that lets
// pending events run lets the door call in again: a key typed meanwhile
// would be handled inside the one before it, ahead of the rest of that
// key's work. It is held instead and handled once the event in hand is done.
template <class Accion> void Form1::turnoDePuerta(Accion accion) {
    struct Turno {
        int& n;
        explicit Turno(int& p) : n(++p) {}
        ~Turno() { --n; }
    };
    {
        const Turno turno(turnos_);
        accion();
    }
    while (turnos_ == 0 && !retenidas_.empty()) {
        const std::function<void()> retenida = std::move(retenidas_.front());
        retenidas_.pop_front();
        if (finalizado_) continue;
        const Turno turno(turnos_);
        retenida();
    }
}

void Form1::descartarRetenidas() {
    retenidas_.clear();
}

void Form1::porLaPuerta(std::function<void()> accion) {
    if (finalizado_) return;
    if (turnos_ > 0) {
        retenidas_.push_back(std::move(accion));
        return;
    }
    turnoDePuerta(accion);
}

void Form1::pulsarTecla(int codigo, int shift, int caracter) {
    porLaPuerta([=, this] { pulsarTeclaAhora(codigo, shift, caracter); });
}

void Form1::soltarTecla(int codigo, int shift) {
    porLaPuerta([=, this] { soltarTeclaAhora(codigo, shift); });
}

void Form1::teclearCaracter(int caracter) {
    porLaPuerta([=, this] { teclearCaracterAhora(caracter); });
}

void Form1::clicLabel1() {
    porLaPuerta([this] {
        anuncios.antes(*this);
        clicLabel1Ahora();
        anuncios.despues(*this, 0);
    });
}

void Form1::clicLabel2() {
    porLaPuerta([this] {
        anuncios.antes(*this);
        recoger();
        anuncios.despues(*this, 0);
    });
}

void Form1::clicOperar(int indice) {
    porLaPuerta([=, this] { clicOperarAhora(indice); });
}

void Form1::clicCommand1() {
    porLaPuerta([this] { cerrarForm2(); });
}

void Form1::desplazarTabla(int fila, int columna) {
    porLaPuerta([=, this] { desplazarTablaAhora(fila, columna); });
}

void Form1::pulsarTeclaAhora(int codigo, int shift, int caracter) {
    if (finalizado_) return;
    if (ventanaActual == Ventana::about) {
        // A key on the about box's only button closes it.
        cerrarForm2();
        return;
    }
    if (ventanaActual != Ventana::notebook) return;
    if (anuncios.teclaPropia(*this, codigo, shift)) {
        ctrlSolo_ = false; // the Ctrl of a chord is no Ctrl tap
        return;
    }
    anuncios.antes(*this);
    const std::uint64_t id = ++ultimaTeclaId_;
    encolar({TipoEvento::abajo, codigo, shift, true, foco, id});
    if (caracter >= 0) encolar({TipoEvento::caracter, caracter, 0, true, foco, id});
    bombear();
    anuncios.despues(*this, codigo);
}

void Form1::soltarTeclaAhora(int codigo, int shift) {
    if (finalizado_ || ventanaActual != Ventana::notebook) return;
    anuncios.antes(*this);
    encolar({TipoEvento::arriba, codigo, shift, false, Foco::tabla, 0});
    bombear();
    anuncios.despues(*this, 0);
}

void Form1::teclearCaracterAhora(int caracter) {
    if (finalizado_ || ventanaActual != Ventana::notebook) return;
    encolar({TipoEvento::caracter, caracter, 0, true, foco, ++ultimaTeclaId_});
    bombear();
}

void Form1::entregar(Evento e) {
    ++versionVentana_;
    struct Dentro {
        int& n;
        explicit Dentro(int& p) : n(++p) {}
        ~Dentro() { --n; }
    } dentro(profundidad_);
    const Foco destino = e.conDestino ? e.destino : foco;
    const std::uint64_t anterior = teclaEnCurso_;
    teclaEnCurso_ = e.tecla;
    int codigo = e.codigo;
    switch (e.tipo) {
    case TipoEvento::abajo:
        // A Ctrl released with no other key in between is the Ctrl prefix;
        // the Ctrl of a chord is not.
        ctrlSolo_ = codigo == kCtrl;
        if (codigo != teclaQueSoloAnula_) teclaQueSoloAnula_ = 0;
        Form_KeyDown(codigo, e.shift);
        if (codigo != 0 && !finalizado_) keyDownControl(destino, codigo, e.shift);
        break;
    case TipoEvento::caracter:
        Form_KeyPress(codigo);
        if (codigo != 0 && !finalizado_ && !e.soloVentana) keyPressControl(destino, codigo);
        break;
    case TipoEvento::word:
        App_Event(static_cast<EventoWord>(codigo));
        break;
    case TipoEvento::arriba:
        ctrlSoltadoSolo_ = codigo == kCtrl && ctrlSolo_;
        if (codigo == kCtrl) ctrlSolo_ = false;
        if (codigo != 0 && codigo == teclaQueSoloAnula_) {
            teclaQueSoloAnula_ = 0;
            break;
        }
        keyUpControl(destino, codigo, e.shift);
        break;
    }
    teclaEnCurso_ = anterior;
}

void Form1::keyDownControl(Foco f, int& codigo, int shift) {
    switch (f) {
    case Foco::tabla:
        tabla_KeyDown(codigo, shift);
        if (codigo != 0 && foco == Foco::tabla) {
            movimientoDeLaTabla_ = true;
            tabla.teclaPropia(codigo);
            movimientoDeLaTabla_ = false;
        }
        break;
    case Foco::Ta:
        Ta_KeyDown(codigo, shift);
        break;
    case Foco::Teta:
        Teta_KeyDown(codigo, shift);
        break;
    case Foco::texr:
        texr_KeyDown(codigo, shift);
        break;
    case Foco::tablae:
        if (codigo != 0) tablae.teclaPropia(codigo);
        break;
    case Foco::Command1:
        cerrarForm2();
        break;
    }
}

void Form1::keyPressControl(Foco f, int& caracter) {
    switch (f) {
    case Foco::tabla:
        tabla_KeyPress(caracter);
        break;
    case Foco::Ta:
        Ta_KeyPress(caracter);
        break;
    case Foco::Teta:
        Teta_KeyPress(caracter);
        break;
    case Foco::texr:
        texr_KeyPress(caracter);
        break;
    case Foco::tablae:
        tablae_KeyPress(caracter);
        break;
    case Foco::Command1:
        break;
    }
}

void Form1::keyUpControl(Foco f, int& codigo, int shift) {
    switch (f) {
    case Foco::tabla:
        tabla_KeyUp(codigo, shift);
        break;
    case Foco::tablae:
        tablae_KeyUp(codigo, shift);
        break;
    default:
        break;
    }
}

// ---- Doors ----------------------------------------------------------------

void Form1::activar(Ventana ventana) {
    if (finalizado_) return;
    Ventana antes = ventanaActual;
    ventanaActual = ventana;
    ++versionVentana_;
    turnoDePuerta([&] {
        if (antes == Ventana::about && ventana != Ventana::about && Form2.Visible) cerrarForm2();
        if (ventana == Ventana::notebook && antes != Ventana::notebook) Form_Activate();
    });
}

void Form1::tickTimer1() {
    if (!finalizado_ && Timer1.Interval > 0) turnoDePuerta([&] { Timer1_Timer(); });
}

void Form1::tickTimer2() {
    if (!finalizado_ && Timer2.Interval > 0) turnoDePuerta([&] { Timer2_Timer(); });
}

} // namespace renglero
