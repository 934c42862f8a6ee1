#include "qt/accesible/AccesibleVentana.h"

#include <QToolButton>
#include <algorithm>
#include <iterator>

#include "qt/VentanaQt.h"
#include "qt/accesible/AccesibleTabla.h"
#include "shell/Form1.h"
#include "shell/hablado.h"

namespace renglero {

namespace {

// A caption as it is read aloud: its lines as sentences, without the
// brackets and angle brackets of its decoration.
QString textoLeido(const std::string& texto) {
    return QString::fromStdString(sinDecoracion(texto));
}

} // namespace

// ---- A painted control ----------------------------------------------------------

AccesibleControl::~AccesibleControl() {
    for (AccesibleControl* h : hijos_)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(h));
}

QAccessibleInterface* AccesibleControl::child(int index) const {
    if (index < 0 || index >= childCount()) return nullptr;
    return hijos_[index];
}

int AccesibleControl::indexOfChild(const QAccessibleInterface* hijo) const {
    for (std::size_t i = 0; i < hijos_.size(); ++i)
        if (hijos_[i] == hijo) return static_cast<int>(i);
    return -1;
}

QAccessibleInterface* AccesibleControl::focusChild() const {
    for (AccesibleControl* h : hijos_)
        if (h->conFoco()) return h;
    return nullptr;
}

QAccessibleInterface* AccesibleControl::childAt(int x, int y) const {
    for (AccesibleControl* h : hijos_)
        if (h->visible() && h->rect().contains(x, y)) return h;
    return nullptr;
}

QString AccesibleControl::text(QAccessible::Text t) const {
    if (t == QAccessible::Name) return f_.nombre ? f_.nombre() : QString();
    if (t == QAccessible::Value) return f_.valor ? f_.valor() : QString();
    return {};
}

QRect AccesibleControl::rect() const {
    auto* v = static_cast<AccesibleVentana*>(
        padre_->role() == QAccessible::Window ? padre_ : padre_->parent());
    return f_.rect ? v->enPantalla(f_.rect()) : QRect();
}

QAccessible::State AccesibleControl::state() const {
    QAccessible::State s;
    s.invisible = !visible();
    s.focusable = static_cast<bool>(f_.conFoco);
    s.focused = conFoco();
    s.readOnly = f_.rol != QAccessible::EditableText;
    s.editable = f_.rol == QAccessible::EditableText;
    if (f_.rol == QAccessible::AlertMessage || f_.rol == QAccessible::Notification) s.modal = false;
    return s;
}

// ---- The window -----------------------------------------------------------------

AccesibleControl* AccesibleVentana::control(AccesibleControl::Forma forma) {
    auto* c = new AccesibleControl(this, std::move(forma));
    QAccessible::registerAccessibleInterface(c);
    controles_.push_back(c);
    return c;
}

