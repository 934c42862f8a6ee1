#include "qt/VentanaQt.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "platform/CodigoPagina.h"
#include "programa/Opciones.h"
#include "qt/PlataformaQt.h"
#include "qt/accesible/Accesible.h"
#include "shell/Form1.h"
#include "typography/contraste.h"

namespace renglero {

namespace {

QColor aQColor(Color c) {
    return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

int luminancia(const QColor& c) {
    return (c.red() * 299 + c.green() * 587 + c.blue() * 114) / 1000;
}

Qt::Alignment alineacionCelda(int codigo, const std::string& texto) {
    const Qt::Alignment horizontal[3] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    const Qt::Alignment vertical[3] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    if (codigo >= 0 && codigo <= 8) return horizontal[codigo / 3] | vertical[codigo % 3];
    // General: numbers to the right, text to the left, both centred vertically.
    const bool numero = !texto.empty() && std::all_of(texto.begin(), texto.end(), [](char ch) {
        return (ch >= '0' && ch <= '9') || ch == ',' || ch == '.';
    });
    return (numero ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

QFont fuenteEtiqueta(bool negrita = false, int pixeles = 11) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixeles);
    f.setBold(negrita);
    return f;
}

// A zoomed window moved up and left as far as it needs to stay on its screen
// with its frame (`marco`: what the frame adds to the width and height).
QRect enPantalla(QRect r, QSize marco) {
    const QScreen* pantalla = QGuiApplication::screenAt(r.center());
    if (pantalla == nullptr) pantalla = QGuiApplication::primaryScreen();
    if (pantalla == nullptr) return r;
    const QRect libre =
        pantalla->availableGeometry().adjusted(0, 0, -marco.width(), -marco.height());
    r.moveRight(std::min(r.right(), libre.right()));
    r.moveBottom(std::min(r.bottom(), libre.bottom()));
    r.moveLeft(std::max(r.left(), libre.left()));
    r.moveTop(std::max(r.top(), libre.top()));
    return r;
}

const char* const kSignosOperar[4] = {"+", "-", "x", ":"};
const char* const kAyudasOperar[4] = {" Sumar ", " Restar ", " Multiplicar ", " Dividir "};

} // namespace

QString textoControl(const std::string& texto) {
    QString s = QString::fromStdString(texto);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

// ---- The about box ----------------------------------------------------------

AcercaDeQt::AcercaDeQt(Form1& form, QWidget* padre)
    : QDialog(padre, Qt::Dialog | Qt::WindowStaysOnTopHint), form_(form) {
    setWindowTitle(QString::fromStdString(form.Form2.Caption));
    setModal(false);
    auto* capa = new QVBoxLayout(this);
    auto* texto = new QLabel(textoControl(form.Lab.Caption), this);
    texto->setWordWrap(true);
    texto->setAlignment(Qt::AlignCenter);
    auto* boton = new QPushButton(QString::fromStdString(form.Command1.Caption), this);
    boton->setObjectName(QStringLiteral("Command1"));
    boton->setDefault(true);
    capa->addWidget(texto);
    // The version on a line of its own, under the notebook's text.
    auto* version = new QLabel(QStringLiteral("Versión ") + numeroVersion(), this);
    version->setObjectName(QStringLiteral("version"));
    version->setAlignment(Qt::AlignCenter);
    capa->addWidget(version);
    capa->addWidget(boton, 0, Qt::AlignHCenter);
    boton->installEventFilter(this);
    connect(boton, &QPushButton::clicked, this, &AcercaDeQt::pedirCierre);
    boton->setFocus();
}

void AcercaDeQt::pedirCierre() {
    if (cerrando_) return;
    cerrando_ = true;
    form_.clicCommand1();
    if (auto* v = qobject_cast<VentanaQt*>(parentWidget())) v->sincronizar();
    cerrando_ = false;
}

bool AcercaDeQt::eventFilter(QObject* objeto, QEvent* evento) {
    // Any key on "Aceptar" closes the box, as its click does.
    if (evento->type() == QEvent::KeyPress) {
        pedirCierre();
        return true;
    }
    return QDialog::eventFilter(objeto, evento);
}

void AcercaDeQt::keyPressEvent(QKeyEvent*) {
    pedirCierre();
}

void AcercaDeQt::closeEvent(QCloseEvent* evento) {
    if (form_.Form2.Visible) pedirCierre();
    evento->accept();
}

// ---- The notebook window ----------------------------------------------------

VentanaQt::VentanaQt(Form1& form, PlataformaQt& plataforma)
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint), form_(form),
      plataforma_(plataforma) {
    instalarAccesibilidad();
    // The grid's fonts by the names the notebook gives them.
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
    for (int i = 0; i < 4; ++i) {
        auto* b = new QToolButton(this);
        b->setText(QString::fromLatin1(kSignosOperar[i]));
        b->setToolTip(QString::fromLatin1(kAyudasOperar[i]));
        b->setAccessibleName(QString::fromLatin1(kAyudasOperar[i]).trimmed());
        // The keyboard stays with the notebook window.
        b->setFocusPolicy(Qt::NoFocus);
        b->setFont(fuenteEtiqueta(true, 13));
        b->hide();
        connect(b, &QToolButton::clicked, this, [this, i] {
            form_.clicOperar(i);
            setFocus();
            sincronizar();
        });
        botones_[i] = b;
    }
    // The notebook's scroll bars: the grid's view in step, the pupil's click
    // scrolls it.
    barraV_ = new QScrollBar(Qt::Vertical, this);
    barraH_ = new QScrollBar(Qt::Horizontal, this);
    for (QScrollBar* b : {barraV_, barraH_}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->hide();
    }
    connect(barraV_, &QScrollBar::valueChanged, this, [this](int fila) {
        form_.desplazarTabla(fila, form_.tabla.LeftCol());
        sincronizar();
    });
    connect(barraH_, &QScrollBar::valueChanged, this, [this](int columna) {
        form_.desplazarTabla(form_.tabla.TopRow(), columna);
        sincronizar();
    });
    connect(&timer1_, &QTimer::timeout, this, [this] {
        form_.tickTimer1();
        sincronizar();
    });
    connect(&timer2_, &QTimer::timeout, this, [this] {
        form_.tickTimer2();
        // The desktop may say which window is active a moment after Qt
        // heard of it: the tick looks again.
        informarActivacion();
    });
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this] { informarActivacion(); });
    // Whatever the form handled last (a word processor's event queued on the
    // loop, a tick, a key) is painted before the loop waits again.
    if (auto* bucle = QAbstractEventDispatcher::instance(thread()))
        connect(bucle, &QAbstractEventDispatcher::aboutToBlock, this, &VentanaQt::sincronizar);
    plataforma_.conectar(this);
}

