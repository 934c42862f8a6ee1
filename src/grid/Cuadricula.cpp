#include "grid/Cuadricula.h"
#include "platform/Teclas.h"

#include <algorithm>
#include <numeric>

namespace renglero {

namespace {
constexpr int kAltoFilaInicial = 300;
constexpr int kAnchoColumnaInicial = 270;
} // namespace

Cuadricula::Cuadricula(int filas, int columnas, std::string fuente, float tamano, bool negrita)
    : FontName(std::move(fuente)), FontSize(tamano), FontBold(negrita) {
    redimensionar(filas, columnas);
}

Celda Cuadricula::celdaPorDefecto() const {
    Celda c;
    c.CellFontName = FontName;
    c.CellFontSize = FontSize;
    c.CellFontBold = FontBold;
    return c;
}

void Cuadricula::redimensionar(int filas, int columnas) {
    filas = std::max(filas, 0);
    columnas = std::max(columnas, 0);
    std::vector<Celda> nuevas(static_cast<std::size_t>(filas) * columnas, celdaPorDefecto());
    for (int r = 0; r < std::min(filas, filas_); ++r)
        for (int c = 0; c < std::min(columnas, columnas_); ++c)
            nuevas[r * columnas + c] = celdas_[indice(r, c)];
    celdas_ = std::move(nuevas);
    altos_.resize(filas, altos_.empty() ? kAltoFilaInicial : altos_.back());
    anchos_.resize(columnas, anchos_.empty() ? kAnchoColumnaInicial : anchos_.back());
    sumarMedidas();
    filas_ = filas;
    columnas_ = columnas;
    fila_ = std::clamp(fila_, 0, std::max(filas - 1, 0));
    columna_ = std::clamp(columna_, 0, std::max(columnas - 1, 0));
    filaSel_ = fila_;
    colSel_ = columna_;
    filaArriba_ = std::clamp(filaArriba_, 0, std::max(filas - 1, 0));
    colIzquierda_ = std::clamp(colIzquierda_, 0, std::max(columnas - 1, 0));
    ++version_;
}

void Cuadricula::setRows(int n) {
    redimensionar(n, columnas_);
}
void Cuadricula::setCols(int n) {
    redimensionar(filas_, n);
}

int Cuadricula::comprobarFila(int r) const {
    if (r < 0 || r >= filas_) throw ErrorCuadricula("fila fuera de la cuadrícula");
    return r;
}

int Cuadricula::comprobarColumna(int c) const {
    if (c < 0 || c >= columnas_) throw ErrorCuadricula("columna fuera de la cuadrícula");
    return c;
}

void Cuadricula::moverA(int r, int c) {
    if (r == fila_ && c == columna_) {
        filaSel_ = r;
        colSel_ = c;
        return;
    }
    if (LeaveCell) LeaveCell();
    fila_ = r;
    columna_ = c;
    filaSel_ = r;
    colSel_ = c;
    ++version_;
    if (EnterCell) EnterCell();
    if (RowColChange) RowColChange();
}

void Cuadricula::setRow(int r) {
    moverA(comprobarFila(r), columna_);
}
void Cuadricula::setCol(int c) {
    moverA(fila_, comprobarColumna(c));
}
void Cuadricula::setRowSel(int r) {
    filaSel_ = comprobarFila(r);
}
void Cuadricula::setColSel(int c) {
    colSel_ = comprobarColumna(c);
}

void Cuadricula::sumarMedidas() {
    altoTotal_ = std::accumulate(altos_.begin(), altos_.end(), 0);
    anchoTotal_ = std::accumulate(anchos_.begin(), anchos_.end(), 0);
}

// A bar that one direction needs can make the other one needed too.
bool Cuadricula::barraVertical() const {
    if (ScrollBars != 3) return false;
    const bool horizontalSola = anchoTotal() > Width;
    return altoTotal() > Height - (horizontalSola ? kGrosorBarra : 0);
}

bool Cuadricula::barraHorizontal() const {
    if (ScrollBars != 3) return false;
    return anchoTotal() > Width - (barraVertical() ? kGrosorBarra : 0);
}

int Cuadricula::altoVisible() const {
    return Height - (barraHorizontal() ? kGrosorBarra : 0);
}

int Cuadricula::anchoVisible() const {
    return Width - (barraVertical() ? kGrosorBarra : 0);
}

bool Cuadricula::origenEnVista(int fila, int columna, int& x, int& y) const {
    if (fila < TopRow() || columna < LeftCol() || fila >= Rows() || columna >= Cols()) return false;
    y = 0;
    x = 0;
    for (int r = TopRow(); r < fila; ++r)
        y += RowHeight(r);
    for (int c = LeftCol(); c < columna; ++c)
        x += ColWidth(c);
    return y < altoVisible() && x < anchoVisible();
}

namespace {

// How many rows (or columns) of these sizes fit whole in `visible`, from `desde`.
int cabenDesde(const std::vector<int>& medidas, int desde, int visible) {
    int n = 0, total = 0;
    for (int i = desde; i < static_cast<int>(medidas.size()); ++i) {
        total += medidas[static_cast<std::size_t>(i)];
        if (total > visible) break;
        ++n;
    }
    return n;
}

} // namespace

int Cuadricula::filasQueCabenDesde(int arriba) const {
    return cabenDesde(altos_, arriba, altoVisible());
}

int Cuadricula::columnasVisibles() const {
    return cabenDesde(anchos_, colIzquierda_, anchoVisible());
}

int Cuadricula::filaArribaMaxima() const {
    // The view scrolls no further than where the last row stands at the bottom.
    const int visible = altoVisible();
    int alto = 0, arriba = filas_;
    while (arriba > 0 && alto + altos_[arriba - 1] <= visible)
        alto += altos_[--arriba];
    return std::clamp(arriba, 0, std::max(filas_ - 1, 0));
}

int Cuadricula::colIzquierdaMaxima() const {
    const int visible = anchoVisible();
    int ancho = 0, izquierda = columnas_;
    while (izquierda > 0 && ancho + anchos_[izquierda - 1] <= visible)
        ancho += anchos_[--izquierda];
    return std::clamp(izquierda, 0, std::max(columnas_ - 1, 0));
}

void Cuadricula::setTopRow(int r) {
    filaArriba_ = std::min(comprobarFila(r), filaArribaMaxima());
    ++version_;
}

void Cuadricula::setLeftCol(int c) {
    colIzquierda_ = std::min(comprobarColumna(c), colIzquierdaMaxima());
    ++version_;
}

bool Cuadricula::RowIsVisible(int r) const {
    comprobarFila(r);
    if (r < filaArriba_) return false;
    int alto = 0;
    for (int i = filaArriba_; i <= r; ++i)
        alto += altos_[i];
    return alto <= altoVisible();
}

bool Cuadricula::ColIsVisible(int c) const {
    comprobarColumna(c);
    if (c < colIzquierda_) return false;
    int ancho = 0;
    for (int i = colIzquierda_; i <= c; ++i)
        ancho += anchos_[i];
    return ancho <= anchoVisible();
}

void Cuadricula::setRowHeight(int r, int alto) {
    altos_.at(comprobarFila(r)) = alto;
    sumarMedidas();
    ++version_;
}

void Cuadricula::setColWidth(int c, int ancho) {
    anchos_.at(comprobarColumna(c)) = ancho;
    sumarMedidas();
    ++version_;
}

void Cuadricula::setTodasFilasAlto(int alto) {
    std::fill(altos_.begin(), altos_.end(), alto);
    sumarMedidas();
    ++version_;
}

void Cuadricula::setTodasColumnasAncho(int ancho) {
    std::fill(anchos_.begin(), anchos_.end(), ancho);
    sumarMedidas();
    ++version_;
}

void Cuadricula::setTextMatrix(int r, int c, const std::string& t) {
    celdas_[indice(comprobarFila(r), comprobarColumna(c))].Text = t;
    ++version_;
}

void Cuadricula::Clear() {
    std::fill(celdas_.begin(), celdas_.end(), celdaPorDefecto());
    ++version_;
}

void Cuadricula::hacerVisible() {
    if (fila_ < filaArriba_) filaArriba_ = fila_;
    while (filaArriba_ < fila_ && !RowIsVisible(fila_))
        ++filaArriba_;
    if (columna_ < colIzquierda_) colIzquierda_ = columna_;
    while (colIzquierda_ < columna_ && !ColIsVisible(columna_))
        ++colIzquierda_;
    ++version_;
}

Cuadricula::Contenido Cuadricula::contenido() const {
    return {filas_,      columnas_,     fila_,   columna_, filaSel_, colSel_,
            filaArriba_, colIzquierda_, celdas_, altos_,   anchos_};
}

bool Cuadricula::restaurar(Contenido c) {
    auto dentro = [](int v, int n) { return v >= 0 && v < std::max(n, 1); };
    if (c.filas < 0 || c.columnas < 0 ||
        c.celdas.size() != static_cast<std::size_t>(c.filas) * c.columnas ||
        c.altos.size() != static_cast<std::size_t>(c.filas) ||
        c.anchos.size() != static_cast<std::size_t>(c.columnas) || !dentro(c.fila, c.filas) ||
        !dentro(c.filaSel, c.filas) || !dentro(c.filaArriba, c.filas) ||
        !dentro(c.columna, c.columnas) || !dentro(c.colSel, c.columnas) ||
        !dentro(c.colIzquierda, c.columnas))
        return false;
    filas_ = c.filas;
    columnas_ = c.columnas;
    fila_ = c.fila;
    columna_ = c.columna;
    filaSel_ = c.filaSel;
    colSel_ = c.colSel;
    filaArriba_ = c.filaArriba;
    colIzquierda_ = c.colIzquierda;
    celdas_ = std::move(c.celdas);
    altos_ = std::move(c.altos);
    anchos_ = std::move(c.anchos);
    sumarMedidas();
    ++version_;
    return true;
}

bool Cuadricula::teclaPropia(int codigo) {
    if (filas_ == 0 || columnas_ == 0) return false;
    int r = fila_, c = columna_;
    int pagina = std::max(filasQueCabenDesde(filaArriba_), 1);
    switch (codigo) {
    case kIzquierda:
        c = std::max(c - 1, 0);
        break;
    case kArriba:
        r = std::max(r - 1, 0);
        break;
    case kDerecha:
        c = std::min(c + 1, columnas_ - 1);
        break;
    case kAbajo:
        r = std::min(r + 1, filas_ - 1);
        break;
    case kInicio:
        c = 0;
        break;
    case kFin:
        c = columnas_ - 1;
        break;
    case kRePag:
        r = std::max(r - pagina, 0);
        filaArriba_ = std::max(filaArriba_ - pagina, 0);
        break;
    case kAvPag:
        r = std::min(r + pagina, filas_ - 1);
        filaArriba_ = std::min(filaArriba_ + pagina, filaArribaMaxima());
        break;
    default:
        return false;
    }
    moverA(r, c);
    hacerVisible();
    return true;
}

} // namespace renglero
