#include "qt/accesible/AccesibleTabla.h"

#include "grid/Cuadricula.h"
#include "grid/nombresCelda.h"
#include "qt/VentanaQt.h"
#include "qt/accesible/AccesibleVentana.h"
#include "shell/Form1.h"

namespace renglero {

// ---- The table ----------------------------------------------------------------

AccesibleTabla::AccesibleTabla(AccesibleVentana& ventana, const Cuadricula& cuadricula,
                               QString nombre, bool tieneFoco)
    : ventana_(ventana), cuadricula_(cuadricula), nombre_(std::move(nombre)),
      tieneFoco_(tieneFoco) {}

AccesibleTabla::~AccesibleTabla() {
    for (auto& [clave, celda] : celdas_)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(celda));
}

bool AccesibleTabla::isValid() const {
    return ventana_.isValid();
}

QWindow* AccesibleTabla::window() const {
    return ventana_.window();
}

bool AccesibleTabla::conFoco() const {
    const Form1& f = ventana_.form();
    if (&cuadricula_ == &f.tabla) return f.foco == Foco::tabla;
    if (&cuadricula_ == &f.tablae) return f.foco == Foco::tablae;
    return false;
}

AccesibleCelda* AccesibleTabla::celda(int fila, int columna) const {
    if (fila < 0 || columna < 0 || fila >= cuadricula_.Rows() || columna >= cuadricula_.Cols())
        return nullptr;
    auto& c = celdas_[{fila, columna}];
    if (c == nullptr) {
        c = new AccesibleCelda(const_cast<AccesibleTabla&>(*this), fila, columna);
        QAccessible::registerAccessibleInterface(c);
    }
    return c;
}

void AccesibleTabla::redimensionada() {
    for (auto it = celdas_.begin(); it != celdas_.end();) {
        if (it->first.first >= cuadricula_.Rows() || it->first.second >= cuadricula_.Cols()) {
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(it->second));
            it = celdas_.erase(it);
        } else {
            ++it;
        }
    }
    QAccessibleTableModelChangeEvent e(this, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&e);
}

QAccessibleInterface* AccesibleTabla::cellAt(int fila, int columna) const {
    return celda(fila, columna);
}

int AccesibleTabla::rowCount() const {
    return cuadricula_.Rows();
}

int AccesibleTabla::columnCount() const {
    return cuadricula_.Cols();
}

QString AccesibleTabla::columnDescription(int columna) const {
    return QStringLiteral("Columna %1").arg(columna + 1);
}

// A row as it is written, one character a cell: what a braille display
// shows of it (the screen reader's script for the notebook asks for it).
QString AccesibleTabla::rowDescription(int fila) const {
    if (&cuadricula_ == &ventana_.form().tabla)
        return QString::fromStdString(Anuncios::textoFila(ventana_.form(), fila));
    return QStringLiteral("Fila %1").arg(fila + 1);
}

QAccessibleInterface* AccesibleTabla::child(int index) const {
    const int columnas = cuadricula_.Cols();
    if (index < 0 || columnas == 0) return nullptr;
    return celda(index / columnas, index % columnas);
}

int AccesibleTabla::childCount() const {
    return cuadricula_.Rows() * cuadricula_.Cols();
}

int AccesibleTabla::indexOfChild(const QAccessibleInterface* hijo) const {
    if (hijo == nullptr || hijo->parent() != this) return -1;
    const auto* c = static_cast<const AccesibleCelda*>(hijo);
    return c->rowIndex() * cuadricula_.Cols() + c->columnIndex();
}

QAccessibleInterface* AccesibleTabla::focusChild() const {
    if (!conFoco()) return nullptr;
    return celda(cuadricula_.Row(), cuadricula_.Col());
}

QAccessibleInterface* AccesibleTabla::childAt(int x, int y) const {
    const QPoint punto(x, y);
    for (int r = cuadricula_.TopRow(); r < cuadricula_.Rows(); ++r)
        for (int c = cuadricula_.LeftCol(); c < cuadricula_.Cols(); ++c) {
            const QRect celdaEn = ventana_.enPantalla(rectCelda(r, c));
            if (celdaEn.contains(punto)) return celda(r, c);
        }
    return nullptr;
}

QString AccesibleTabla::text(QAccessible::Text t) const {
    if (t == QAccessible::Name) return nombre_;
    if (t == QAccessible::Description)
        return QStringLiteral("%1 filas y %2 columnas").arg(rowCount()).arg(columnCount());
    return {};
}

QRect AccesibleTabla::rect() const {
    const Cuadricula& g = cuadricula_;
    return ventana_.enPantalla(ventana_.ventana().rectEn(g.Left, g.Top, g.Width, g.Height));
}

QRect AccesibleTabla::rectCelda(int fila, int columna) const {
    const Cuadricula& g = cuadricula_;
    int x = 0, y = 0;
    if (!g.origenEnVista(fila, columna, x, y)) return {};
    return ventana_.ventana().rectEn(g.Left + x, g.Top + y, g.ColWidth(columna), g.RowHeight(fila));
}

QAccessible::State AccesibleTabla::state() const {
    QAccessible::State s;
    s.invisible = !cuadricula_.Visible || !ventana_.ventana().isVisible();
    s.focusable = tieneFoco_;
    s.focused = conFoco();
    s.readOnly = true;
    return s;
}

void* AccesibleTabla::interface_cast(QAccessible::InterfaceType tipo) {
    if (tipo == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return nullptr;
}

QAccessibleInterface* AccesibleTabla::parent() const {
    return &ventana_;
}

// ---- A cell -------------------------------------------------------------------

bool AccesibleCelda::isValid() const {
    const Cuadricula& g = tabla_.cuadricula();
    return tabla_.isValid() && fila_ < g.Rows() && columna_ < g.Cols();
}

QWindow* AccesibleCelda::window() const {
    return tabla_.window();
}

QString AccesibleCelda::text(QAccessible::Text t) const {
    if (!isValid()) return {};
    if (t == QAccessible::Name)
        return QString::fromStdString(nombreHablado(tabla_.cuadricula().celda(fila_, columna_)));
    return {};
}

QRect AccesibleCelda::rect() const {
    return tabla_.ventana().enPantalla(tabla_.rectCelda(fila_, columna_));
}

QAccessible::State AccesibleCelda::state() const {
    QAccessible::State s;
    if (!isValid()) {
        s.invalid = true;
        return s;
    }
    const Cuadricula& g = tabla_.cuadricula();
    s.focusable = true;
    s.selectable = true;
    const bool actual = g.Row() == fila_ && g.Col() == columna_;
    s.focused = actual && tabla_.conFoco();
    s.selected = s.focused;
    s.invisible = !g.Visible || tabla_.rectCelda(fila_, columna_).isEmpty();
    s.offscreen = s.invisible;
    s.readOnly = true;
    return s;
}

void* AccesibleCelda::interface_cast(QAccessible::InterfaceType tipo) {
    if (tipo == QAccessible::TableCellInterface)
        return static_cast<QAccessibleTableCellInterface*>(this);
    return nullptr;
}

} // namespace renglero
