// The Writer backend: connection, document, selection, text and its
// formats, the page, and what the pupil does in the document.
#include "writer/Writer.h"

#include <cstdlib>
#include <filesystem>
#include <thread>

#include <osl/file.hxx>

#include "programa/Registro.h"
#include "writer/HiloWriter.h"
#include "writer/uno.h"

namespace renglero {

namespace {

ErrorWord errorOtro(const std::string& que) {
    return ErrorWord(ErrorWord::Tipo::otro, que);
}
ErrorWord errorSinDocumento(const std::string& que) {
    return ErrorWord(ErrorWord::Tipo::sinDocumento, que);
}

// The notebook's breaks as Writer's: "\r" (or "\n", "\r\n") splits the
// paragraph, "\v" is a line break inside it.
OUString textoWriter(const std::string& texto) {
    std::string t;
    t.reserve(texto.size());
    for (std::size_t i = 0; i < texto.size(); ++i) {
        const char c = texto[i];
        if (c == '\r') {
            if (i + 1 < texto.size() && texto[i + 1] == '\n') ++i;
            t += '\r';
        } else if (c == '\n') {
            t += '\r';
        } else if (c == '\v') {
            t += '\n';
        } else {
            t += c;
        }
    }
    return aOU(t);
}

// Cursor moves take a 16-bit count.
// The count is wide so that the least int can be negated.
template <class Mover> void moverPorTramos(long long n, Mover&& mover) {
    while (n > 0) {
        const int paso = static_cast<int>(std::min(n, 32767LL));
        if (!mover(static_cast<sal_Int16>(paso))) return;
        n -= paso;
    }
}

void irA(const Reference<css::text::XTextCursor>& c, int delta, bool extender) {
    if (delta >= 0) {
        if (delta == 0 && !extender) c->collapseToEnd();
        moverPorTramos(delta, [&](sal_Int16 p) { return c->goRight(p, extender); });
    } else {
        moverPorTramos(-static_cast<long long>(delta),
                       [&](sal_Int16 p) { return c->goLeft(p, extender); });
    }
}

struct Propiedades {
    uno::Sequence<OUString> nombres;
    uno::Sequence<uno::Any> valores;
};

Propiedades propiedadesDe(Atributo atributo, Color color) {
    switch (atributo) {
    case Atributo::simbolo:
        return {nombres({"CharFontName"}),
                lista({uno::Any(OUString::createFromAscii(kFuenteSignos))})};
    // The automatic raise with a 58 % height: what .docx keeps as real super-
    // and subscript.
    case Atributo::superindice:
        return {nombres({"CharEscapement", "CharEscapementHeight"}),
                lista({uno::Any(sal_Int16(14000)), uno::Any(sal_Int8(58))})};
    case Atributo::subindice:
        return {nombres({"CharEscapement", "CharEscapementHeight"}),
                lista({uno::Any(sal_Int16(-14000)), uno::Any(sal_Int8(58))})};
    case Atributo::negrita:
        return {nombres({"CharWeight"}), lista({uno::Any(css::awt::FontWeight::BOLD)})};
    case Atributo::subrayado:
        return {nombres({"CharUnderline"}), lista({uno::Any(css::awt::FontUnderline::SINGLE)})};
    case Atributo::tachado:
        return {nombres({"CharStrikeout"}), lista({uno::Any(css::awt::FontStrikeout::SINGLE)})};
    case Atributo::cursiva:
        return {nombres({"CharPosture"}), lista({uno::Any(css::awt::FontSlant_ITALIC)})};
    case Atributo::color:
        return {nombres({"CharColor"}),
                lista({uno::Any(static_cast<sal_Int32>(color & 0xFFFFFF))})};
    }
    return {};
}

void aplicar(const Reference<css::text::XTextCursor>& c, const Propiedades& p) {
    if (p.nombres.getLength() == 1) {
        Reference<css::beans::XPropertySet>(c, UNO_QUERY_THROW)
            ->setPropertyValue(p.nombres[0], p.valores[0]);
    } else {
        Reference<css::beans::XMultiPropertySet>(c, UNO_QUERY_THROW)
            ->setPropertyValues(p.nombres, p.valores);
    }
}

// A paragraph at either end of the range that is empty keeps its style's
// character formatting: Writer gives a wholly covered empty paragraph the
// range's formatting, and what the pupil types there later would take it.
void restaurarParrafosVacios(const Reference<css::text::XTextCursor>& rango,
                             const uno::Sequence<OUString>& nombres) {
    const Reference<css::text::XText> texto = rango->getText();
    for (const Reference<css::text::XTextRange>& extremo : {rango->getStart(), rango->getEnd()}) {
        const Reference<css::text::XParagraphCursor> p(texto->createTextCursorByRange(extremo),
                                                       UNO_QUERY_THROW);
        if (!p->isStartOfParagraph() || !p->isEndOfParagraph()) continue;
        const Reference<css::container::XEnumeration> en =
            Reference<css::container::XEnumerationAccess>(p, UNO_QUERY_THROW)->createEnumeration();
        if (!en->hasMoreElements()) continue;
        const Reference<css::beans::XPropertyState> estado(en->nextElement(), UNO_QUERY);
        if (!estado.is()) continue;
        for (const OUString& n : nombres)
            estado->setPropertyToDefault(n);
    }
}

Reference<css::beans::XPropertySet>
estiloDePagina(const Reference<css::text::XTextDocument>& modelo,
               const Reference<css::text::XTextRange>& donde) {
    OUString nombre;
    try {
        const Reference<css::text::XText> texto = donde.is() ? donde->getText() : nullptr;
        if (texto.is())
            Reference<css::beans::XPropertySet>(texto->createTextCursorByRange(donde),
                                                UNO_QUERY_THROW)
                ->getPropertyValue("PageStyleName") >>= nombre;
    } catch (const css::lang::DisposedException&) {
        throw;
    } catch (const uno::RuntimeException&) {
    } catch (const css::beans::UnknownPropertyException&) {
    }
    if (nombre.isEmpty()) nombre = "Standard";
    const Reference<css::container::XNameAccess> familias =
        Reference<css::style::XStyleFamiliesSupplier>(modelo, UNO_QUERY_THROW)->getStyleFamilies();
    const Reference<css::container::XNameAccess> paginas(familias->getByName("PageStyles"),
                                                         UNO_QUERY_THROW);
    return Reference<css::beans::XPropertySet>(paginas->getByName(nombre), UNO_QUERY_THROW);
}

sal_Int32 entero(const uno::Any& a) {
    sal_Int32 v = 0;
    a >>= v;
    return v;
}

// A locale's value as "es_ES.UTF-8@euro": its language and its country.
Writer::Idioma partesDeLocale(const std::string& valor) {
    const std::string sinResto = valor.substr(0, valor.find_first_of(".@"));
    const auto raya = sinResto.find('_');
    return {sinResto.substr(0, raya), raya == std::string::npos ? "" : sinResto.substr(raya + 1)};
}

// The new document's language for its whole text, where the pupil's is
// Spanish or unknown (Writer's own spell checking then reads Spanish).
void ponerIdioma(const Reference<css::text::XTextDocument>& documento) {
    const auto idioma = Writer::idiomaDelDocumento(std::getenv("LC_ALL"),
                                                   std::getenv("LC_MESSAGES"), std::getenv("LANG"));
    if (!idioma) return;
    Reference<css::beans::XPropertySet>(documento, UNO_QUERY_THROW)
        ->setPropertyValue("CharLocale",
                           uno::Any(css::lang::Locale(aOU(idioma->lengua), aOU(idioma->pais), "")));
}

// The text document Writer opens by itself at its start (the notebook starts
// it so) speaks the pupil's language as one the notebook makes does, while
// nothing is written in it; one the pupil has written in or saved keeps its
// own. The language alone does not make it a document to save.
void ponerIdiomaSiVacio(const Reference<css::text::XTextDocument>& documento) {
    if (!Reference<css::frame::XModel>(documento, UNO_QUERY_THROW)->getURL().isEmpty() ||
        !documento->getText()->getString().isEmpty())
        return;
    const Reference<css::util::XModifiable> modificable(documento, UNO_QUERY_THROW);
    const bool modificado = modificable->isModified();
    ponerIdioma(documento);
    if (!modificado) modificable->setModified(false);
}

} // namespace

std::optional<Writer::Idioma> Writer::idiomaDelDocumento(const char* lcAll, const char* lcMessages,
                                                         const char* lang) {
    std::string valor;
    for (const char* v : {lcAll, lcMessages, lang})
        if (v != nullptr && v[0] != '\0') {
            valor = v;
            break;
        }
    const Idioma partes = partesDeLocale(valor);
    if (partes.lengua.empty() || partes.lengua == "C" || partes.lengua == "POSIX")
        return Idioma{"es", "ES"};
    if (partes.lengua != "es") return std::nullopt;
    return Idioma{"es", partes.pais.empty() ? "ES" : partes.pais};
}

double anchoLineaPuntos(const Reference<css::text::XTextDocument>& modelo,
                        const Reference<css::text::XTextRange>& donde) {
    const Reference<css::beans::XPropertySet> p = estiloDePagina(modelo, donde);
    return aPuntos(entero(p->getPropertyValue("Width")) -
                   entero(p->getPropertyValue("LeftMargin")) -
                   entero(p->getPropertyValue("RightMargin")));
}

// ---- connection and document ----------------------------------------------

Writer::Writer(std::string tubo, Poster poster, bool arrancar, std::chrono::milliseconds plazo)
    : poster_(std::move(poster)), arrancar_(arrancar), plazo_(plazo),
      conexion_(std::make_unique<ConexionWriter>(std::move(tubo))),
      estado_(std::make_unique<Estado>()), hilo_(std::make_unique<HiloWriter>()) {
    estado_->canal = std::make_shared<CanalEventos>();
    estado_->canal->poster = poster_;
    // LibreOffice dying (a crash, a kill) is not the pupil quitting it: the
    // notebook goes on, and its next call says that Writer has gone.
    // Quitting arrives as the desktop's termination; the rest is looked for.
    hilo_->enReposo([this] { sondear(true); }, kCadaSondeo);
}

Writer::~Writer() {
    terminar();
}

bool Writer::terminar() {
    if (terminado_) return true;
    cancelado_ = true;
    estado_->canal->soltarPoster();
    if (!hilo_->atascado()) {
        try {
            hilo_->llamar(
                [this] {
                    try {
                        terminarLote();
                    } catch (...) {
                    }
                    soltarConexion();
                    // The listener of LibreOffice's end shares the canal and
                    // LibreOffice may release it later, on one of UNO's
                    // threads.
                    estado_->canal->vivo = false;
                },
                plazo_);
        } catch (const ErrorWord&) {
        }
    }
    if (!hilo_->terminar(plazo_)) return false;
    terminado_ = true;
    return true;
}

void Writer::soltarConexion() {
    soltarDocumento();
    soltarAplicacion();
    conexion_->desconectar();
}

void Writer::soltarAplicacion() {
    Estado& e = *estado_;
    // The bridge outlives this connection: what listens on it must go.
    if (conexion_->conectado() && e.generacionOyentes == conexion_->uno().generacion) {
        try {
            if (e.oyenteFin.is()) conexion_->uno().escritorio->removeTerminateListener(e.oyenteFin);
        } catch (const uno::Exception&) {
        }
    }
    e.oyenteFin.clear();
    e.generacionOyentes = -1;
    e.documentosVistos.clear();
    e.delanteVisto.clear();
    e.modeloActivo.clear();
}

void Writer::fallo(const std::string& que) {
    qCDebug(registroWriter) << "falla una llamada a LibreOffice:" << que.c_str();
    Estado& e = *estado_;
    // The batch's layout lock dies with the document or the connection.
    e.lote.reset();
    e.expansion.reset();
    bool vivo = false, hayDocumento = false;
    if (conexion_->conectado()) {
        try {
            auto& u = conexion_->uno();
            Reference<css::text::XTextDocument> actual(u.escritorio->getCurrentComponent(),
                                                       UNO_QUERY);
            vivo = true;
            if (!actual.is()) {
                const Reference<css::container::XEnumeration> en =
                    u.escritorio->getComponents()->createEnumeration();
                while (!hayDocumento && en->hasMoreElements())
                    hayDocumento =
                        Reference<css::text::XTextDocument>(en->nextElement(), UNO_QUERY).is();
            } else {
                hayDocumento = true;
            }
        } catch (const uno::Exception&) {
            vivo = false;
        }
    }
    if (!vivo) {
        // Writer gone (killed, crashed) in the middle of a call: the pupil
        // is told so at once.
        soltarDocumento();
        conexion_->darPorCaida();
        throw ErrorWord(ErrorWord::Tipo::cerrado, "LibreOffice se ha cerrado: " + que);
    }
    if (!hayDocumento) {
        soltarDocumento();
        throw errorSinDocumento("No hay ningún documento de Writer abierto.");
    }
    throw errorOtro(que);
}

void Writer::conectarSiHaceFalta() {
    if (conexion_->conectado()) return;
    soltarDocumento();
    // One that listens on the pipe now (another notebook started it, or it
    // came back by itself) is joined; one that was joined and is gone is
    // said to be gone.
    const bool habia = conexion_->uno().generacion > 0;
    if (conexion_->conectar()) return;
    if (habia) throw ErrorWord(ErrorWord::Tipo::cerrado, "LibreOffice se ha cerrado.");
    throw errorSinDocumento("LibreOffice no está en marcha.");
}

void Writer::adoptarConexion(std::unique_ptr<ConexionWriter> conexion) {
    auto nueva = std::make_shared<std::unique_ptr<ConexionWriter>>(std::move(conexion));
    try {
        llamar([this, nueva] {
            // The listeners go on the new connection.
            soltarConexion();
            conexion_ = std::move(*nueva);
            // The pupil's document is joined, or one made, once Writer is ready.
            arrancarEnSegundoPlano(false);
        });
    } catch (const ErrorWord&) {
        // Not answering: the connection is taken over once it does, and the
        // calls meanwhile say so.
    }
}

unsigned long Writer::ventanaDelDocumento() {
    try {
        return llamar([this]() -> unsigned long {
            terminarLote();
            documento();
            // The frame's container window, kept when the document was taken.
            const Reference<css::awt::XSystemDependentWindowPeer> par(estado_->ventana, UNO_QUERY);
            if (!par.is()) return 0;
            // LibreOffice does not check the process id it is given.
            const uno::Any asa = par->getWindowHandle(uno::Sequence<sal_Int8>(16),
                                                      css::lang::SystemDependent::SYSTEM_XWINDOW);
            css::awt::SystemDependentXWindow x;
            if (!(asa >>= x)) return 0;
            // An X11 window id has 29 bits; on Wayland the same field holds
            // a pointer to the window's surface.
            if (x.WindowHandle <= 0 || x.WindowHandle > 0x1FFFFFFF) return 0;
            return static_cast<unsigned long>(x.WindowHandle);
        });
    } catch (const ErrorWord&) {
        return 0;
    }
}

bool Writer::reconectar() {
    return llamar([this] {
        soltarConexion();
        return conexion_->conectar();
    });
}

void Writer::documento() {
    conectarSiHaceFalta();
    Estado& e = *estado_;
    auto& u = conexion_->uno();
    if (e.generacionOyentes != u.generacion) {
        soltarDocumento();
        engancharAplicacion();
    }
    // The document the pupil last had in front (a new, opened or activated
    // one): the desktop's current component lags behind a new document's
    // window for a moment.
    Reference<css::text::XTextDocument> actual(e.modeloActivo, UNO_QUERY);
    if (actual.is() && !(actual == e.modelo && e.vista.is())) {
        try {
            if (!actual->getCurrentController().is()) actual.clear();
        } catch (const css::lang::DisposedException&) {
            actual.clear();
        }
    }
    if (!actual.is()) actual.set(u.escritorio->getCurrentComponent(), UNO_QUERY);
    if (!actual.is() && e.modelo.is()) {
        // Without a window in front (headless) the last one worked on stays.
        try {
            if (e.modelo->getCurrentController().is()) actual = e.modelo;
        } catch (const css::lang::DisposedException&) {
        }
    }
    if (!actual.is()) {
        const Reference<css::container::XEnumeration> en =
            u.escritorio->getComponents()->createEnumeration();
        while (!actual.is() && en->hasMoreElements())
            actual.set(en->nextElement(), UNO_QUERY);
    }
    if (!actual.is()) {
        soltarDocumento();
        throw errorSinDocumento("No hay ningún documento de Writer abierto.");
    }
    if (actual == e.modelo && e.vista.is()) return;
    soltarDocumento();
    e.modelo = actual;
    tomarVista();
}

// ---- the formatting batch -------------------------------------------------

void Writer::prepararLote() {
    documento();
    Estado& e = *estado_;
    Estado::Lote l;
    l.cursor = e.vista->getText()->createTextCursorByRange(e.vista->getStart());
    l.largoSeleccion = puntosDeCodigo(e.vista->getString());
    // Layout waits until the batch ends: one pass instead of one per call.
    Reference<css::frame::XModel>(e.modelo, UNO_QUERY_THROW)->lockControllers();
    l.bloqueado = true;
    e.lote = std::move(l);
}

void Writer::terminarLote() {
    Estado& e = *estado_;
    if (!e.lote) return;
    const bool bloqueado = e.lote->bloqueado;
    e.lote.reset();
    if (bloqueado && e.modelo.is()) {
        try {
            Reference<css::frame::XModel>(e.modelo, UNO_QUERY_THROW)->unlockControllers();
        } catch (const uno::Exception&) {
        }
    }
}

// ---- application ----------------------------------------------------------

void Writer::mostrarAplicacion() {
    llamar([this] {
        terminarLote();
        if (!conexion_->conectado()) {
            soltarDocumento();
            if (!conexion_->conectar()) {
                if (!arrancar_) throw errorOtro("LibreOffice no está en marcha.");
                // Started, or joined, in the background: the window goes on.
                arrancarEnSegundoPlano(true);
                throw ErrorWord(ErrorWord::Tipo::arrancando, "LibreOffice Writer se inicia.");
            }
        }
        try {
            documento();
        } catch (const ErrorWord& e) {
            if (e.tipo() == ErrorWord::Tipo::sinDocumento) return; // running, no document
            throw;
        }
        const Reference<css::awt::XWindow> ventana =
            estado_->controlador->getFrame()->getContainerWindow();
        if (ventana.is()) ventana->setVisible(true);
    });
}

void Writer::arrancarEnSegundoPlano(bool arrancarLibreOffice) {
    arrancando_ = true;
    hilo_->encargar([this, arrancarLibreOffice] {
        try {
            if (arrancarLibreOffice) {
                const auto r = conexion_->conectarOArrancar(kEsperaArranque, &cancelado_);
                noInstalado_ = r == ConexionWriter::Resultado::noInstalado;
                if (r == ConexionWriter::Resultado::conectado) esperarDocumento();
            } else {
                esperarDocumento();
            }
        } catch (const uno::Exception& e) {
            qCDebug(registroWriter) << "LibreOffice falla al arrancar:" << aStd(e.Message).c_str();
        }
        arrancando_ = false;
    });
}

// The document that the pupil has in front is the one worked with; where
// Writer has none, a new one, once Writer shows its start centre: before
// that it may still be asking the pupil whether to recover the documents of
// a crash, or loading them into windows of their own, and those come first
// (a document loaded meanwhile hangs LibreOffice).
void Writer::esperarDocumento() {
    // The start centre also shows for a moment as the recovered documents
    // go to their windows: it must stay for a while.
    std::optional<std::chrono::steady_clock::time_point> centroDesde;
    while (!cancelado_ && conexion_->conectado()) {
        if (adoptarDocumentoDeTexto()) return;
        if (!muestraCentroDeInicio()) {
            centroDesde.reset();
        } else if (!centroDesde) {
            centroDesde = std::chrono::steady_clock::now();
        } else if (std::chrono::steady_clock::now() - *centroDesde > std::chrono::seconds(3)) {
            crearDocumento();
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
}

// The start centre is a window whose controller has no document; a window
// still loading one has no controller yet.
bool Writer::muestraCentroDeInicio() {
    const Reference<css::container::XIndexAccess> marcos(conexion_->uno().escritorio->getFrames(),
                                                         UNO_QUERY_THROW);
    for (sal_Int32 i = 0; i < marcos->getCount(); ++i) {
        const Reference<css::frame::XFrame> marco(marcos->getByIndex(i), UNO_QUERY);
        const Reference<css::frame::XController> c = marco.is() ? marco->getController() : nullptr;
        if (c.is() && !c->getModel().is()) return true;
    }
    return false;
}

bool Writer::adoptarDocumentoDeTexto() {
    const Reference<css::container::XEnumeration> en =
        conexion_->uno().escritorio->getComponents()->createEnumeration();
    while (en->hasMoreElements()) {
        const Reference<css::text::XTextDocument> d(en->nextElement(), UNO_QUERY);
        if (d.is() && d->getCurrentController().is()) {
            ponerIdiomaSiVacio(d);
            return true;
        }
    }
    return false;
}

void Writer::crearDocumento() {
    qCDebug(registroWriter) << "Writer no tiene documento: se abre uno nuevo";
    if (estado_->generacionOyentes != conexion_->uno().generacion) {
        soltarDocumento();
        engancharAplicacion();
    }
    // "_default": in the start centre's window, where there is one.
    const Reference<css::text::XTextDocument> nuevo(
        Reference<css::frame::XComponentLoader>(conexion_->uno().escritorio, UNO_QUERY_THROW)
            ->loadComponentFromURL("private:factory/swriter", "_default", 0,
                                   uno::Sequence<css::beans::PropertyValue>()),
        UNO_QUERY_THROW);
    ponerIdioma(nuevo);
    estado_->modeloActivo = nuevo;
}

void Writer::suscribir(EventosWord eventos) {
    estado_->canal->eventos = std::move(eventos);
    llamar([=, this] {
        terminarLote();
        try {
            documento();
        } catch (const ErrorWord& e) {
            // Attached to the application; documents are met when they come.
            if (e.tipo() != ErrorWord::Tipo::sinDocumento || !conexion_->conectado()) throw;
        }
    });
}

// ---- selection and text ---------------------------------------------------

Reference<css::text::XTextCursor> Writer::Estado::cursorSobreSeleccion() const {
    return vista->getText()->createTextCursorByRange(vista.get());
}

Reference<css::text::XTextCursor> Writer::Estado::cursorTrasSeleccion() const {
    const Reference<css::text::XTextRange> fin = vista->getEnd();
    return fin->getText()->createTextCursorByRange(fin);
}

std::string Writer::textoPrimerParrafo() {
    return llamar([=, this] {
        terminarLote();
        documento();
        Estado& e = *estado_;
        const Reference<css::text::XTextRange> inicio = e.vista->getStart();
        const Reference<css::text::XParagraphCursor> c(
            inicio->getText()->createTextCursorByRange(inicio), UNO_QUERY_THROW);
        c->gotoStartOfParagraph(false);
        c->gotoEndOfParagraph(true);
        return aStd(c->getString()) + "\r";
    });
}

void Writer::insertarTexto(const std::string& texto) {
    llamar([=, this] {
        terminarLote();
        documento();
        Estado& e = *estado_;
        // Goes after the selection: nothing the pupil wrote is replaced.
        const Reference<css::text::XTextCursor> c = e.cursorTrasSeleccion();
        // One call for the whole block; the cursor then spans the new text.
        c->setString(textoWriter(texto));
        Reference<css::view::XSelectionSupplier>(e.controlador, UNO_QUERY_THROW)
            ->select(uno::Any(Reference<css::text::XTextRange>(c, UNO_QUERY_THROW)));
        e.expansion.reset();
    });
}

void Writer::fuenteSeleccion(const std::string& nombre) {
    llamar([=, this] {
        terminarLote();
        documento();
        Estado& e = *estado_;
        const Reference<css::text::XTextCursor> c = e.cursorSobreSeleccion();
        Reference<css::beans::XPropertySet>(c, UNO_QUERY_THROW)
            ->setPropertyValue("CharFontName", uno::Any(aOU(nombre)));
        if (!c->isCollapsed()) restaurarParrafosVacios(c, nombres({"CharFontName"}));
    });
}

void Writer::formatear(int desde, int largo, Atributo atributo, Color color) {
    llamar([=, this] {
        Estado& e = *estado_;
        if (!e.lote) prepararLote();
        Estado::Lote& l = *e.lote;
        if (desde < 1 || largo < 1 || desde + largo - 1 > l.largoSeleccion)
            throw errorOtro("El carácter no está en la selección.");
        // The cursor walks from the last run to this one: two moves and one
        // property call per run.
        irA(l.cursor, desde - l.hasta, false);
        irA(l.cursor, largo, true);
        l.desde = desde;
        l.hasta = desde + largo;
        aplicar(l.cursor, propiedadesDe(atributo, color));
    });
}

void Writer::contraerSeleccion(bool alInicio) {
    llamar([=, this] {
        terminarLote();
        documento();
        if (alInicio)
            estado_->vista->collapseToStart();
        else
            estado_->vista->collapseToEnd();
        estado_->expansion.reset();
    });
}

void Writer::finIgualAInicio() {
    contraerSeleccion(true);
}

// ---- the page -------------------------------------------------------------

Pagina Writer::pagina() {
    return llamar([=, this] {
        terminarLote();
        documento();
        const Reference<css::beans::XPropertySet> p =
            estiloDePagina(estado_->modelo, estado_->vista->getStart());
        Pagina r;
        r.ancho = static_cast<float>(aPuntos(entero(p->getPropertyValue("Width"))));
        r.margenIzquierdo = static_cast<float>(aPuntos(entero(p->getPropertyValue("LeftMargin"))));
        r.margenDerecho = static_cast<float>(aPuntos(entero(p->getPropertyValue("RightMargin"))));
        return r;
    });
}

void Writer::fijarPagina(float ancho, float margenIzquierdo, float margenDerecho) {
    try {
        llamar([=, this] {
            terminarLote();
            documento();
            const Reference<css::beans::XPropertySet> p =
                estiloDePagina(estado_->modelo, estado_->vista->getStart());
            p->setPropertyValue("Width", uno::Any(aCentesimas(ancho)));
            p->setPropertyValue("LeftMargin", uno::Any(aCentesimas(margenIzquierdo)));
            p->setPropertyValue("RightMargin", uno::Any(aCentesimas(margenDerecho)));
        });
    } catch (const ErrorWord&) {
    }
}

// ---- what the pupil does --------------------------------------------------

void Writer::escribir(const std::string& texto) {
    try {
        llamar([=, this] {
            terminarLote();
            documento();
            Estado& e = *estado_;
            // Typing replaces the selection and leaves the cursor after it.
            const Reference<css::text::XTextCursor> c = e.cursorSobreSeleccion();
            c->setString(textoWriter(texto));
            e.vista->gotoRange(c->getEnd(), false);
            e.expansion.reset();
        });
    } catch (const ErrorWord&) {
    }
}

void Writer::moverCursor(int caracteres) {
    try {
        llamar([=, this] {
            terminarLote();
            documento();
            irA(estado_->vista.get(), caracteres, false);
            estado_->expansion.reset();
        });
    } catch (const ErrorWord&) {
    }
}

void Writer::cerrarDocumento() {
    try {
        llamar([=, this] {
            terminarLote();
            documento();
            const Reference<css::util::XCloseable> cerrable(estado_->modelo, UNO_QUERY_THROW);
            if (estado_->modeloActivo == estado_->modelo) estado_->modeloActivo.clear();
            soltarDocumento();
            cerrable->close(true);
            sondear(true);
        });
    } catch (const ErrorWord&) {
    }
}

void Writer::nuevoDocumento() {
    try {
        llamar([=, this] {
            terminarLote();
            conectarSiHaceFalta();
            auto& u = conexion_->uno();
            if (estado_->generacionOyentes != u.generacion) engancharAplicacion();
            const Reference<css::text::XTextDocument> nuevo(
                Reference<css::frame::XComponentLoader>(u.escritorio, UNO_QUERY_THROW)
                    ->loadComponentFromURL("private:factory/swriter", "_blank", 0,
                                           uno::Sequence<css::beans::PropertyValue>()),
                UNO_QUERY_THROW);
            ponerIdioma(nuevo);
            // The embedded document's first page and font.
            const Reference<css::container::XNameAccess> familias =
                Reference<css::style::XStyleFamiliesSupplier>(nuevo, UNO_QUERY_THROW)
                    ->getStyleFamilies();
            const Reference<css::container::XNameAccess> paginas(familias->getByName("PageStyles"),
                                                                 UNO_QUERY_THROW);
            const Reference<css::beans::XMultiPropertySet> pagina(paginas->getByName("Standard"),
                                                                  UNO_QUERY_THROW);
            pagina->setPropertyValues(
                nombres(
                    {"BottomMargin", "Height", "LeftMargin", "RightMargin", "TopMargin", "Width"}),
                lista({uno::Any(sal_Int32(2500)), uno::Any(sal_Int32(29700)),
                       uno::Any(sal_Int32(2500)), uno::Any(sal_Int32(2500)),
                       uno::Any(sal_Int32(2500)), uno::Any(sal_Int32(21000))}));
            const Reference<css::container::XNameAccess> parrafos(
                familias->getByName("ParagraphStyles"), UNO_QUERY_THROW);
            const Reference<css::beans::XMultiPropertySet> normal(parrafos->getByName("Standard"),
                                                                  UNO_QUERY_THROW);
            normal->setPropertyValues(
                nombres({"CharFontName", "CharHeight"}),
                lista({uno::Any(OUString("Times New Roman")), uno::Any(12.0f)}));
            soltarDocumento();
            // The new one is in front, before the desktop says so.
            estado_->modeloActivo = nuevo;
            estado_->modelo = nuevo;
            tomarVista();
            sondear(true);
        });
    } catch (const ErrorWord&) {
    }
}

void Writer::salir() {
    try {
        llamar([this] {
            try {
                terminarLote();
            } catch (...) {
            }
            if (!conexion_->conectado()) return;
            soltarDocumento();
            try {
                conexion_->uno().escritorio->terminate();
            } catch (const uno::Exception&) {
                // The connection may die before the answer comes back.
            }
        });
    } catch (const ErrorWord&) {
    }
}

bool Writer::guardar(const std::string& ruta) {
    try {
        return llamar([=, this] {
            terminarLote();
            documento();
            OUString url;
            const std::string absoluta = std::filesystem::absolute(ruta).string();
            if (osl::FileBase::getFileURLFromSystemPath(aOU(absoluta), url) !=
                osl::FileBase::E_None)
                return false;
            css::beans::PropertyValue filtro;
            filtro.Name = "FilterName";
            filtro.Value <<= OUString("writer8");
            Reference<css::frame::XStorable>(estado_->modelo, UNO_QUERY_THROW)
                ->storeToURL(url, lista({filtro}));
            return true;
        });
    } catch (const ErrorWord&) {
        return false;
    }
}

} // namespace renglero
