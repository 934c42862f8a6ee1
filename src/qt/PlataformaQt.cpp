#include "qt/PlataformaQt.h"

#include <QApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTime>
#include <cmath>

#include "programa/Registro.h"
#include "qt/VentanaQt.h"
#include "qt/accesible/Accesible.h"

namespace renglero {

namespace {

double puntosPorPulgada() {
    const QScreen* pantalla = QGuiApplication::primaryScreen();
    return pantalla != nullptr ? pantalla->logicalDotsPerInchX() : 96.0;
}

int aTwips(int pixeles) {
    return static_cast<int>(std::lround(pixeles * 1440.0 / puntosPorPulgada()));
}

Color aColor(const QColor& c) {
    return rgb(c.red(), c.green(), c.blue());
}

QString nombreServidor() {
    QString usuario = qEnvironmentVariable("USER");
    if (usuario.isEmpty()) usuario = qEnvironmentVariable("USERNAME");
    if (usuario.isEmpty()) usuario = QStringLiteral("usuario");
    return QStringLiteral("renglero-") + usuario;
}

} // namespace

// ---- The desktop ----------------------------------------------------------

PlataformaQt::PlataformaQt() = default;

PlataformaQt::~PlataformaQt() {
    if (ocupado_) QApplication::restoreOverrideCursor();
}

Respuesta PlataformaQt::mensaje(const std::string& texto, const std::string& titulo,
                                Botones botones, Icono icono) {
    if (contestador_) return contestador_(texto, titulo, botones);
    QString cuerpo = QString::fromStdString(texto);
    cuerpo.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    cuerpo.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    qCDebug(registroMensajes).noquote() << "mensaje:" << cuerpo;
    QMessageBox caja(ventana_);
    caja.setWindowTitle(QString::fromStdString(titulo));
    caja.setText(cuerpo);
    caja.setIcon(icono == Icono::pregunta ? QMessageBox::Question : QMessageBox::NoIcon);
    // Over the notebook, which stays on top of everything.
    caja.setWindowFlags(caja.windowFlags() | Qt::WindowStaysOnTopHint);
    QPushButton* primero = nullptr;
    QPushButton* segundo = nullptr;
    switch (botones) {
    case Botones::OK:
        primero = caja.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole);
        caja.setEscapeButton(primero);
        break;
    case Botones::OKCancel:
        primero = caja.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole);
        segundo = caja.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
        caja.setEscapeButton(segundo);
        break;
    case Botones::YesNo:
        primero = caja.addButton(QStringLiteral("Sí"), QMessageBox::YesRole);
        segundo = caja.addButton(QStringLiteral("No"), QMessageBox::NoRole);
        caja.setEscapeButton(segundo);
        break;
    }
    caja.setDefaultButton(primero);
    // From the click on the box is closing, and the keyboard comes back only
    // once it has gone: a look in between finds no other window in front.
    QObject::connect(&caja, &QMessageBox::buttonClicked,
                     [this] { cajaCerrada_ = std::chrono::steady_clock::now(); });
    // The grid the message speaks of is shown as it stands.
    if (ventana_ != nullptr) ventana_->sincronizar();
    caja.exec();
    cajaCerrada_ = std::chrono::steady_clock::now();
    const bool afirmativa = caja.clickedButton() == primero;
    switch (botones) {
    case Botones::OK:
        return Respuesta::OK;
    case Botones::OKCancel:
        return afirmativa ? Respuesta::OK : Respuesta::Cancel;
    case Botones::YesNo:
        return afirmativa ? Respuesta::Yes : Respuesta::No;
    }
    return Respuesta::OK;
}

void PlataformaQt::pitar() {
    QApplication::beep();
}

void PlataformaQt::procesarEventos() {
    // The pass repaints what the form shows now (a label a long command
    // just put up), before it runs what is queued.
    if (ventana_ != nullptr) ventana_->sincronizar();
    QCoreApplication::processEvents();
}

int PlataformaQt::anchoPantalla() const {
    const QScreen* pantalla = QGuiApplication::primaryScreen();
    return aTwips(pantalla != nullptr ? pantalla->geometry().width() : 1024);
}

int PlataformaQt::altoPantalla() const {
    const QScreen* pantalla = QGuiApplication::primaryScreen();
    return aTwips(pantalla != nullptr ? pantalla->geometry().height() : 768);
}

int PlataformaQt::margenVentana() const {
    if (ventana_ != nullptr && ventana_->isVisible())
        return aTwips(ventana_->frameGeometry().height() - ventana_->geometry().height());
    // Not shown yet: what the style gives a title bar and its frame.
    const QStyle* estilo = QApplication::style();
    const int titulo = estilo->pixelMetric(QStyle::PM_TitleBarHeight);
    const int marco = estilo->pixelMetric(QStyle::PM_DefaultFrameWidth);
    return aTwips(titulo + 2 * marco);
}