VentanaQt::~VentanaQt() {
    plataforma_.conectar(nullptr);
    delete acercaDe_;
}

int VentanaQt::aPixeles(int twips) const {
    const QScreen* pantalla = QGuiApplication::primaryScreen();
    const double ppp = pantalla != nullptr ? pantalla->logicalDotsPerInchX() : 96.0;
    return static_cast<int>(std::lround(twips * ppp / 1440.0));
}

double VentanaQt::escala() const {
    return escalaZoom(form_.zoom);
}

QRect VentanaQt::rectEn(int izquierda, int arriba, int ancho, int alto) const {
    const int x0 = aPixeles(izquierda), y0 = aPixeles(arriba);
    return QRect(x0, y0, aPixeles(izquierda + ancho) - x0, aPixeles(arriba + alto) - y0);
}

QRect VentanaQt::rectControl(const Control& c) const {
    return rectEn(c.Left, c.Top, c.Width, c.Height);
}

QRect VentanaQt::rectCelda(int fila, int columna) const {
    const Cuadricula& g = form_.tabla;
    int x = 0, y = 0;
    if (!g.origenEnVista(fila, columna, x, y)) return {};
    const QRect celda = rectEn(g.Left + x, g.Top + y, g.ColWidth(columna), g.RowHeight(fila));
    return celda.intersected(rectEn(g.Left, g.Top, g.anchoVisible(), g.altoVisible()));
}

