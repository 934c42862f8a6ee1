#pragma once
// A grid of the notebook as an accessible table: its cells are named as the
// pupil reads them ("7", "coma", "más", "raya"), blank cells have no name.
#include <QAccessible>
#include <QAccessibleInterface>
#include <map>

namespace renglero {

class Cuadricula;
class AccesibleVentana;
class AccesibleCelda;

class AccesibleTabla : public QAccessibleInterface, public QAccessibleTableInterface {
  public:
    AccesibleTabla(AccesibleVentana& ventana, const Cuadricula& cuadricula, QString nombre,
                   bool tieneFoco);
    ~AccesibleTabla() override;

    const Cuadricula& cuadricula() const { return cuadricula_; }
    AccesibleVentana& ventana() const { return ventana_; }
    bool conFoco() const;
    // The cell's interface, made when first asked for; null outside the grid.
    AccesibleCelda* celda(int fila, int columna) const;
    // The grid changed its size: cells outside it go, the tree is told.
    void redimensionada();

    // QAccessibleInterface
    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* hijo) const override;
    QAccessibleInterface* focusChild() const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Table; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType tipo) override;

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int fila, int columna) const override;
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int columna) const override;
    QString rowDescription(int fila) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

    // A cell's rectangle in the window's client pixels (empty when scrolled out).
    QRect rectCelda(int fila, int columna) const;

  private:
    AccesibleVentana& ventana_;
    const Cuadricula& cuadricula_;
    QString nombre_;
    bool tieneFoco_;
    mutable std::map<std::pair<int, int>, AccesibleCelda*> celdas_;
};

class AccesibleCelda : public QAccessibleInterface, public QAccessibleTableCellInterface {
  public:
    AccesibleCelda(AccesibleTabla& tabla, int fila, int columna)
        : tabla_(tabla), fila_(fila), columna_(columna) {}

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return &tabla_; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType tipo) override;

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return columna_; }
    int rowIndex() const override { return fila_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return &tabla_; }

  private:
    AccesibleTabla& tabla_;
    int fila_, columna_;
};

} // namespace renglero
