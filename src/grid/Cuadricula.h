#pragma once
// The cell grid of the notebook: rows and columns of one-character cells,
// each with its own font, style, colours and alignment, a current cell, a
// selection, fill and redraw switches, and the cell events a grid raises.
#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Colores.h"

namespace renglero {

// An index outside the grid; the procedures decide what a failing statement
// does (skip it, or stop), as each one's text says.
class ErrorCuadricula : public std::out_of_range {
  public:
    using std::out_of_range::out_of_range;
};

// The thickness of a scroll bar, in twips (17 pixels at 96 DPI).
constexpr int kGrosorBarra = 255;

// A cell colour that follows the grid's own BackColor or ForeColor.
constexpr Color kColorDeLaCuadricula = 0xFF000000;

// The alignments of a superscript and a subscript cell.
constexpr int kAlineacionElevada = 0;
constexpr int kAlineacionBajada = 2;

struct Celda {
    std::string Text;
    std::string CellFontName;
    float CellFontSize = 0;
    bool CellFontBold = false;
    bool CellFontItalic = false;
    bool CellFontUnderline = false;
    bool CellFontStrikeThrough = false;
    Color CellForeColor = kColorDeLaCuadricula;
    Color CellBackColor = kColorDeLaCuadricula;
    int CellAlignment = 9;
};

class Cuadricula {
  public:
    Cuadricula(int filas, int columnas, std::string fuente, float tamano, bool negrita);

    // Cell events, raised when the current cell changes (by code or by key).
    std::function<void()> LeaveCell;
    std::function<void()> EnterCell;
    std::function<void()> RowColChange;

    int Rows() const { return filas_; }
    int Cols() const { return columnas_; }
    void setRows(int n);
    void setCols(int n);

    int Row() const { return fila_; }
    int Col() const { return columna_; }
    void setRow(int r);
    void setCol(int c);
    int RowSel() const { return filaSel_; }
    int ColSel() const { return colSel_; }
    void setRowSel(int r);
    void setColSel(int c);

    int TopRow() const { return filaArriba_; }
    int LeftCol() const { return colIzquierda_; }
    void setTopRow(int r);
    void setLeftCol(int c);
    // The view as it stands (its first row and column), to be put back once
    // the notebook has walked the cursor along a row and back.
    struct Vista {
        int fila = 0, columna = 0;
    };
    Vista vista() const { return {filaArriba_, colIzquierda_}; }
    void setVista(const Vista& v) {
        setTopRow(v.fila);
        setLeftCol(v.columna);
    }
    bool RowIsVisible(int r) const;
    bool ColIsVisible(int c) const;
    // The scroll bars shown: with ScrollBars 3, each one where the cells do
    // not fit across it; they take their thickness from the cells' area.
    bool barraVertical() const;
    bool barraHorizontal() const;
    // The cells' area, without the scroll bars (twips).
    int altoVisible() const;
    int anchoVisible() const;
    // Where a cell starts inside the cells' area, in twips from the view's
    // first row and column; false for a cell scrolled out of the view.
    bool origenEnVista(int fila, int columna, int& x, int& y) const;
    // How far the view scrolls: the last row and column the view can start at.
    int filaArribaMaxima() const;
    int colIzquierdaMaxima() const;
    // Rows and columns wholly shown from the current top row and left column.
    int filasVisibles() const { return filasQueCabenDesde(filaArriba_); }
    int columnasVisibles() const;

    bool Redraw = true;
    int FillStyle = 0;
    int ScrollBars = 0;
    Color BackColor = rgb(255, 255, 255);
    Color ForeColor = rgb(0, 0, 0);
    Color GridColor = rgb(192, 192, 192);
    std::string FontName;
    float FontSize;
    bool FontBold;

    // Geometry of the control, in twips.
    int Left = 0, Top = 0, Width = 0, Height = 0;
    bool Visible = true;
    bool TabStop = true;
    int HighLight = 1;

    int RowHeight(int r) const { return altos_.at(comprobarFila(r)); }
    int ColWidth(int c) const { return anchos_.at(comprobarColumna(c)); }
    void setRowHeight(int r, int alto);
    void setColWidth(int c, int ancho);
    void setTodasFilasAlto(int alto);
    void setTodasColumnasAncho(int ancho);