Ventana VentanaQt::ventanaDe(const QWidget* ventana) const {
    if (ventana == nullptr) return Ventana::other;
    if (acercaDe_ != nullptr && ventana == acercaDe_.data()) return Ventana::about;
    // A message box or dialog belongs to the window that opened it: the
    // notebook's keep the notebook in front, the document's the document.
    for (const QWidget* w = ventana; w != nullptr; w = w->parentWidget()) {
        if (w == this) return Ventana::notebook;
        if (documento_ != nullptr && w == documento_) return Ventana::word;
    }
    return Ventana::other;
}

void VentanaQt::informarActivacion() {
    if (form_.finalizado()) return;
    const Ventana v = plataforma_.ventanaActiva();
    if (v != form_.ventanaActual) form_.activar(v);
    sincronizar();
}

void VentanaQt::mostrarAcercaDe() {
    if (acercaDe_ == nullptr) acercaDe_ = new AcercaDeQt(form_, this);
    acercaDe_->resize(rectEn(0, 0, form_.Form2.Width, form_.Form2.Height).size());
    acercaDe_->move(aPixeles(form_.Form2.Left), aPixeles(form_.Form2.Top));
    acercaDe_->show();
    acercaDe_->raise();
    acercaDe_->activateWindow();
}

void VentanaQt::seguirTemporizador(QTimer& timer, int intervalo, int& actual) {
    if (intervalo == actual) return;
    actual = intervalo;
    if (intervalo <= 0)
        timer.stop();
    else
        timer.start(intervalo);
}

void VentanaQt::sincronizar() {
    seguirTemporizador(timer1_, form_.finalizado() ? 0 : form_.Timer1.Interval, intervalo1_);
    seguirTemporizador(timer2_, form_.finalizado() ? 0 : form_.Timer2.Interval, intervalo2_);

    const QString titulo = QString::fromStdString(form_.Caption);
    if (titulo != tituloPuesto_) {
        tituloPuesto_ = titulo;
        setWindowTitle(titulo);
    }
    // Height counts the title bar and frame; the client area is the rest.
    const double z = escala();
    QRect geometria(
        aPixeles(form_.Left), aPixeles(form_.Top),
        std::max<int>(std::lround(aPixeles(form_.Width) * z), 1),
        std::max<int>(std::lround(aPixeles(form_.Height - form_.margenVentana) * z), 1));
    if (z != 1.0)
        geometria = enPantalla(geometria, frameGeometry().size() - QWidget::geometry().size());
    bool cambio = false;
    if (geometria != geometriaPuesta_) {
        geometriaPuesta_ = geometria;
        move(geometria.topLeft());
        resize(geometria.size());
        cambio = true;
    }

    // The table manager leaves the buttons beside it; the help covers them.
    const bool tapado = form_.Ayuda.Visible;
    for (int i = 0; i < 4; ++i) {
        const Control& b = form_.operar[i];
        const QRect r =
            rectEn(form_.Frame5.Left + b.Left, form_.Frame5.Top + b.Top, b.Width, b.Height);
        botones_[i]->setGeometry(QRectF(QPointF(r.topLeft()) * z, QSizeF(r.size()) * z).toRect());
        botones_[i]->setFont(fuenteEtiqueta(true, static_cast<int>(std::lround(13 * z))));
        botones_[i]->setVisible(form_.Frame5.Visible && b.Visible && !tapado);
    }

    sincronizarBarras();

    if (acercaDe_ != nullptr && !form_.Form2.Visible) {
        AcercaDeQt* d = acercaDe_;
        acercaDe_ = nullptr;
        d->hide();
        d->deleteLater();
    }

    // A grid being filled with its redraw off is not shown half-done.
    const bool redibujar = form_.tabla.Redraw && form_.tabla1.Redraw && form_.tablae.Redraw;
    const unsigned long version = form_.version();
    if (redibujar && (cambio || version != versionPintada_)) {
        versionPintada_ = version;
        update();
    }
    seguirAccesibilidad(*this);
}

