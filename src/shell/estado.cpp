// The notebook's whole state as one value, and back: what a recovery copy
// keeps of the pupil's work.
#include <nlohmann/json.hpp>
#include <utility>

#include "shell/Form1.h"

namespace renglero {

namespace {

using Json = nlohmann::json;

// A copy of another version is not taken back.
constexpr int kVersionEstado = 1;

// The state's strings are bytes (a cell's Windows-1252 character, a
// caption's UTF-8): each byte is kept as the code point of its value, so
// any byte survives JSON, which holds only UTF-8.
std::string aJson(const std::string& bytes) {
    std::string s;
    s.reserve(bytes.size());
    for (const unsigned char b : bytes) {
        if (b < 0x80) {
            s += static_cast<char>(b);
        } else {
            s += static_cast<char>(0xC0 | (b >> 6));
            s += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return s;
}

std::string deJson(const Json& j) {
    const std::string& s = j.get_ref<const std::string&>();
    std::string bytes;
    bytes.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            bytes += static_cast<char>(b);
        } else if ((b == 0xC2 || b == 0xC3) && i + 1 < s.size()) {
            bytes += static_cast<char>(((b & 0x03) << 6) | (s[++i] & 0x3F));
        } else {
            throw std::invalid_argument("carácter fuera de un byte");
        }
    }
    return bytes;
}

Json control(const Control& c) {
    return Json::array({c.Visible, aJson(c.Caption), c.Left, c.Top, c.Width, c.Height, c.TabStop});
}

Control control(const Json& j) {
    Control c;
    c.Visible = j.at(0).get<bool>();
    c.Caption = deJson(j.at(1));
    c.Left = j.at(2).get<int>();
    c.Top = j.at(3).get<int>();
    c.Width = j.at(4).get<int>();
    c.Height = j.at(5).get<int>();
    c.TabStop = j.at(6).get<bool>();
    return c;
}

// A cell's attributes but its text: most cells share them, so a grid keeps
// each set once and every cell its text and the number of its set.
Json formato(const Celda& c) {
    return Json::array({aJson(c.CellFontName), c.CellFontSize, c.CellFontBold, c.CellFontItalic,
                        c.CellFontUnderline, c.CellFontStrikeThrough, c.CellForeColor,
                        c.CellBackColor, c.CellAlignment});
}

Celda formato(const Json& j) {
    Celda c;
    c.CellFontName = deJson(j.at(0));
    c.CellFontSize = j.at(1).get<float>();
    c.CellFontBold = j.at(2).get<bool>();
    c.CellFontItalic = j.at(3).get<bool>();
    c.CellFontUnderline = j.at(4).get<bool>();
    c.CellFontStrikeThrough = j.at(5).get<bool>();
    c.CellForeColor = j.at(6).get<Color>();
    c.CellBackColor = j.at(7).get<Color>();
    c.CellAlignment = j.at(8).get<int>();
    return c;
}

bool mismoFormato(const Celda& a, const Celda& b) {
    return a.CellFontName == b.CellFontName && a.CellFontSize == b.CellFontSize &&
           a.CellFontBold == b.CellFontBold && a.CellFontItalic == b.CellFontItalic &&
           a.CellFontUnderline == b.CellFontUnderline &&
           a.CellFontStrikeThrough == b.CellFontStrikeThrough &&
           a.CellForeColor == b.CellForeColor && a.CellBackColor == b.CellBackColor &&
           a.CellAlignment == b.CellAlignment;
}

Json cuadricula(const Cuadricula& g) {
    const Cuadricula::Contenido c = g.contenido();
    Json textos = Json::array(), indices = Json::array(), formatos = Json::array();
    std::vector<const Celda*> distintos;
    for (const Celda& celda : c.celdas) {
        textos.push_back(aJson(celda.Text));
        // A grid has a handful of formats: the last one found is the likeliest.
        std::size_t i = distintos.size();
        while (i > 0 && !mismoFormato(*distintos[i - 1], celda))
            --i;
        if (i == 0) {
            distintos.push_back(&celda);
            formatos.push_back(formato(celda));
            i = distintos.size();
        }
        indices.push_back(i - 1);
    }
    return {{"filas", c.filas},
            {"columnas", c.columnas},
            {"cursor", {c.fila, c.columna, c.filaSel, c.colSel}},
            {"vista", {c.filaArriba, c.colIzquierda}},
            {"altos", c.altos},
            {"anchos", c.anchos},
            {"textos", std::move(textos)},
            {"formatos", std::move(formatos)},
            {"celdas", std::move(indices)},
            {"Redraw", g.Redraw},
            {"FillStyle", g.FillStyle},
            {"ScrollBars", g.ScrollBars},
            {"BackColor", g.BackColor},
            {"ForeColor", g.ForeColor},
            {"GridColor", g.GridColor},
            {"FontName", aJson(g.FontName)},
            {"FontSize", g.FontSize},
            {"FontBold", g.FontBold},
            {"marco", {g.Left, g.Top, g.Width, g.Height}},
            {"Visible", g.Visible},
            {"TabStop", g.TabStop},
            {"HighLight", g.HighLight}};
}

// Reads a grid into `g`, a copy that is given to the window only when the
// whole state has been read.
void cuadricula(const Json& j, Cuadricula& g) {
    Cuadricula::Contenido c;
    c.filas = j.at("filas").get<int>();
    c.columnas = j.at("columnas").get<int>();
    const Json& cursor = j.at("cursor");
    c.fila = cursor.at(0).get<int>();
    c.columna = cursor.at(1).get<int>();
    c.filaSel = cursor.at(2).get<int>();
    c.colSel = cursor.at(3).get<int>();
    c.filaArriba = j.at("vista").at(0).get<int>();
    c.colIzquierda = j.at("vista").at(1).get<int>();
    c.altos = j.at("altos").get<std::vector<int>>();
    c.anchos = j.at("anchos").get<std::vector<int>>();
    std::vector<Celda> formatos;
    for (const Json& f : j.at("formatos"))
        formatos.push_back(formato(f));
    const Json& textos = j.at("textos");
    const Json& indices = j.at("celdas");
    if (textos.size() != indices.size()) throw std::invalid_argument("celdas incompletas");
    c.celdas.reserve(textos.size());
    for (std::size_t i = 0; i < textos.size(); ++i) {
        Celda celda = formatos.at(indices[i].get<std::size_t>());
        celda.Text = deJson(textos[i]);
        c.celdas.push_back(std::move(celda));
    }
    if (!g.restaurar(std::move(c))) throw std::invalid_argument("cuadrícula incoherente");
    g.Redraw = j.at("Redraw").get<bool>();
    g.FillStyle = j.at("FillStyle").get<int>();
    g.ScrollBars = j.at("ScrollBars").get<int>();
    g.BackColor = j.at("BackColor").get<Color>();
    g.ForeColor = j.at("ForeColor").get<Color>();
    g.GridColor = j.at("GridColor").get<Color>();
    g.FontName = deJson(j.at("FontName"));
    g.FontSize = j.at("FontSize").get<float>();
    g.FontBold = j.at("FontBold").get<bool>();
    const Json& marco = j.at("marco");
    g.Left = marco.at(0).get<int>();
    g.Top = marco.at(1).get<int>();
    g.Width = marco.at(2).get<int>();
    g.Height = marco.at(3).get<int>();
    g.Visible = j.at("Visible").get<bool>();
    g.TabStop = j.at("TabStop").get<bool>();
    g.HighLight = j.at("HighLight").get<int>();
}

// Every control, by name.
template <class F> void cadaControl(F&& f, Form1& form) {
    const std::pair<const char*, Control*> controles[] = {{"Label1", &form.Label1},
                                                          {"Label2", &form.Label2},
                                                          {"Label3", &form.Label3},
                                                          {"Label4", &form.Label4},
                                                          {"Label5", &form.Label5},
                                                          {"Label6", &form.Label6},
                                                          {"Label7", &form.Label7},
                                                          {"Label8", &form.Label8},
                                                          {"Label9", &form.Label9},
                                                          {"Label10", &form.Label10},
                                                          {"Label11", &form.Label11},
                                                          {"Label12", &form.Label12},
                                                          {"Mensa", &form.Mensa},
                                                          {"mensa2", &form.mensa2},
                                                          {"Lt", &form.Lt},
                                                          {"Lab", &form.Lab},
                                                          {"Frame1", &form.Frame1},
                                                          {"Frame2", &form.Frame2},
                                                          {"Frame3", &form.Frame3},
                                                          {"Frame4", &form.Frame4},
                                                          {"Frame5", &form.Frame5},
                                                          {"Ayuda", &form.Ayuda},
                                                          {"Ta", &form.Ta},
                                                          {"Teta", &form.Teta},
                                                          {"texr", &form.texr},
                                                          {"Pic", &form.Pic},
                                                          {"Pic1", &form.Pic1},
                                                          {"operar0", &form.operar[0]},
                                                          {"operar1", &form.operar[1]},
                                                          {"operar2", &form.operar[2]},
                                                          {"operar3", &form.operar[3]},
                                                          {"Form2", &form.Form2},
                                                          {"Command1", &form.Command1}};
    for (const auto& [nombre, c] : controles)
        f(nombre, *c);
}

// The window-wide numbers, by name.
template <class F> void cadaNumero(F&& f, Form1& form) {
    const std::pair<const char*, int*> numeros[] = {
        {"zoom", &form.zoom},
        {"Left", &form.Left},
        {"Top", &form.Top},
        {"Width", &form.Width},
        {"Height", &form.Height},
        {"texrCaret", &form.texrCaret},
        {"lineaAyuda", &form.lineaAyuda},
        {"primeraLineaAyuda", &form.primeraLineaAyuda},
        {"modoTexto", &form.modoTexto},
        {"ventanaRecogida", &form.ventanaRecogida},
        {"altoNormal", &form.altoNormal},
        {"tablaIntacta", &form.tablaIntacta},
        {"confirmar", &form.confirmar},
        {"saltarTecla", &form.saltarTecla},
        {"teclaAnterior", &form.teclaAnterior},
        {"ultimaTecla", &form.ultimaTecla},
        {"teclaPendiente", &form.teclaPendiente},
        {"modoFraccion", &form.modoFraccion},
        {"colFraccion", &form.colFraccion},
        {"filaFraccion", &form.filaFraccion},
        {"finBarra", &form.finBarra},
        {"altoTabla", &form.altoTabla},
        {"colIzquierda", &form.colIzquierda},
        {"filaSuperior", &form.filaSuperior},
        {"colDerecha", &form.colDerecha},
        {"filaInferior", &form.filaInferior},
        {"colDivisor", &form.colDivisor},
        {"cifrasDivisor", &form.cifrasDivisor},
        {"colFactores", &form.colFactores},
        {"colRaiz", &form.colRaiz},
        {"bajando", &form.bajando},
        {"pasoMultiplicacion", &form.pasoMultiplicacion},
        {"largoMultiplicando", &form.largoMultiplicando},
        {"largoMultiplicador", &form.largoMultiplicador},
        {"filaDescompos", &form.datosDescompos.fila},
        {"colDescompos", &form.datosDescompos.columna},
        {"filaGuardada", &form.filaGuardada},
        {"colGuardada", &form.colGuardada},
        {"fuenteSimbolo", &form.fuenteSimbolo},
        {"fuenteSubindice", &form.fuenteSubindice},
        {"fuenteSuperindice", &form.fuenteSuperindice},
        {"fuenteNegrita", &form.fuenteNegrita},
        {"fuenteCursiva", &form.fuenteCursiva},
        {"fuenteSubrayado", &form.fuenteSubrayado},
        {"fuenteTachado", &form.fuenteTachado},
        {"colorActual", &form.colorActual},
        {"filaInicioFormato", &form.filaInicioFormato},
        {"colInicioFormato", &form.colInicioFormato},
        {"lineasRaiz", &form.lineasRaiz}};
    for (const auto& [nombre, n] : numeros)
        f(nombre, *n);
}

template <class F> void cadaTexto(F&& f, Form1& form) {
    const std::pair<const char*, std::string*> textos[] = {
        {"Caption", &form.Caption},
        {"tituloBase", &form.tituloBase},
        {"tituloAyuda", &form.tituloAyuda},
        {"sentido", &form.sentido},
        {"operacion", &form.operacion},
        {"indiceRaiz", &form.indiceRaiz},
        {"filasTablaNueva", &form.filasTablaNueva},
        {"columnasTablaNueva", &form.columnasTablaNueva},
        {"lineaEstadoGuardada", &form.lineaEstadoGuardada}};
    for (const auto& [nombre, t] : textos)
        f(nombre, *t);
}

} // namespace

std::string Form1::estado() const {
    // The tables walk the members; nothing is written through them here.
    Form1& f = const_cast<Form1&>(*this);
    Json j;
    j["version"] = kVersionEstado;
    Json controles, numeros, textos;
    cadaControl([&](const char* n, const Control& c) { controles[n] = control(c); }, f);
    cadaNumero([&](const char* n, const int& v) { numeros[n] = v; }, f);
    cadaTexto([&](const char* n, const std::string& t) { textos[n] = aJson(t); }, f);
    j["controles"] = std::move(controles);
    j["numeros"] = std::move(numeros);
    j["textos"] = std::move(textos);
    j["anchoLineaWord"] = anchoLineaWord;
    j["foco"] = static_cast<int>(foco);
    j["texrTodoSeleccionado"] = texrTodoSeleccionado;
    j["tabla"] = cuadricula(tabla);
    j["tabla1"] = cuadricula(tabla1);
    j["tablae"] = cuadricula(tablae);
    return j.dump();
}

bool Form1::restaurar(const std::string& texto) {
    // Everything is read into copies first: a copy that fails half-way
    // leaves the window as it was.
    Cuadricula t = tabla, t1 = tabla1, te = tablae;
    std::vector<std::pair<Control*, Control>> controles;
    std::vector<std::pair<int*, int>> numeros;
    std::vector<std::pair<std::string*, std::string>> textos;
    float ancho = 0;
    int focoLeido = 0;
    bool todoSeleccionado = false;
    try {
        const Json j = Json::parse(texto);
        if (j.at("version").get<int>() != kVersionEstado) return false;
        cadaControl(
            [&](const char* n, Control& c) {
                controles.emplace_back(&c, control(j.at("controles").at(n)));
            },
            *this);
        cadaNumero([&](const char* n,
                       int& v) { numeros.emplace_back(&v, j.at("numeros").at(n).get<int>()); },
                   *this);
        cadaTexto([&](const char* n,
                      std::string& s) { textos.emplace_back(&s, deJson(j.at("textos").at(n))); },
                  *this);
        ancho = j.at("anchoLineaWord").get<float>();
        focoLeido = j.at("foco").get<int>();
        if (focoLeido < static_cast<int>(Foco::tabla) ||
            focoLeido > static_cast<int>(Foco::Command1))
            return false;
        todoSeleccionado = j.at("texrTodoSeleccionado").get<bool>();
        cuadricula(j.at("tabla"), t);
        cuadricula(j.at("tabla1"), t1);
        cuadricula(j.at("tablae"), te);
    } catch (const std::exception&) {
        return false;
    }
    // The grids keep their cell events, which belong to this window.
    auto dar = [](Cuadricula& destino, Cuadricula& origen) {
        auto salir = std::move(destino.LeaveCell);
        auto entrar = std::move(destino.EnterCell);
        auto cambio = std::move(destino.RowColChange);
        destino = std::move(origen);
        destino.LeaveCell = std::move(salir);
        destino.EnterCell = std::move(entrar);
        destino.RowColChange = std::move(cambio);
    };
    dar(tabla, t);
    dar(tabla1, t1);
    dar(tablae, te);
    for (auto& [c, v] : controles)
        *c = std::move(v);
    for (auto& [n, v] : numeros)
        *n = v;
    for (auto& [s, v] : textos)
        *s = std::move(v);
    anchoLineaWord = ancho;
    foco = static_cast<Foco>(focoLeido);
    texrTodoSeleccionado = todoSeleccionado;
    cola_.clear();
    // The look (open or collapsed to its strip) was the gone window's: the
    // next look of Timer2 gives this one its own, whichever window is active.
    ultimaVentana = -1;
    // Restored after the first activation, which must not start it afresh.
    primeraActivacionHecha_ = true;
    // A quit that was being asked is not asked again after the restart, and
    // the about box is a window of its own that is not open.
    if (Mensa.Caption == textoSalir()) {
        Mensa.Caption.clear();
        Frame1.Visible = false;
        tabla.TabStop = true;
        foco = Foco::tabla;
    }
    // The caption of a notebook that was ending ("Finalizando...") is not
    // that of the one that goes on.
    ponerTitulo();
    if (Form2.Visible || foco == Foco::Command1) {
        Form2.Visible = false;
        if (foco == Foco::Command1) foco = Foco::tabla;
    }
    ++versionVentana_;
    return true;
}

bool Form1::hayTrabajo() const {
    for (int r = 0; r < tabla.Rows(); ++r)
        for (int c = 0; c < tabla.Cols(); ++c)
            if (tabla.escrita(r, c)) return true;
    for (int c = 0; c < tabla1.Cols(); ++c) {
        const std::string& t = tabla1.TextMatrix(0, c);
        if (t.find_first_not_of(' ') != std::string::npos) return true;
    }
    return false;
}

} // namespace renglero
