// What the pupil does in Writer: documents opened, closed and brought to
// the front, the selection moved, Writer's window in front or not. The
// backend looks for it on its own thread while idle (at the selection also
// after each of its calls) and never lets LibreOffice call in: LibreOffice
// calls its listeners holding its own lock, and a reply of its that drops
// the last reference to a Writer object needs that lock too, so a remote
// listener can hang LibreOffice and the notebook for good. Only its end is
// heard as it comes.
#include <algorithm>

#include "programa/Registro.h"
#include "writer/HiloWriter.h"
#include "writer/uno.h"

namespace renglero {

void CanalEventos::avisar(std::function<void()> EventosWord::*que,
                          std::function<void(CanalEventos&)> antes) {
    std::lock_guard<std::mutex> l(mutexPoster);
    if (!poster) return;
    poster([yo = shared_from_this(), que, antes = std::move(antes)] {
        if (!yo->vivo) return;
        if (antes) antes(*yo);
        if (const std::function<void()>& f = yo->eventos.*que) f();
    });
}

void CanalEventos::salir() {
    if (salirAvisado.exchange(true)) return;
    avisar(&EventosWord::salir);
}

namespace {

// The component itself when it is a text document; none otherwise.
Reference<uno::XInterface> siEsTexto(const Reference<uno::XInterface>& x) {
    return Reference<css::text::XTextDocument>(x, UNO_QUERY).is() ? x : nullptr;
}

std::vector<Reference<uno::XInterface>>
documentosDeTexto(const Reference<css::frame::XDesktop2>& escritorio) {
    std::vector<Reference<uno::XInterface>> r;
    const Reference<css::container::XEnumeration> en =
        escritorio->getComponents()->createEnumeration();
    while (en->hasMoreElements())
        if (Reference<uno::XInterface> d =
                siEsTexto(Reference<uno::XInterface>(en->nextElement(), UNO_QUERY));
            d.is())
            r.push_back(std::move(d));
    return r;
}

bool esta(const std::vector<Reference<uno::XInterface>>& lista,
          const Reference<uno::XInterface>& x) {
    return std::ranges::find(lista, x) != lista.end();
}

// Quitting is heard: LibreOffice calls it once, at its own end.
class OyenteFin : public cppu::WeakImplHelper1<css::frame::XTerminateListener> {
  public:
    explicit OyenteFin(std::shared_ptr<CanalEventos> canal) : canal_(std::move(canal)) {}
    void SAL_CALL queryTermination(const css::lang::EventObject&) override {}
    void SAL_CALL notifyTermination(const css::lang::EventObject&) override {
        qCDebug(registroEventos) << "LibreOffice termina";
        canal_->salir();
    }
    void SAL_CALL disposing(const css::lang::EventObject&) override {}

