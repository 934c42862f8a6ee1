#include "qt/Aplicacion.h"

#include <QApplication>
#include <QScreen>

#include "qt/PlataformaQt.h"
#include "qt/VentanaQt.h"
#include "shell/Form1.h"
#include "word/propio/DocumentoPropio.h"
#include "word/propio/VentanaDocumento.h"

namespace renglero {

CuadernoQt::CuadernoQt()
    : plataforma_(std::make_unique<PlataformaQt>()), form_(std::make_unique<Form1>(*plataforma_)),
      documento_(std::make_unique<DocumentoPropio>()),
      ventanaDocumento_(std::make_unique<VentanaDocumento>(*documento_)),
      ventana_(std::make_unique<VentanaQt>(*form_, *plataforma_)) {
    form_->word = documento_.get();
    ventana_->conocerDocumento(ventanaDocumento_.get());
    plataforma_->alActivarWord = [this] {
        if (!documento_->enMarcha()) return;
        ventanaDocumento_->show();
        ventanaDocumento_->raise();
        ventanaDocumento_->activateWindow();
    };
}

CuadernoQt::~CuadernoQt() {
    // The windows go first: they still talk to the form while they close.
    ventana_.reset();
    ventanaDocumento_.reset();
    form_.reset();
}

void CuadernoQt::arrancar() {
    // The document fills the screen's left part; the notebook stays on top
    // at the bottom right.
    if (const QScreen* pantalla = QGuiApplication::primaryScreen()) {
        const QRect zona = pantalla->availableGeometry();
        ventanaDocumento_->setGeometry(zona.left() + 20, zona.top() + 40, zona.width() * 3 / 5,
                                       zona.height() - 80);
    }
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
