#include "qt/Aplicacion.h"

#include <QApplication>

#include "qt/PlataformaQt.h"
#include "qt/VentanaQt.h"
#include "shell/Form1.h"

namespace renglero {

CuadernoQt::CuadernoQt()
    : plataforma_(std::make_unique<PlataformaQt>()), form_(std::make_unique<Form1>(*plataforma_)),
      ventana_(std::make_unique<VentanaQt>(*form_, *plataforma_)) {}

CuadernoQt::~CuadernoQt() {
    // The window goes first: it still talks to the form while it closes.
    ventana_.reset();
    form_.reset();
}

void CuadernoQt::arrancar() {
    form_->cargar();
    ventana_->sincronizar();
    ventana_->show();
    ventana_->raise();
    ventana_->activateWindow();
    // The first activation's block runs once the window is up.
    form_->activar(Ventana::notebook);
    ventana_->setFocus();
    ventana_->sincronizar();
}

int ejecutarVentana(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Renglero"));
    CuadernoQt cuaderno;
    cuaderno.arrancar();
    if (cuaderno.form().finalizado()) return 0;
    return app.exec();
}

} // namespace renglero