  private:
    std::shared_ptr<CanalEventos> canal_;
};

} // namespace

void Writer::engancharAplicacion() {
    Estado& e = *estado_;
    auto& u = conexion_->uno();
    e.canal->salirAvisado = false;
    e.modeloActivo.clear();
    // What Writer has now is no news.
    e.documentosVistos = documentosDeTexto(u.escritorio);
    e.delanteVisto = siEsTexto(u.escritorio->getCurrentComponent());
    e.oyenteFin = new OyenteFin(e.canal);
    u.escritorio->addTerminateListener(e.oyenteFin);
    e.generacionOyentes = u.generacion;
    HiloWriter::cerrarAlSalir();
}

void Writer::tomarVista() {
    Estado& e = *estado_;
    e.controlador = e.modelo->getCurrentController();
    if (!e.controlador.is())
        throw ErrorWord(ErrorWord::Tipo::sinDocumento, "El documento no tiene ventana.");
    e.vista = Reference<css::text::XTextViewCursorSupplier>(e.controlador, UNO_QUERY_THROW)
                  ->getViewCursor();
    if (!e.modeloActivo.is()) e.modeloActivo = e.modelo;
    const Reference<css::frame::XFrame> marco = e.controlador->getFrame();
    if (marco.is()) e.ventana.set(marco->getContainerWindow(), UNO_QUERY);
    seleccionMovida();
    if (e.ventana.is()) e.ventanaActiva = e.ventana->isActive();
}

// A text cursor kept over the selection moves with the text, as the view's
// cursor does when the pupil types: only a move of the selection itself
// tells them apart.
bool Writer::seleccionMovida() {
    Estado& e = *estado_;
    const Reference<css::text::XText> texto = e.vista->getText();
    const bool habia = e.seleccionVista.is();
    bool movida = true;
    if (habia) {
        try {
            const Reference<css::text::XTextRangeCompare> comparar(texto, UNO_QUERY_THROW);
            movida = comparar->compareRegionStarts(e.seleccionVista.get(), e.vista.get()) != 0 ||
                     comparar->compareRegionEnds(e.seleccionVista.get(), e.vista.get()) != 0;
        } catch (const css::lang::IllegalArgumentException&) {
            // Now in another text: a cell, or out of one.
        }
    }
    if (movida) e.seleccionVista = texto->createTextCursorByRange(e.vista.get());
    return habia && movida;
}

void Writer::mirarDocumentos() {
    Estado& e = *estado_;
    CanalEventos& c = *e.canal;
    const auto& escritorio = conexion_->uno().escritorio;
    std::vector<Reference<uno::XInterface>> abiertos = documentosDeTexto(escritorio);
    for (const auto& d : e.documentosVistos)
        if (!esta(abiertos, d)) {
            qCDebug(registroEventos) << "documento cerrado";
            if (e.modeloActivo == d) e.modeloActivo.clear();
            c.avisar(&EventosWord::antesDeCerrarDocumento);
        }
    for (const auto& d : abiertos)
        if (!esta(e.documentosVistos, d)) {
            qCDebug(registroEventos) << "documento abierto";
            e.modeloActivo = d;
            c.avisar(&EventosWord::documentoAbierto);
            c.avisar(&EventosWord::cambioDeDocumento);
        }
    e.documentosVistos = std::move(abiertos);
    // Another document brought to the front; the desktop's current
    // component lags behind a new document, so only its change counts.
    const Reference<uno::XInterface> delante = siEsTexto(escritorio->getCurrentComponent());
    if (delante == e.delanteVisto) return;
    e.delanteVisto = delante;
    if (delante.is() && delante != e.modeloActivo) {
        qCDebug(registroEventos) << "otro documento delante";
        const bool habia = e.modeloActivo.is();
        e.modeloActivo = delante;
        if (habia) c.avisar(&EventosWord::cambioDeDocumento);
    }
}

void Writer::mirarVentana() {
    Estado& e = *estado_;
    if (!e.ventana.is()) return;
    const bool activa = e.ventana->isActive();
    if (e.ventanaActiva && activa != *e.ventanaActiva) {
        qCDebug(registroEventos) << (activa ? "ventana de Writer activada"
                                            : "ventana de Writer desactivada");
        e.canal->avisar(activa ? &EventosWord::ventanaActivada : &EventosWord::ventanaDesactivada);
    }
    e.ventanaActiva = activa;
}

void Writer::sondear(bool todo) noexcept {
    Estado& e = *estado_;
    if (cancelado_ || !conexion_->conectado() || e.generacionOyentes != conexion_->uno().generacion)
        return;
    try {
        if (todo) {
            mirarDocumentos();
            mirarVentana();
        }
        // The document worked on; its layout is held back during a batch.
        if (e.lote || !e.vista.is() || !seleccionMovida()) return;
        // Several moves before the notebook looks make one event.
        qCDebug(registroEventos) << "selección cambiada";
        if (!e.canal->seleccionPendiente.exchange(true))
            e.canal->avisar(&EventosWord::cambioDeSeleccion,
                            [](CanalEventos& c) { c.seleccionPendiente = false; });
    } catch (...) {
        // Writer gone, or the document: the next call says so.
    }
}

void Writer::soltarDocumento() {
    Estado& e = *estado_;
    e.lote.reset();
    e.expansion.reset();
    e.anchosDados.clear();
    e.seleccionVista.clear();
    e.ventanaActiva.reset();
    e.ventana.clear();
    e.vista.clear();
    e.controlador.clear();
    e.modelo.clear();
}

} // namespace renglero
