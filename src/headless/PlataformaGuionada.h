#pragma once
// The simulated desktop of the headless driver: a 1280 x 800 screen at
// 96 DPI, a clock that moves only when told, scripted answers to message
// boxes, and every visible effect written as one JSON line.
#include <deque>
#include <functional>
#include <string>

#include "platform/Plataforma.h"

namespace renglero {

class Form1;

class PlataformaGuionada : public Plataforma {
  public:
    // Where each JSON line goes.
    explicit PlataformaGuionada(std::function<void(const std::string&)> salida);
    void conectar(Form1& form) { form_ = &form; }
    // What "let pending events run" also does (the document's events).
    std::function<void()> alProcesarEventos;
    // The document window became active (true) or stopped being it (false).
    std::function<void(bool)> alActivarDocumento;

    void encolarRespuesta(Respuesta r) { respuestas_.push_back(r); }
    // The active window changes, as when the pupil clicks one.
    void activar(Ventana v);
    void pasarTiempo(int ms) { reloj_ += ms; }
    long reloj() const { return reloj_; }
    // F11 pressed (and, for a held key, kept down until released).
    void pulsarF11() {
        f11Pulsada_ = true;
        horaF11_ = horaDelDia();
    }
    void mantenerF11(bool abajo) { f11Mantenida_ = abajo; }
    bool terminado() const { return terminado_; }

    Respuesta mensaje(const std::string& texto, const std::string& titulo, Botones botones,
                      Icono icono) override;
    void pitar() override;
    void procesarEventos() override {
        if (alProcesarEventos) alProcesarEventos();
    }
    int anchoPantalla() const override { return 19200; }
    int altoPantalla() const override { return 12000; }
    int margenVentana() const override { return 30; }
    double horaDelDia() const override;
    int estadoF11() override;
    double horaPulsacionF11() const override { return horaF11_; }
    Ventana ventanaActiva() const override { return activa_; }
    void activarVentana(const std::string& titulo) override;
    void enviarTeclaAlFrente(int) override {}
    bool otraCopiaEnMarcha() const override { return false; }
    void lanzarOtraCopia() override;
    bool imprimir(const std::string& fuente, int tamano,
                  const std::vector<std::string>& lineas) override;
    void punteroOcupado(bool) override {}
    Color colorFondoSistema() const override { return rgb(255, 255, 255); }
    Color colorTituloSistema() const override { return rgb(0, 0, 0); }
    void mostrarAcercaDe() override { activar(Ventana::about); }
    bool terminar() override {
        terminado_ = true;
        return true;
    }

  private:
    std::function<void(const std::string&)> salida_;
    Form1* form_ = nullptr;
    std::deque<Respuesta> respuestas_;
    Ventana activa_ = Ventana::notebook;
    long reloj_ = 0; // milliseconds since 08:00:00
    bool f11Pulsada_ = false;
    bool f11Mantenida_ = false;
    double horaF11_ = 0;
    bool terminado_ = false;
};

} // namespace renglero
