#pragma once
// The desktop as Qt gives it: message boxes, the beep, the event loop, the
// screen, the clock, the printer, other processes and the active window.
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Plataforma.h"
#include "qt/ActivacionX11.h"
#include "qt/TeclaGlobal.h"

class QLocalServer;

namespace renglero {

class VentanaQt;

class PlataformaQt : public Plataforma {
  public:
    // Answers message boxes instead of showing them (for tests).
    using Contestador =
        std::function<Respuesta(const std::string& texto, const std::string& titulo, Botones)>;

    PlataformaQt();
    ~PlataformaQt() override;
    PlataformaQt(const PlataformaQt&) = delete;
    PlataformaQt& operator=(const PlataformaQt&) = delete;

    void conectar(VentanaQt* ventana) { ventana_ = ventana; }
    // Brings the word processor's window to the front ("Word").
    std::function<void()> alActivarWord;
    // Whether a top-level X11 window (as the desktop names the active one)
    // is the word processor's.
    std::function<bool(unsigned long)> esVentanaWord;
    // Brings windows to the front and follows each request (X11).
    ActivadorX11& activador() { return activador_; }
    // The X server time of the pupil's last F11, the action that asks for
    // a window now; 0 where there is none.
    std::uint32_t instanteAccion() const { return f11_.instantePulsacion(); }
    void contestarCon(Contestador c) { contestador_ = std::move(c); }
    EstadoF11& f11() { return f11_; }
    // Raises a window of ours and asks the desktop for it as the pupil's F11
    // asks, with the X server time of the action (0: now); without X11, as
    // the window's own request.
    void traerAlFrente(QWidget* w, std::uint32_t instante);
    // How many times the default printer was asked to print.
    int impresiones() const { return impresiones_; }

    Respuesta mensaje(const std::string& texto, const std::string& titulo, Botones botones,
                      Icono icono) override;
    void pitar() override;
    void procesarEventos() override;
    int anchoPantalla() const override;
    int altoPantalla() const override;
    int margenVentana() const override;
    double horaDelDia() const override;
    int estadoF11() override { return f11_.leer(); }
    double horaPulsacionF11() const override { return f11_.horaPulsacion(); }
    Ventana ventanaActiva() const override;
    void activarVentana(const std::string& titulo) override;
    void enviarTeclaAlFrente(int) override {}
    bool otraCopiaEnMarcha() const override;
    void lanzarOtraCopia() override;
    bool imprimir(const std::string& fuente, int tamano,
                  const std::vector<std::string>& lineas) override;
    void punteroOcupado(bool ocupado) override;
    Color colorFondoSistema() const override;
    Color colorTituloSistema() const override;
    void mostrarAcercaDe() override;
    bool terminar() override;
    void anunciar(const std::string& texto) override;

  private:
    Ventana ventanaSegunEscritorio() const;
    Ventana ventanaSegunQt() const;

    VentanaQt* ventana_ = nullptr;
    ActivadorX11 activador_;
    Contestador contestador_;
    EstadoF11 f11_;
    // Held for the whole run: its name tells other copies that this one runs.
    mutable std::unique_ptr<QLocalServer> servidor_;
    mutable int otraCopia_ = -1; // -1: not asked yet
    bool ocupado_ = false;
    int impresiones_ = 0;
    // When the last message box closed: for a moment after, until the
    // desktop activates the notebook again, no window is active.
    static constexpr std::chrono::milliseconds kTrasCaja{1000};
    std::chrono::steady_clock::time_point cajaCerrada_{};
};

} // namespace renglero