void VentanaQt::sincronizarBarras() {
    const Cuadricula& g = form_.tabla;
    const Form1& f = form_;
    // A panel laid over the grid hides the bar it covers, as it hides the cells.
    auto tapada = [&f](const QRect& barra) {
        for (const Control* panel : {&f.Ayuda, &f.Frame1, &f.Frame2, &f.Frame4})
            if (panel->Visible &&
                barra.intersects(QRect(panel->Left, panel->Top, panel->Width, panel->Height)))
                return true;
        return false;
    };
    struct Barra {
        QScrollBar* barra;
        bool mostrada;
        QRect twips;
        int maximo, pagina, valor;
    };
    const Barra barras[2] = {
        {barraV_, g.barraVertical(),
         QRect(g.Left + g.Width - kGrosorBarra, g.Top, kGrosorBarra, g.altoVisible()),
         g.filaArribaMaxima(), g.filasVisibles(), g.TopRow()},
        {barraH_, g.barraHorizontal(),
         QRect(g.Left, g.Top + g.Height - kGrosorBarra, g.anchoVisible(), kGrosorBarra),
         g.colIzquierdaMaxima(), g.columnasVisibles(), g.LeftCol()}};
    for (const Barra& b : barras) {
        const bool visible = g.Visible && b.mostrada && !tapada(b.twips);
        if (visible) {
            const QSignalBlocker silencio(b.barra);
            b.barra->setGeometry(
                rectEn(b.twips.x(), b.twips.y(), b.twips.width(), b.twips.height()));
            b.barra->setRange(0, std::max(b.maximo, 0));
            b.barra->setPageStep(std::max(b.pagina, 1));
            b.barra->setSingleStep(1);
            b.barra->setValue(b.valor);
        }
        if (b.barra->isVisible() != visible) b.barra->setVisible(visible);
    }
}

// ---- Events -----------------------------------------------------------------

bool VentanaQt::event(QEvent* evento) {
    switch (evento->type()) {
    case QEvent::KeyPress: {
        // Tab and Shift+Tab are the notebook's keys, not focus moves.
        auto* tecla = static_cast<QKeyEvent*>(evento);
        if (tecla->key() == Qt::Key_Tab || tecla->key() == Qt::Key_Backtab) {
            keyPressEvent(tecla);
            return true;
        }
        break;
    }
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate: {
        const bool r = QWidget::event(evento);
        informarActivacion();
        return r;
    }
    default:
        break;
    }
    return QWidget::event(evento);
}

void VentanaQt::entregar(const std::vector<AccionTecla>& acciones) {
    for (const AccionTecla& a : acciones) {
        if (form_.finalizado()) break;
        if (a.abajo)
            form_.pulsarTecla(a.codigo, a.shift, a.caracter);
        else
            form_.soltarTecla(a.codigo, a.shift);
    }
    sincronizar();
}

void VentanaQt::keyPressEvent(QKeyEvent* evento) {
    // A key that reaches this window shows that it has the keyboard, even
    // where the desktop has not yet said so (it names the new active window
    // a moment after giving it the focus): the pupil's first key after
    // coming back to the notebook is not lost.
    if (form_.ventanaActual != Ventana::notebook && !form_.finalizado())
        form_.activar(Ventana::notebook);
    if (evento->key() == Qt::Key_F11 && !evento->isAutoRepeat())
        plataforma_.f11().pulsada(static_cast<std::uint32_t>(evento->timestamp()),
                                  plataforma_.horaDelDia());
    entregar(traductor_.pulsar(*evento));
    evento->accept();
}

void VentanaQt::keyReleaseEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_F11 && !evento->isAutoRepeat())
        plataforma_.f11().soltada(static_cast<std::uint32_t>(evento->timestamp()));
    entregar(traductor_.soltar(*evento));
    evento->accept();
}

void VentanaQt::mousePressEvent(QMouseEvent* evento) {
    const QPoint punto = (evento->position() / escala()).toPoint();
    if (form_.Label1.Visible && rectControl(form_.Label1).contains(punto))
        form_.clicLabel1();
    else if (form_.Label2.Visible && rectControl(form_.Label2).contains(punto))
        form_.clicLabel2();
    setFocus();
    sincronizar();
}

void VentanaQt::closeEvent(QCloseEvent* evento) {
    const bool cerrada = form_.cerrarVentana();
    sincronizar();
    if (!cerrada) {
        evento->ignore();
        return;
    }
    if (acercaDe_ != nullptr) acercaDe_->hide();
    evento->accept();
}

// ---- Painting ---------------------------------------------------------------