AccesibleVentana::AccesibleVentana(VentanaQt* v) : QAccessibleWidget(v, QAccessible::Window) {
    const Form1& f = v->form();
    auto rect = [v](const Control& c) { return [v, &c] { return v->rectControl(c); }; };
    auto dentro = [v](const Control& marco, const Control& c) {
        return [v, &marco, &c] {
            return v->rectControl(c).translated(v->rectControl(marco).topLeft());
        };
    };
    auto etiqueta = [&](const Control& c, QAccessible::Role rol = QAccessible::StaticText) {
        return control({rol,
                        [&c] { return c.Visible; },
                        [&c] { return textoLeido(c.Caption); },
                        {},
                        rect(c),
                        {}});
    };
    auto enMarco = [&](const Control& marco, const Control& c,
                       QAccessible::Role rol = QAccessible::StaticText) {
        return control({rol,
                        [&marco, &c] { return marco.Visible && c.Visible; },
                        [&c] { return textoLeido(c.Caption); },
                        {},
                        dentro(marco, c),
                        {}});
    };

    etiqueta(f.Label2, QAccessible::StatusBar);
    control({QAccessible::StaticText,
             [&f] { return f.Label1.Visible; },
             [&f] {
                 const std::string& c = f.Label1.Caption;
                 if (c == "--->") return QStringLiteral("Avance de izquierda a derecha");
                 if (c == "<---") return QStringLiteral("Avance de derecha a izquierda");
                 return textoLeido(c);
             },
             {},
             rect(f.Label1),
             {}});
    etiqueta(f.Label12);
    etiqueta(f.Label5);
    tabla_ = new AccesibleTabla(*this, f.tabla, QStringLiteral("Cuaderno"), true);
    memoria_ = new AccesibleTabla(*this, f.tabla1, QStringLiteral("Memoria"), false);
    paleta_ = new AccesibleTabla(*this, f.tablae, QStringLiteral("Signos especiales"), true);
    for (QAccessibleInterface* t :
         {static_cast<QAccessibleInterface*>(tabla_), static_cast<QAccessibleInterface*>(memoria_),
          static_cast<QAccessibleInterface*>(paleta_)})
        QAccessible::registerAccessibleInterface(t);
    etiqueta(f.Label6);
    etiqueta(f.Label7);
    etiqueta(f.Label9);
    enMarco(f.Frame3, f.mensa2);
    enMarco(f.Frame1, f.Mensa, QAccessible::AlertMessage);
    enMarco(f.Frame4, f.Label10);
    enMarco(f.Frame4, f.Label11);
    control({QAccessible::EditableText, [&f] { return f.Frame4.Visible && f.texr.Visible; },
             [] { return QStringLiteral("Índice y líneas del radical"); },
             [&f] { return QString::fromStdString(f.texr.Caption); }, dentro(f.Frame4, f.texr),
             [&f] { return f.Frame4.Visible && f.foco == Foco::texr; }});
    enMarco(f.Frame2, f.Lt);
    enMarco(f.Frame2, f.Label4);
    enMarco(f.Frame2, f.Label8);
    control({QAccessible::EditableText, [&f] { return f.Frame2.Visible && f.Teta.Visible; },
             [] { return QStringLiteral("Filas y columnas de la tabla nueva"); },
             [&f] { return QString::fromStdString(f.Teta.Caption); }, dentro(f.Frame2, f.Teta),
             [&f] { return f.Frame2.Visible && f.foco == Foco::Teta; }});
    enMarco(f.Ayuda, f.Label3);
    ayuda_ = control({QAccessible::List,
                      [&f] { return f.Ayuda.Visible; },
                      [] { return QStringLiteral("Ayuda"); },
                      {},
                      dentro(f.Ayuda, f.Ta),
                      {}});
    const auto& lineas = Form1::lineasAyuda();
    for (int i = 0; i < static_cast<int>(lineas.size()); ++i) {
        auto* linea = new AccesibleControl(
            ayuda_,
            {QAccessible::ListItem,
             [&f] { return f.Ayuda.Visible; },
             [i] { return textoLeido(Form1::lineasAyuda()[i]); },
             {},
             [v, &f, i] {
                 const QRect ta =
                     v->rectControl(f.Ta).translated(v->rectControl(f.Ayuda).topLeft());
                 const int alto = v->aPixeles(240);
                 return QRect(ta.left(), ta.top() + (i - f.primeraLineaAyuda) * alto, ta.width(),
                              alto);
             },
             [&f, i] { return f.Ayuda.Visible && f.foco == Foco::Ta && f.lineaAyuda == i; }});
        QAccessible::registerAccessibleInterface(linea);
        ayuda_->agregarHijo(linea);
    }
    // What the notebook says; shown each time it says something.
    for (int i = 0; i < kAvisos; ++i)
        avisos_[i] = control({QAccessible::Notification,
                              [this, i] { return i == avisoActual_; },
                              [this, i] { return avisos_[i]->nombreVisto; },
                              {},
                              {},
                              {}});
}

AccesibleVentana::~AccesibleVentana() {
    for (AccesibleControl* c : controles_)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(c));
    for (AccesibleTabla* t : {tabla_, memoria_, paleta_})
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(t));
}