double PlataformaQt::horaDelDia() const {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

Ventana PlataformaQt::ventanaActiva() const {
    if (ventana_ == nullptr) return Ventana::other;
    const Ventana v = ventanaSegunEscritorio();
    // The notebook's own box has just closed and the desktop has not given
    // the keyboard back yet: no other application came in front.
    if (v == Ventana::other && std::chrono::steady_clock::now() - cajaCerrada_ < kTrasCaja)
        return Ventana::notebook;
    return v;
}

Ventana PlataformaQt::ventanaSegunEscritorio() const {
    // Where the desktop says which window is active, its word holds: a
    // window that asked for the keyboard and was refused is not active,
    // whatever Qt was told.
    const std::optional<unsigned long> segunEscritorio = ventanaActivaX11();
    if (!segunEscritorio) return ventanaSegunQt();
    if (*segunEscritorio != 0 &&
        pidVentanaX11(*segunEscritorio) == QCoreApplication::applicationPid())
        return ventanaSegunQt();
    if (esVentanaWord && *segunEscritorio != 0 && esVentanaWord(*segunEscritorio))
        return Ventana::word;
    return Ventana::other;
}

Ventana PlataformaQt::ventanaSegunQt() const {
    const QWidget* activa = QApplication::activeWindow();
    if (activa == nullptr) {
        // A dialog that the desktop shows in its own native window (a file
        // or print dialog) is no Qt window, but it is still ours.
        const QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal->testAttribute(Qt::WA_DontShowOnScreen)) activa = modal;
    }
    return ventana_->ventanaDe(activa);
}

void PlataformaQt::activarVentana(const std::string& titulo) {
    if (titulo == "Word") {
        if (alActivarWord) alActivarWord();
        return;
    }
    const QString buscado = QString::fromStdString(titulo);
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->windowTitle() == buscado) {
            traerAlFrente(w, instanteAccion());
            return;
        }
    }
}

void PlataformaQt::traerAlFrente(QWidget* w, std::uint32_t instante) {
    w->raise();
    // A request of the window's own would be refused while another program
    // has had the keyboard since.
    if (!activador_.activar(ventanaGestionadaX11(w->winId()), instante)) w->activateWindow();
}

bool PlataformaQt::otraCopiaEnMarcha() const {
    if (otraCopia_ >= 0) return otraCopia_ == 1;
    const QString nombre = nombreServidor();
    servidor_ = std::make_unique<QLocalServer>();
    servidor_->setSocketOptions(QLocalServer::UserAccessOption);
    bool escuchando = servidor_->listen(nombre);
    if (!escuchando && servidor_->serverError() == QAbstractSocket::AddressInUseError) {
        // The name may be left over from a copy that ended badly: it counts
        // only if somebody answers there.
        QLocalSocket sonda;
        sonda.connectToServer(nombre);
        if (sonda.waitForConnected(500)) {
            sonda.disconnectFromServer();
            otraCopia_ = 1;
            servidor_.reset();
            return true;
        }
        QLocalServer::removeServer(nombre);
        escuchando = servidor_->listen(nombre);
    }
    if (!escuchando) servidor_.reset();
    otraCopia_ = 0;
    return false;
}

void PlataformaQt::lanzarOtraCopia() {
    QProcess::startDetached(QCoreApplication::applicationFilePath(), {});
}

bool PlataformaQt::imprimir(const std::string& fuente, int tamano,
                            const std::vector<std::string>& lineas) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return false;
    QPrinter impresora(info);
    impresora.setDocName(QStringLiteral("Renglero"));
    QPainter p;
    if (!p.begin(&impresora)) return false;
    QFont f(QString::fromStdString(fuente));
    f.setPointSize(tamano);
    p.setFont(f);
    const int alto = p.fontMetrics().lineSpacing();
    const QRect pagina = p.viewport();
    int y = 0;
    for (const std::string& linea : lineas) {
        if (y + alto > pagina.height()) {
            impresora.newPage();
            y = 0;
        }
        p.drawText(0, y + p.fontMetrics().ascent(), QString::fromStdString(linea));
        y += alto;
    }
    p.end();
    ++impresiones_;
    return true;
}

void PlataformaQt::punteroOcupado(bool ocupado) {
    if (ocupado == ocupado_) return;
    ocupado_ = ocupado;
    if (ocupado)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

Color PlataformaQt::colorFondoSistema() const {
    return aColor(QApplication::palette().color(QPalette::Base));
}

Color PlataformaQt::colorTituloSistema() const {
    return aColor(QApplication::palette().color(QPalette::Text));
}

void PlataformaQt::mostrarAcercaDe() {
    if (ventana_ != nullptr) ventana_->mostrarAcercaDe();
}

bool PlataformaQt::terminar() {
    // The program's other windows close first: the embedded document asks
    // whether to save its changes, and the pupil may keep it open.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w == ventana_ || !w->isVisible() || w->close()) continue;
        // The keyboard back to the notebook, asked as F11 asks: the desktop
        // gives it to the document as the document's dialog closes, and
        // Xfce, MATE and GNOME refuse a program's own request after that.
        if (ventana_ != nullptr) traerAlFrente(ventana_, 0);
        return false;
    }
    if (ventana_ != nullptr) ventana_->close();
    QCoreApplication::exit(0);
    return true;
}

void PlataformaQt::anunciar(const std::string& texto) {
    if (ventana_ != nullptr) anunciarAccesible(*ventana_, QString::fromStdString(texto));
}

} // namespace renglero