void VentanaQt::pintarCuadricula(QPainter& p, const Cuadricula& g, bool marcarActual,
                                 bool legible) {
    // The cells' area leaves room for the scroll bars, which are widgets of their own.
    const QRect area = rectEn(g.Left, g.Top, g.anchoVisible(), g.altoVisible());
    p.fillRect(rectEn(g.Left, g.Top, g.Width, g.Height), palette().color(QPalette::Window));
    p.save();
    p.setClipRect(area);
    p.fillRect(area, aQColor(g.BackColor));
    const QColor lineas = aQColor(g.GridColor);
    QRect actual;
    int y = 0;
    for (int r = g.TopRow(); r < g.Rows() && y < g.altoVisible(); y += g.RowHeight(r), ++r) {
        int x = 0;
        for (int c = g.LeftCol(); c < g.Cols() && x < g.anchoVisible(); x += g.ColWidth(c), ++c) {
            const QRect celda = rectEn(g.Left + x, g.Top + y, g.ColWidth(c), g.RowHeight(r));
            const Celda& cel = g.celda(r, c);
            const QColor fondo = aQColor(g.colorFondo(r, c));
            p.fillRect(celda, fondo);
            p.setPen(lineas);
            p.drawLine(celda.topRight(), celda.bottomRight());
            p.drawLine(celda.bottomLeft(), celda.bottomRight());
            if (r == g.Row() && c == g.Col()) actual = celda;
            if (cel.Text.empty() || cel.Text == " ") continue;
            const bool simbolo = cel.CellFontName == "Symbol";
            // Symbol cells show the real sign in the grid's own font.
            const std::string& nombre =
                simbolo || cel.CellFontName.empty() ? g.FontName : cel.CellFontName;
            QFont f(QString::fromStdString(nombre));
            f.setPointSizeF(cel.CellFontSize > 0 ? cel.CellFontSize : g.FontSize);
            f.setBold(cel.CellFontBold);
            f.setItalic(cel.CellFontItalic);
            f.setUnderline(cel.CellFontUnderline);
            f.setStrikeOut(cel.CellFontStrikeThrough);
            QColor tinta = aQColor(g.colorTexto(r, c));
            if (legible && std::abs(luminancia(tinta) - luminancia(fondo)) < 90)
                tinta = luminancia(fondo) < 128 ? QColor(Qt::white) : QColor(Qt::black);
            p.setFont(f);
            p.setPen(tinta);
            p.save();
            p.setClipRect(celda.intersected(area));
            p.drawText(celda.adjusted(1, 0, -1, 0), alineacionCelda(cel.CellAlignment, cel.Text),
                       QString::fromStdString(aUtf8(cel.Text, simbolo)));
            p.restore();
        }
    }
    if (marcarActual && !actual.isNull()) {
        // In the scheme's own colour, standing out from the cell, thick.
        QPen marca(aQColor(colorCursor(g)));
        marca.setWidth(3);
        marca.setJoinStyle(Qt::MiterJoin);
        p.setPen(marca);
        p.setBrush(Qt::NoBrush);
        p.drawRect(actual.adjusted(2, 2, -2, -2));
    }
    p.restore();
}

void VentanaQt::pintarEtiqueta(QPainter& p, const Control& c, QPoint origen, const QFont& fuente,
                               int alineacion, bool conFondo) {
    if (!c.Visible) return;
    const QRect r = rectControl(c).translated(origen);
    if (conFondo) p.fillRect(r, palette().color(QPalette::Window));
    p.setFont(fuente);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(r.adjusted(2, 0, -2, 0), alineacion, textoControl(c.Caption));
}

// Paints a frame and returns the rectangle its children are placed in.
QRect VentanaQt::pintarMarco(QPainter& p, const Control& marco) {
    const QRect r = rectControl(marco);
    p.fillRect(r, palette().color(QPalette::Window));
    p.setPen(palette().color(QPalette::Mid));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    if (marco.Caption.empty()) return r;
    // A captioned frame keeps a strip for its caption above its children.
    const QRect tira(r.left(), r.top(), r.width(), aPixeles(kAltoTituloMarco));
    p.fillRect(tira.adjusted(1, 1, -1, 0), palette().color(QPalette::Highlight));
    p.setPen(palette().color(QPalette::HighlightedText));
    p.setFont(fuenteEtiqueta(true));
    p.drawText(tira.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft,
               QString::fromStdString(marco.Caption));
    return r.adjusted(0, tira.height(), 0, 0);
}

