#pragma once
// The notebook's Qt window: paints Form1 as it stands, hands it the keys,
// clicks, timer ticks and activations, and follows its caption, geometry and
// timers after every event.
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <string>

#include "platform/Plataforma.h"
#include "qt/TeclasQt.h"

class QScrollBar;
class QToolButton;
class QWindow;

namespace renglero {

class Form1;
class PlataformaQt;
class Cuadricula;
struct Control;

// A control's caption as shown: multi-line captions break at CR LF and at a
// lone CR.
QString textoControl(const std::string& texto);

// The about box: a small top-most window with the about text and "Aceptar".
class AcercaDeQt : public QDialog {
    Q_OBJECT
  public:
    AcercaDeQt(Form1& form, QWidget* padre);
    // Tells the notebook it must close (its button, a key, its close box).
    void pedirCierre();

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

  private:
    Form1& form_;
    bool cerrando_ = false;
};

class VentanaQt : public QWidget {
    Q_OBJECT
  public:
    VentanaQt(Form1& form, PlataformaQt& plataforma);
    // The word processor's window, told apart when it is the active one.
    void conocerDocumento(const QWidget* ventanaDocumento) { documento_ = ventanaDocumento; }
    ~VentanaQt() override;

    // Brings the window in line with the form (caption, place and size,
    // timers, buttons, about box) and repaints if anything shown changed.
    void sincronizar();
    // Shows the about box where the form placed it and activates it.
    void mostrarAcercaDe();
    // Which of the notebook's windows a desktop window is.
    Ventana ventanaDe(const QWidget* ventana) const;
    // Tells the form, if the desktop's active window changed.
    void informarActivacion();

    const Form1& form() const { return form_; }
    // The zoom the window is drawn at (1: normal size).
    double escala() const;
    int aPixeles(int twips) const;
    // A region given in twips, in the window's client pixels.
    QRect rectEn(int izquierda, int arriba, int ancho, int alto) const;
    // A cell of `tabla` in the window's client pixels (empty when scrolled out).
    QRect rectCelda(int fila, int columna) const;
    QRect rectControl(const Control& c) const;
    AcercaDeQt* acercaDe() const { return acercaDe_; }
    QToolButton* botonOperar(int i) const { return botones_[i]; }
    // The notebook's scroll bars (shown in Texto mode).
    QScrollBar* barraVertical() const { return barraV_; }
    QScrollBar* barraHorizontal() const { return barraH_; }
    QTimer& timer1() { return timer1_; }
    QTimer& timer2() { return timer2_; }
    // Paint events finished so far.
    long pintados() const { return pintados_; }

  protected:
    bool event(QEvent* evento) override;
    bool focusNextPrevChild(bool) override { return false; }
    void paintEvent(QPaintEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void keyReleaseEvent(QKeyEvent* evento) override;
    void mousePressEvent(QMouseEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

  private:
    void entregar(const std::vector<AccionTecla>& acciones);
    void seguirTemporizador(QTimer& timer, int intervalo, int& actual);
    void sincronizarBarras();
    void pintarCuadricula(QPainter& p, const Cuadricula& g, bool marcarActual, bool legible);
    void pintarEtiqueta(QPainter& p, const Control& c, QPoint origen, const QFont& fuente,
                        int alineacion, bool conFondo);
    QRect pintarMarco(QPainter& p, const Control& marco);
    void pintarAyuda(QPainter& p);
    void pintarIcono(QPainter& p, const Control& c, bool haciaArriba);

    Form1& form_;
    PlataformaQt& plataforma_;
    TraductorTeclas traductor_;
    QTimer timer1_, timer2_;
    int intervalo1_ = 0, intervalo2_ = 0;
    QToolButton* botones_[4] = {};
    QScrollBar* barraV_ = nullptr;
    QScrollBar* barraH_ = nullptr;
    QPointer<AcercaDeQt> acercaDe_;
    QRect geometriaPuesta_;
    QString tituloPuesto_;
    unsigned long versionPintada_ = ~0UL;
    long pintados_ = 0;
    const QWidget* documento_ = nullptr;
};

} // namespace renglero
