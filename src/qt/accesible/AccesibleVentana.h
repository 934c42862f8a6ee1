#pragma once
// The notebook's window as assistive technology sees it: a frame with its
// caption whose children are the controls the window paints (each a virtual
// object of its role), the three grids as tables, and the operation buttons.
#include <QAccessibleWidget>
#include <functional>
#include <vector>

namespace renglero {

class Form1;
class VentanaQt;
class AccesibleTabla;

// A control the window paints: a label, a prompt, an entry box, a help line.
class AccesibleControl : public QAccessibleInterface {
  public:
    struct Forma {
        QAccessible::Role rol = QAccessible::StaticText;
        std::function<bool()> visible;
        std::function<QString()> nombre;
        std::function<QString()> valor; // may be empty
        std::function<QRect()> rect;    // window client pixels
        std::function<bool()> conFoco;  // may be empty: never focused
    };
    AccesibleControl(QAccessibleInterface* padre, Forma forma)
        : padre_(padre), f_(std::move(forma)) {}
    ~AccesibleControl() override;

    void agregarHijo(AccesibleControl* hijo) { hijos_.push_back(hijo); }
    const std::vector<AccesibleControl*>& hijos() const { return hijos_; }
    bool visible() const { return f_.visible(); }
    bool conFoco() const { return f_.conFoco && f_.conFoco(); }
    // The name the last check saw, to tell when it changes.
    QString nombreVisto;

    bool isValid() const override { return padre_->isValid(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return padre_->window(); }
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* parent() const override { return padre_; }
    QAccessibleInterface* child(int index) const override;
    int childCount() const override { return static_cast<int>(hijos_.size()); }
    int indexOfChild(const QAccessibleInterface* hijo) const override;
    QAccessibleInterface* focusChild() const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return f_.rol; }
    QAccessible::State state() const override;

  private:
    QAccessibleInterface* padre_;
    Forma f_;
    std::vector<AccesibleControl*> hijos_;
};

class AccesibleVentana : public QAccessibleWidget {
  public:
    explicit AccesibleVentana(VentanaQt* ventana);
    ~AccesibleVentana() override;

    VentanaQt& ventana() const;
    const Form1& form() const;
    // Window client pixels to the screen's.
    QRect enPantalla(const QRect& r) const;

    AccesibleTabla& tabla() const { return *tabla_; }
    AccesibleTabla& memoria() const { return *memoria_; }
    AccesibleTabla& paleta() const { return *paleta_; }
    // The announcement said last, and the next one to say: a few in turn, so
    // that a reader still speaking one is not handed the text of the next.
    AccesibleControl& aviso() const { return *avisos_[avisoActual_]; }
    AccesibleControl& siguienteAviso();
    bool esAviso(const AccesibleControl* c) const;
    AccesibleControl& ayuda() const { return *ayuda_; }
    const std::vector<AccesibleControl*>& controles() const { return controles_; }
    // The object that has the keyboard focus inside the window, or null.
    QAccessibleInterface* enfocado() const;

    QAccessible::Role role() const override { return QAccessible::Window; }
    // A short name ("Renglero, Cuentas") with the key legend as its
    // description, rather than the caption's decorated legend.
    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* hijo) const override;
    QAccessibleInterface* focusChild() const override;
    QAccessibleInterface* childAt(int x, int y) const override;

  private:
    // The children shown now, in the order a reader meets them.
    std::vector<QAccessibleInterface*> hijos() const;
    AccesibleControl* control(AccesibleControl::Forma forma);

    AccesibleTabla* tabla_ = nullptr;
    AccesibleTabla* memoria_ = nullptr;
    AccesibleTabla* paleta_ = nullptr;
    static constexpr int kAvisos = 8;
    AccesibleControl* avisos_[kAvisos] = {};
    int avisoActual_ = 0;
    AccesibleControl* ayuda_ = nullptr;
    std::vector<AccesibleControl*> controles_; // in the order of the reader
};

} // namespace renglero