void VentanaQt::pintarAyuda(QPainter& p) {
    const Form1& f = form_;
    const QRect interior = pintarMarco(p, f.Ayuda);
    p.save();
    p.setClipRect(interior);
    pintarEtiqueta(p, f.Label3, interior.topLeft(), fuenteEtiqueta(true),
                   Qt::AlignLeft | Qt::AlignTop, false);
    const QRect ta = rectEn(f.Ta.Left, f.Ta.Top, f.Ta.Width, f.Ta.Height)
                         .translated(interior.topLeft())
                         .intersected(interior);
    p.fillRect(ta, palette().color(QPalette::Base));
    // As many lines as the help box holds by its own count, all fully shown.
    const auto& lineas = Form1::lineasAyuda();
    const int visibles = std::max(1, f.Ta.Height / 240);
    const int alto = std::max(1, std::min(aPixeles(240), ta.height() / visibles));
    p.setFont(fuenteEtiqueta(false, std::min(12, alto - 2)));
    for (int i = 0; i < visibles; ++i) {
        const int n = f.primeraLineaAyuda + i;
        if (n < 0 || n >= static_cast<int>(lineas.size())) break;
        const QRect linea(ta.left(), ta.top() + i * alto, ta.width(), alto);
        if (n == f.lineaAyuda && f.foco == Foco::Ta)
            p.fillRect(linea, palette().color(QPalette::AlternateBase));
        p.setPen(palette().color(QPalette::Text));
        p.drawText(linea.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft,
                   QString::fromStdString(lineas[n]));
    }
    p.restore();
}

// The pictures of the memory commands: a small sheet with an arrow.
void VentanaQt::pintarIcono(QPainter& p, const Control& c, bool haciaArriba) {
    if (!c.Visible) return;
    const QRect r = rectControl(c).adjusted(2, 2, -2, -2);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(255, 255, 220));
    p.drawRoundedRect(r, 3, 3);
    p.setPen(QPen(QColor(128, 0, 0), 3, Qt::SolidLine, Qt::RoundCap));
    const QPoint arriba(r.center().x(), r.top() + 5), abajo(r.center().x(), r.bottom() - 5);
    p.drawLine(arriba, abajo);
    const QPoint punta = haciaArriba ? arriba : abajo;
    const int d = haciaArriba ? 6 : -6;
    p.drawLine(punta, punta + QPoint(-6, d));
    p.drawLine(punta, punta + QPoint(6, d));
    p.restore();
}