AccesibleControl& AccesibleVentana::siguienteAviso() {
    avisoActual_ = (avisoActual_ + 1) % kAvisos;
    return *avisos_[avisoActual_];
}

bool AccesibleVentana::esAviso(const AccesibleControl* c) const {
    return std::find(std::begin(avisos_), std::end(avisos_), c) != std::end(avisos_);
}

QString AccesibleVentana::text(QAccessible::Text t) const {
    if (t == QAccessible::Name) return QString::fromStdString(Anuncios::nombreVentana(form()));
    if (t == QAccessible::Description)
        return QString::fromStdString(Anuncios::leyendaTeclas(form()));
    return QAccessibleWidget::text(t);
}

VentanaQt& AccesibleVentana::ventana() const {
    return *static_cast<VentanaQt*>(widget());
}

const Form1& AccesibleVentana::form() const {
    return ventana().form();
}

QRect AccesibleVentana::enPantalla(const QRect& r) const {
    if (r.isNull()) return r;
    const double z = ventana().escala();
    return QRect(ventana().mapToGlobal((QPointF(r.topLeft()) * z).toPoint()),
                 (QSizeF(r.size()) * z).toSize());
}

std::vector<QAccessibleInterface*> AccesibleVentana::hijos() const {
    const Form1& f = form();
    std::vector<QAccessibleInterface*> v;
    for (AccesibleControl* c : controles_) {
        if (esAviso(c)) continue;
        v.push_back(c);
        // The grids after the strip of labels above them.
        if (c == controles_[3]) {
            v.push_back(tabla_);
            if (f.tabla1.Visible && !f.tablae.Visible) v.push_back(memoria_);
            if (f.tablae.Visible) v.push_back(paleta_);
        }
    }
    for (int i = 0; i < 4; ++i) {
        QToolButton* b = ventana().botonOperar(i);
        if (b != nullptr && b->isVisible())
            if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(b))
                v.push_back(iface);
    }
    v.insert(v.end(), std::begin(avisos_), std::end(avisos_));
    return v;
}

int AccesibleVentana::childCount() const {
    return static_cast<int>(hijos().size());
}

QAccessibleInterface* AccesibleVentana::child(int index) const {
    const auto v = hijos();
    if (index < 0 || index >= static_cast<int>(v.size())) return nullptr;
    return v[index];
}

int AccesibleVentana::indexOfChild(const QAccessibleInterface* hijo) const {
    const auto v = hijos();
    for (std::size_t i = 0; i < v.size(); ++i)
        if (v[i] == hijo) return static_cast<int>(i);
    return -1;
}

QAccessibleInterface* AccesibleVentana::enfocado() const {
    const Form1& f = form();
    switch (f.foco) {
    case Foco::tabla:
        return f.Ayuda.Visible ? nullptr : tabla_->celda(f.tabla.Row(), f.tabla.Col());
    case Foco::tablae:
        return paleta_->celda(f.tablae.Row(), f.tablae.Col());
    case Foco::Ta:
    case Foco::Teta:
    case Foco::texr:
        for (AccesibleControl* c : controles_) {
            if (c->conFoco()) return c;
            if (QAccessibleInterface* h = c->focusChild()) return h;
        }
        return nullptr;
    case Foco::Command1:
        return nullptr;
    }
    return nullptr;
}

QAccessibleInterface* AccesibleVentana::focusChild() const {
    QAccessibleInterface* e = enfocado();
    if (e == nullptr) return nullptr;
    // The direct child that holds it.
    QAccessibleInterface* p = e;
    while (p->parent() != nullptr && p->parent() != this)
        p = p->parent();
    return p;
}

QAccessibleInterface* AccesibleVentana::childAt(int x, int y) const {
    for (QAccessibleInterface* h : hijos())
        if (!h->state().invisible && h->rect().contains(x, y)) return h;
    return nullptr;
}

} // namespace renglero
