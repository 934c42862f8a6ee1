#include "qt/accesible/Accesible.h"

#include <QAccessible>
#include <QPointer>
#include <QTimer>
#include <string>
#include <vector>

#include "grid/nombresCelda.h"
#include "qt/VentanaQt.h"
#include "qt/accesible/AccesibleTabla.h"
#include "qt/accesible/AccesibleVentana.h"
#include "shell/Form1.h"

namespace renglero {

namespace {

QAccessibleInterface* fabrica(const QString& clase, QObject* objeto) {
    if (clase == QLatin1String(VentanaQt::staticMetaObject.className()) && objeto != nullptr)
        return new AccesibleVentana(static_cast<VentanaQt*>(objeto));
    return nullptr;
}

void enviar(QAccessibleInterface* iface, QAccessible::Event tipo) {
    if (iface == nullptr) return;
    QAccessibleEvent e(iface, tipo);
    QAccessible::updateAccessibility(&e);
}

// What the last check saw of a grid.
struct VistaTabla {
    int filas = -1, columnas = -1;
    std::vector<std::string> textos;
};

// What the last check saw of the window, kept with the window.
class Seguidor : public QObject {
  public:
    explicit Seguidor(QObject* padre) : QObject(padre) {
        setObjectName(QStringLiteral("seguidorAccesible"));
    }
    VistaTabla tabla, memoria, paleta;
    std::vector<bool> visibles;
    QAccessibleInterface* enfocado = nullptr;
    int filaEnfocada = -1, columnaEnfocada = -1;
    QString pendiente;
    bool hayPendiente = false;
};

Seguidor& seguidor(VentanaQt& v) {
    auto* s =
        v.findChild<Seguidor*>(QStringLiteral("seguidorAccesible"), Qt::FindDirectChildrenOnly);
    if (s == nullptr) s = new Seguidor(&v);
    return *s;
}

// A grid of another size tells the tree; a cell written or cleared changes
// its name.
void seguirTabla(AccesibleTabla& t, VistaTabla& vista) {
    const Cuadricula& g = t.cuadricula();
    const int filas = g.Rows(), columnas = g.Cols();
    const bool otroTamano = filas != vista.filas || columnas != vista.columnas;
    const bool primera = vista.filas < 0;
    if (otroTamano) vista.textos.assign(static_cast<std::size_t>(filas) * columnas, std::string());
    for (int r = 0; r < filas; ++r)
        for (int c = 0; c < columnas; ++c) {
            std::string& visto = vista.textos[static_cast<std::size_t>(r) * columnas + c];
            const std::string& texto = g.celda(r, c).Text;
            if (texto == visto) continue;
            // A blank that becomes an empty cell keeps its (empty) name.
            const bool otroNombre = nombreHablado(texto) != nombreHablado(visto);
            visto = texto;
            if (!otroTamano && otroNombre) enviar(t.celda(r, c), QAccessible::NameChanged);
        }
    if (otroTamano && !primera) t.redimensionada();
    vista.filas = filas;
    vista.columnas = columnas;
}

} // namespace

void instalarAccesibilidad() {
    static bool instalada = false;
    if (instalada) return;
    instalada = true;
    QAccessible::installFactory(fabrica);
}

void seguirAccesibilidad(VentanaQt& v) {
    if (!QAccessible::isActive()) return;
    // A key's work shows when it is done: a procedure that walks the cursor
    // over many cells moves the focus once, to where it ends.
    if (v.form().ocupado()) return;
    auto* ventana = dynamic_cast<AccesibleVentana*>(QAccessible::queryAccessibleInterface(&v));
    if (ventana == nullptr) return;
    Seguidor& s = seguidor(v);

    seguirTabla(ventana->tabla(), s.tabla);
    seguirTabla(ventana->memoria(), s.memoria);
    seguirTabla(ventana->paleta(), s.paleta);

    const auto& controles = ventana->controles();
    if (s.visibles.size() != controles.size()) s.visibles.assign(controles.size(), false);
    for (std::size_t i = 0; i < controles.size(); ++i) {
        AccesibleControl* c = controles[i];
        if (ventana->esAviso(c)) continue;
        const bool visible = c->visible();
        const QString nombre = c->text(QAccessible::Name);
        if (visible != s.visibles[i]) {
            s.visibles[i] = visible;
            enviar(c, visible ? QAccessible::ObjectShow : QAccessible::ObjectHide);
        }
        // A hidden label's changes are read when it shows.
        if (visible && nombre != c->nombreVisto) {
            c->nombreVisto = nombre;
            enviar(c, QAccessible::NameChanged);
        }
    }

    // The cursor's cell (or the help line, the entry box) has the focus.
    QAccessibleInterface* enfocado = ventana->enfocado();
    int fila = -1, columna = -1;
    if (QAccessibleTableCellInterface* celda =
            enfocado != nullptr ? enfocado->tableCellInterface() : nullptr) {
        fila = celda->rowIndex();
        columna = celda->columnIndex();
    }
    if (enfocado != nullptr &&
        (enfocado != s.enfocado || fila != s.filaEnfocada || columna != s.columnaEnfocada)) {
        enviar(enfocado, QAccessible::Focus);
    }
    s.enfocado = enfocado;
    s.filaEnfocada = fila;
    s.columnaEnfocada = columna;

    // Said after the focus moved, so that the cell's own speech does not cut it.
    if (s.hayPendiente) {
        s.hayPendiente = false;
        AccesibleControl& aviso = ventana->siguienteAviso();
        aviso.nombreVisto = s.pendiente;
        enviar(&aviso, QAccessible::NameChanged);
        enviar(&aviso, QAccessible::ObjectShow);
    }
}

void anunciarAccesible(VentanaQt& v, const QString& texto) {
    if (!QAccessible::isActive() || texto.isEmpty()) return;
    Seguidor& s = seguidor(v);
    s.pendiente = texto;
    s.hayPendiente = true;
    // The window follows the form after each key; this is for the rest.
    QPointer<VentanaQt> p(&v);
    QTimer::singleShot(0, &v, [p] {
        if (p != nullptr) seguirAccesibilidad(*p);
    });
}

} // namespace renglero