    // The current cell: reads always read it; writes go to the selection
    // when FillStyle is 1.
    const Celda& celda() const { return celdas_[indice(fila_, columna_)]; }
    const Celda& celda(int r, int c) const {
        return celdas_[indice(comprobarFila(r), comprobarColumna(c))];
    }
    const std::string& Text() const { return celda().Text; }
    void setText(const std::string& t) { escribir(&Celda::Text, t); }
    void setCellFontName(const std::string& v) { escribir(&Celda::CellFontName, v); }
    void setCellFontSize(float v) { escribir(&Celda::CellFontSize, v); }
    void setCellFontBold(bool v) { escribir(&Celda::CellFontBold, v); }
    void setCellFontItalic(bool v) { escribir(&Celda::CellFontItalic, v); }
    void setCellFontUnderline(bool v) { escribir(&Celda::CellFontUnderline, v); }
    void setCellFontStrikeThrough(bool v) { escribir(&Celda::CellFontStrikeThrough, v); }
    void setCellForeColor(Color v) { escribir(&Celda::CellForeColor, v); }
    void setCellBackColor(Color v) { escribir(&Celda::CellBackColor, v); }
    void setCellAlignment(int v) { escribir(&Celda::CellAlignment, v); }

    // The colours a cell shows, its own or the grid's.
    Color CellForeColor() const { return colorTexto(fila_, columna_); }
    Color CellBackColor() const { return colorFondo(fila_, columna_); }
    Color colorTexto(int r, int c) const {
        Color v = celda(r, c).CellForeColor;
        return v == kColorDeLaCuadricula ? ForeColor : v;
    }
    Color colorFondo(int r, int c) const {
        Color v = celda(r, c).CellBackColor;
        return v == kColorDeLaCuadricula ? BackColor : v;
    }

    const std::string& TextMatrix(int r, int c) const { return celda(r, c).Text; }
    // True when cell (r, c), inside the grid, holds something else than one
    // blank; unchecked, for whole-grid scans.
    bool escrita(int r, int c) const {
        const std::string& t = celdas_[indice(r, c)].Text;
        return t.size() != 1 || t[0] != ' ';
    }
    void setTextMatrix(int r, int c, const std::string& t);

    // Every cell's text becomes empty and every attribute the grid default.
    void Clear();

    // The grid's own keys: arrows, Home, End, PgUp, PgDn. True when the key
    // was one of them.
    bool teclaPropia(int codigo);

    // Counts changes, so a front end can tell when to repaint.
    unsigned long version() const { return version_; }

    // What the grid holds besides its public fields: its cells and their
    // sizes, the cursor, the selection and the view, to be kept and given
    // back whole.
    struct Contenido {
        int filas = 0, columnas = 0;
        int fila = 0, columna = 0, filaSel = 0, colSel = 0;
        int filaArriba = 0, colIzquierda = 0;
        std::vector<Celda> celdas;
        std::vector<int> altos, anchos;
    };
    Contenido contenido() const;
    // Gives it back without raising a cell event. False, and nothing
    // changes, when its parts do not fit together.
    bool restaurar(Contenido c);

  private:
    int indice(int r, int c) const { return r * columnas_ + c; }
    int comprobarFila(int r) const;
    int comprobarColumna(int c) const;
    Celda celdaPorDefecto() const;
    void redimensionar(int filas, int columnas);
    void moverA(int r, int c);
    void hacerVisible();
    int filasQueCabenDesde(int arriba) const;
    int altoTotal() const { return altoTotal_; }
    int anchoTotal() const { return anchoTotal_; }
    void sumarMedidas();

    template <class T, class V> void escribir(T Celda::*campo, const V& valor) {
        ++version_;
        if (FillStyle == 0) {
            celdas_[indice(fila_, columna_)].*campo = valor;
            return;
        }
        int r0 = std::min(fila_, filaSel_), r1 = std::max(fila_, filaSel_);
        int c0 = std::min(columna_, colSel_), c1 = std::max(columna_, colSel_);
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c)
                celdas_[indice(r, c)].*campo = valor;
    }

    int filas_ = 0, columnas_ = 0;
    int fila_ = 0, columna_ = 0, filaSel_ = 0, colSel_ = 0;
    int filaArriba_ = 0, colIzquierda_ = 0;
    std::vector<Celda> celdas_;
    std::vector<int> altos_, anchos_;
    // Their sums, kept with them: the scroll bars are asked on every move.
    int altoTotal_ = 0, anchoTotal_ = 0;
    unsigned long version_ = 0;
};

} // namespace renglero
