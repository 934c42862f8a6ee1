// Writer's events: document, window, selection, quitting. The listeners run
// on UNO's threads: what an event asks of LibreOffice runs on the backend's
// thread, and the handlers later on the notebook's.
#include "programa/Registro.h"
#include "writer/uno.h"

namespace renglero {

void CanalEventos::enviar(std::function<void(CanalEventos&)> f) {
    std::lock_guard<std::mutex> l(mutexPoster);
    if (!alHilo) return;
    alHilo([yo = shared_from_this(), f = std::move(f)] {
        if (yo->vivo) f(*yo);
    });
}

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

bool esDocumentoDeTexto(const Reference<uno::XInterface>& x) {
    try {
        return Reference<css::text::XTextDocument>(x, UNO_QUERY).is();
    } catch (const uno::Exception&) {
        return false;
    }
}

class OyenteDocumentos : public cppu::WeakImplHelper1<css::document::XDocumentEventListener> {
  public:
    explicit OyenteDocumentos(std::shared_ptr<CanalEventos> canal) : canal_(std::move(canal)) {}

    void SAL_CALL documentEventOccured(const css::document::DocumentEvent& ev) override {
        const OUString nombre = ev.EventName;
        const Reference<uno::XInterface> fuente = ev.Source;
        qCDebug(registroEventos) << "documento:" << aStd(nombre).c_str();
        if (nombre == "OnNew" || nombre == "OnLoad") {
            canal_->enviar([fuente](CanalEventos& c) {
                if (!esDocumentoDeTexto(fuente)) return;
                c.modeloActivo = fuente;
                c.avisar(&EventosWord::documentoAbierto);
                c.avisar(&EventosWord::cambioDeDocumento);
            });
        } else if (nombre == "OnPrepareUnload" || nombre == "OnUnload") {
            // Closing through the API brings OnUnload alone: either one, once.
            canal_->enviar([fuente](CanalEventos& c) {
                if (c.cerrado == fuente || !esDocumentoDeTexto(fuente)) return;
                c.cerrado = fuente;
                if (c.modeloActivo == fuente) c.modeloActivo.clear();
                c.avisar(&EventosWord::antesDeCerrarDocumento);
            });
        } else if (nombre == "OnFocus") {
            // Another document in front: the active document changed.
            canal_->enviar([fuente](CanalEventos& c) {
                if (c.modeloActivo == fuente || !esDocumentoDeTexto(fuente)) return;
                const bool habia = c.modeloActivo.is();
                c.modeloActivo = fuente;
                if (habia) c.avisar(&EventosWord::cambioDeDocumento);
            });
        }
    }
    void SAL_CALL disposing(const css::lang::EventObject&) override {}

  private:
    std::shared_ptr<CanalEventos> canal_;
};

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

class OyenteSeleccion : public cppu::WeakImplHelper1<css::view::XSelectionChangeListener> {
  public:
    explicit OyenteSeleccion(std::shared_ptr<CanalEventos> canal) : canal_(std::move(canal)) {}
    void SAL_CALL selectionChanged(const css::lang::EventObject&) override {
        // Several moves before the notebook looks make one event.
        if (canal_->seleccionPendiente.exchange(true)) return;
        qCDebug(registroEventos) << "selección cambiada";
        canal_->avisar(&EventosWord::cambioDeSeleccion,
                       [](CanalEventos& c) { c.seleccionPendiente = false; });
    }
    void SAL_CALL disposing(const css::lang::EventObject&) override {}

  private:
    std::shared_ptr<CanalEventos> canal_;
};

class OyenteVentana : public cppu::WeakImplHelper1<css::awt::XTopWindowListener> {
  public:
    explicit OyenteVentana(std::shared_ptr<CanalEventos> canal) : canal_(std::move(canal)) {}
    void SAL_CALL windowActivated(const css::lang::EventObject&) override {
        qCDebug(registroEventos) << "ventana de Writer activada";
        canal_->avisar(&EventosWord::ventanaActivada);
    }
    void SAL_CALL windowDeactivated(const css::lang::EventObject&) override {
        qCDebug(registroEventos) << "ventana de Writer desactivada";
        canal_->avisar(&EventosWord::ventanaDesactivada);
    }
    void SAL_CALL windowOpened(const css::lang::EventObject&) override {}
    void SAL_CALL windowClosing(const css::lang::EventObject&) override {}
    void SAL_CALL windowClosed(const css::lang::EventObject&) override {}
    void SAL_CALL windowMinimized(const css::lang::EventObject&) override {}
    void SAL_CALL windowNormalized(const css::lang::EventObject&) override {}
    void SAL_CALL disposing(const css::lang::EventObject&) override {}

  private:
    std::shared_ptr<CanalEventos> canal_;
};

} // namespace

void Writer::engancharAplicacion() {
    Estado& e = *estado_;
    auto& u = conexion_->uno();
    e.canal->salirAvisado = false;
    e.canal->modeloActivo.clear();
    e.oyenteDocumentos = new OyenteDocumentos(e.canal);
    Reference<css::document::XDocumentEventBroadcaster>(
        css::frame::theGlobalEventBroadcaster::get(u.remoto), UNO_QUERY_THROW)
        ->addDocumentEventListener(e.oyenteDocumentos);
    e.oyenteFin = new OyenteFin(e.canal);
    u.escritorio->addTerminateListener(e.oyenteFin);
    e.generacionOyentes = u.generacion;
}

void Writer::engancharSeleccion() {
    Estado& e = *estado_;
    if (!e.canal->modeloActivo.is()) e.canal->modeloActivo = e.modelo;
    e.oyenteSeleccion = new OyenteSeleccion(e.canal);
    Reference<css::view::XSelectionSupplier>(e.controlador, UNO_QUERY_THROW)
        ->addSelectionChangeListener(e.oyenteSeleccion);
    const Reference<css::frame::XFrame> marco = e.controlador->getFrame();
    if (marco.is()) e.ventana.set(marco->getContainerWindow(), UNO_QUERY);
    if (e.ventana.is()) {
        e.oyenteVentana = new OyenteVentana(e.canal);
        e.ventana->addTopWindowListener(e.oyenteVentana);
    }
}

void Writer::soltarDocumento() {
    Estado& e = *estado_;
    e.lote.reset();
    e.expansion.reset();
    e.anchosDados.clear();
    if (conexion_->conectado()) {
        try {
            if (e.controlador.is() && e.oyenteSeleccion.is())
                Reference<css::view::XSelectionSupplier>(e.controlador, UNO_QUERY_THROW)
                    ->removeSelectionChangeListener(e.oyenteSeleccion);
            if (e.ventana.is() && e.oyenteVentana.is())
                e.ventana->removeTopWindowListener(e.oyenteVentana);
        } catch (const uno::Exception&) {
        }
    }
    e.oyenteSeleccion.clear();
    e.oyenteVentana.clear();
    e.ventana.clear();
    e.vista.clear();
    e.controlador.clear();
    e.modelo.clear();
}

} // namespace renglero