void VentanaQt::paintEvent(QPaintEvent*) {
    const Form1& f = form_;
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    p.scale(escala(), escala());

    // The status line and the labels of the top strip. The direction arrow
    // stands at the status line's end: where the window is narrow (the small
    // grid) the status line is drawn smaller rather than covered by it.
    const QFont normal = fuenteEtiqueta();
    QFont estado = normal;
    if (f.Label1.Visible) {
        const int libre = rectControl(f.Label1).left() - rectControl(f.Label2).left() - 4;
        const QString texto = textoControl(f.Label2.Caption);
        for (int pixeles = 10;
             pixeles >= 7 && QFontMetrics(estado).horizontalAdvance(texto) > libre; --pixeles)
            estado = fuenteEtiqueta(false, pixeles);
    }
    pintarEtiqueta(p, f.Label2, {}, estado, Qt::AlignLeft | Qt::AlignVCenter, true);
    pintarEtiqueta(p, f.Label12, {}, normal, Qt::AlignLeft | Qt::AlignVCenter, true);
    pintarEtiqueta(p, f.Label5, {}, fuenteEtiqueta(true), Qt::AlignLeft | Qt::AlignVCenter, true);
    pintarEtiqueta(p, f.Label1, {}, fuenteEtiqueta(true, 13), Qt::AlignCenter, true);

    // The notebook and, under it, the memory line or the palette.
    if (f.tabla.Visible) pintarCuadricula(p, f.tabla, f.foco == Foco::tabla, false);
    if (f.tabla1.Visible && !f.tablae.Visible) pintarCuadricula(p, f.tabla1, false, true);
    if (f.tablae.Visible) pintarCuadricula(p, f.tablae, f.foco == Foco::tablae, true);

    // The legends laid over the memory line and the status line.
    const QFont leyenda = fuenteEtiqueta(true, 10);
    for (const Control* c : {&f.Label6, &f.Label7, &f.Label9})
        pintarEtiqueta(p, *c, {}, leyenda, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                       true);

    pintarIcono(p, f.Pic, true);
    pintarIcono(p, f.Pic1, false);

    if (f.Frame3.Visible) {
        const QRect r = pintarMarco(p, f.Frame3);
        pintarEtiqueta(p, f.mensa2, r.topLeft(), normal,
                       Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, false);
    }
    if (f.Frame4.Visible) {
        const QRect r = pintarMarco(p, f.Frame4);
        pintarEtiqueta(p, f.Label10, r.topLeft(), normal,
                       Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, false);
        pintarEtiqueta(p, f.Label11, r.topLeft(), fuenteEtiqueta(true),
                       Qt::AlignLeft | Qt::AlignTop, false);
        if (f.texr.Visible) {
            const QRect caja = rectControl(f.texr).translated(r.topLeft());
            p.fillRect(caja, palette().color(QPalette::Base));
            p.setPen(palette().color(QPalette::Mid));
            p.drawRect(caja.adjusted(0, 0, -1, -1));
            p.setFont(fuenteEtiqueta(true, 13));
            const QString texto = QString::fromStdString(f.texr.Caption);
            const QRect dentro = caja.adjusted(3, 0, -3, 0);
            if (f.texrTodoSeleccionado && !texto.isEmpty()) {
                const QRect sel(dentro.left(), dentro.top() + 3,
                                p.fontMetrics().horizontalAdvance(texto), dentro.height() - 6);
                p.fillRect(sel, palette().color(QPalette::Highlight));
                p.setPen(palette().color(QPalette::HighlightedText));
            } else {
                p.setPen(palette().color(QPalette::Text));
            }
            p.drawText(dentro, Qt::AlignLeft | Qt::AlignVCenter, texto);
            if (f.foco == Foco::texr && !f.texrTodoSeleccionado) {
                const int x = dentro.left() + p.fontMetrics().horizontalAdvance(
                                                  texto.left(std::max(f.texrCaret, 0)));
                p.setPen(palette().color(QPalette::Text));
                p.drawLine(x, dentro.top() + 4, x, dentro.bottom() - 4);
            }
        }
    }
    if (f.Frame2.Visible) {
        const QRect r = pintarMarco(p, f.Frame2);
        // The instructions shrink to the lines they have where the frame is short.
        const int lineasLt =
            static_cast<int>(std::count(f.Lt.Caption.begin(), f.Lt.Caption.end(), '\n')) + 1;
        const int pixelesLt = std::clamp(rectControl(f.Lt).height() * 4 / (lineasLt * 5), 6, 11);
        pintarEtiqueta(p, f.Lt, r.topLeft(), fuenteEtiqueta(false, pixelesLt),
                       Qt::AlignLeft | Qt::AlignTop, false);
        pintarEtiqueta(p, f.Label4, r.topLeft(), fuenteEtiqueta(true),
                       Qt::AlignLeft | Qt::AlignVCenter, false);
        pintarEtiqueta(p, f.Label8, r.topLeft(), normal, Qt::AlignLeft | Qt::AlignTop, false);
        if (f.Teta.Visible) {
            const QRect caja = rectControl(f.Teta).translated(r.topLeft());
            p.fillRect(caja, palette().color(QPalette::Base));
            p.setPen(palette().color(QPalette::Mid));
            p.drawRect(caja.adjusted(0, 0, -1, -1));
            p.setPen(palette().color(QPalette::Text));
            p.setFont(fuenteEtiqueta(true, 13));
            p.drawText(caja.adjusted(3, 0, -3, 0), Qt::AlignLeft | Qt::AlignVCenter,
                       QString::fromStdString(f.Teta.Caption));
        }
    }
    if (f.Frame1.Visible) {
        const QRect r = pintarMarco(p, f.Frame1);
        pintarEtiqueta(p, f.Mensa, r.topLeft(), fuenteEtiqueta(true),
                       Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, false);
    }
    if (f.Ayuda.Visible) pintarAyuda(p);
    ++pintados_;
}

} // namespace renglero
