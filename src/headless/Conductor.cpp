#include "headless/Conductor.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "headless/Teclas.h"
#include "headless/Volcado.h"

namespace renglero {

namespace {

constexpr int kMaxAnidamiento = 16;
// What a script may ask for: lines, files, cursor moves and pages of a sane
// size (a page no wider than an A0 sheet, 84 cm).
constexpr std::size_t kMaxLinea = 1 << 20;
constexpr std::uintmax_t kMaxGuion = 16 << 20;
constexpr long kMaxMovimiento = 1000000;
constexpr double kMaxAnchoPagina = 2384;

std::string recortar(const std::string& s) {
    const auto a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) return "";
    return s.substr(a, s.find_last_not_of(" \t\r") - a + 1);
}

// A number written whole ("2x", "1e3" and "" are not), from minimo to maximo.
std::optional<long> entero(const std::string& s, long minimo, long maximo) {
    long n = 0;
    const char* fin = s.data() + s.size();
    const auto [resto, fallo] = std::from_chars(s.data(), fin, n);
    if (fallo != std::errc() || resto != fin || n < minimo || n > maximo) return std::nullopt;
    return n;
}

// A decimal number written whole, with a point and no exponent.
std::optional<double> decimal(const std::string& s, double minimo, double maximo) {
    double x = 0;
    const char* fin = s.data() + s.size();
    const auto [resto, fallo] = std::from_chars(s.data(), fin, x, std::chars_format::fixed);
    if (fallo != std::errc() || resto != fin || !(x >= minimo && x <= maximo)) return std::nullopt;
    return x;
}

// One line of a script, up to kMaxLinea characters. False at the end of the
// input; `larga` when the line goes on past the bound (the rest is left).
bool leerLinea(std::istream& in, std::string& linea, bool& larga) {
    linea.clear();
    larga = false;
    std::streambuf* buffer = in.rdbuf();
    for (int c = buffer->sbumpc(); c != std::char_traits<char>::eof(); c = buffer->sbumpc()) {
        if (c == '\n') return true;
        if (linea.size() == kMaxLinea) {
            larga = true;
            return true;
        }
        linea.push_back(static_cast<char>(c));
    }
    in.setstate(std::ios::eofbit);
    return !linea.empty();
}

} // namespace

Conductor::Conductor(std::ostream& salida, DocumentoConducido documento)
    : salida_(salida), documento_(std::move(documento)),
      plataforma_([this](const std::string& j) { escribir(j); }), form_(plataforma_) {
    plataforma_.conectar(form_);
    plataforma_.alProcesarEventos = [this] { entregarEventosDocumento(); };
    plataforma_.alActivarDocumento = documento_.avisarActivacion;
    form_.word = documento_.word;
    form_.cargar();
    plataforma_.activar(Ventana::notebook);
    programarTemporizadores();
}

void Conductor::escribir(const std::string& json) {
    salida_ << json << '\n' << std::flush;
}

void Conductor::error(const std::string& que) {
    nlohmann::json j;
    j["error"] = que;
    escribir(j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
}

// Each timer ticks every Interval from the moment it is armed.
void Conductor::programarTemporizadores() {
    const long ahora = plataforma_.reloj();
    auto programar = [ahora](long& proximo, const Temporizador& t) {
        if (t.Interval <= 0)
            proximo = -1;
        else if (proximo < 0)
            proximo = ahora + t.Interval;
    };
    programar(proximoTimer1_, form_.Timer1);
    programar(proximoTimer2_, form_.Timer2);
}

void Conductor::esperar(long ms) {
    const long fin = plataforma_.reloj() + ms;
    while (!terminado()) {
        programarTemporizadores();
        long proximo = -1;
        for (long t : {proximoTimer1_, proximoTimer2_})
            if (t >= 0 && t <= fin && (proximo < 0 || t < proximo)) proximo = t;
        if (proximo < 0) break;
        plataforma_.pasarTiempo(proximo - plataforma_.reloj());
        if (proximo == proximoTimer1_) {
            proximoTimer1_ += form_.Timer1.Interval;
            form_.tickTimer1();
        }
        if (proximo == proximoTimer2_ && !terminado()) {
            proximoTimer2_ += form_.Timer2.Interval;
            form_.tickTimer2();
        }
    }
    if (plataforma_.reloj() < fin) plataforma_.pasarTiempo(fin - plataforma_.reloj());
}

void Conductor::clic(const std::string& nombre) {
    if (nombre == "Label1") {
        form_.clicLabel1();
    } else if (nombre == "Label2") {
        form_.clicLabel2();
    } else if (nombre == "Command1") {
        // The about box's button exists only while the box is shown.
        if (!form_.Form2.Visible)
            error("Command1 no está a la vista");
        else
            form_.clicCommand1();
    } else if (nombre.size() == 7 && nombre.rfind("operar", 0) == 0 && nombre[6] >= '0' &&
               nombre[6] <= '3') {
        // As the window shows them: in their frame, not under the help, and
        // not in the part of the grid that a collapsed window hides.
        const int i = nombre[6] - '0';
        const bool aLaVista =
            form_.Frame5.Visible && form_.operar[i].Visible && !form_.Ayuda.Visible &&
            form_.Frame5.Top + form_.operar[i].Top < form_.Height - form_.margenVentana;
        if (!aLaVista)
            error(nombre + " no está a la vista");
        else
            form_.clicOperar(i);
    } else {
        error("control desconocido: " + nombre);
    }
}

void Conductor::entregarEventosDocumento() {
    if (documento_.entregarEventos) documento_.entregarEventos();
}

void Conductor::ordenDocumento(const std::vector<std::string>& args, const std::string& linea) {
    ManejoDocumento* doc = documento_.manejo;
    if (doc == nullptr || args.empty()) {
        error("doc necesita una orden: type, page, close, new, quit, move o save");
        return;
    }
    const std::string& orden = args[0];
    try {
        if (orden == "type") {
            // The text is the rest of the line, spaces included; "\n" breaks it.
            const auto desde = linea.find("type") + 4;
            std::string texto = desde < linea.size() ? linea.substr(desde + 1) : "";
            std::string final;
            for (std::size_t i = 0; i < texto.size(); ++i) {
                if (texto[i] == '\\' && i + 1 < texto.size() && texto[i + 1] == 'n') {
                    final += '\n';
                    ++i;
                } else {
                    final += texto[i];
                }
            }
            doc->escribir(final);
        } else if (orden == "page" && args.size() == 4) {
            const auto ancho = decimal(args[1], 0, kMaxAnchoPagina);
            const auto izquierdo = decimal(args[2], 0, kMaxAnchoPagina);
            const auto derecho = decimal(args[3], 0, kMaxAnchoPagina);
            if (!ancho || !izquierdo || !derecho || *izquierdo + *derecho >= *ancho)
                throw std::invalid_argument("page");
            doc->fijarPagina(static_cast<float>(*ancho), static_cast<float>(*izquierdo),
                             static_cast<float>(*derecho));
        } else if (orden == "close" && args.size() == 1) {
            doc->cerrarDocumento();
        } else if (orden == "new" && args.size() == 1) {
            doc->nuevoDocumento();
        } else if (orden == "quit" && args.size() == 1) {
            doc->salir();
        } else if (orden == "move" && args.size() == 2) {
            const auto n = entero(args[1], -kMaxMovimiento, kMaxMovimiento);
            if (!n) throw std::invalid_argument("move");
            doc->moverCursor(static_cast<int>(*n));
        } else if (orden == "save" && args.size() >= 2) {
            // The path is the rest of the line, spaces included.
            const std::string ruta = recortar(linea.substr(linea.find("save") + 4));
            if (!doc->guardar(ruta)) error("no se pudo guardar el documento en " + ruta);
        } else {
            error("orden de documento desconocida: " + orden);
        }
    } catch (const ErrorWord& e) {
        error(std::string("el documento no lo permite: ") + e.what());
    } catch (const std::exception&) {
        error("valores no válidos para doc " + orden);
    }
}

void Conductor::linea(const std::string& texto) {
    const std::string l = recortar(texto);
    if (l.empty() || l[0] == '#' || terminado()) return;
    std::istringstream in(l);
    std::string orden;
    in >> orden;
    std::vector<std::string> args;
    for (std::string a; in >> a;)
        args.push_back(a);

    if (orden == "keys") {
        // A bad token refuses the whole line: nothing of it is typed.
        std::vector<TokenLeido> tokens;
        std::string fallo;
        for (const std::string& token : args) {
            auto leido = leerToken(token, fallo);
            if (!leido) break;
            tokens.push_back(std::move(*leido));
        }
        if (tokens.size() < args.size()) {
            error(fallo);
        } else {
            for (const TokenLeido& token : tokens) {
                if (terminado()) break;
                teclearToken(token, form_, plataforma_);
            }
        }
    } else if (orden == "answer") {
        for (const std::string& a : args) {
            if (a == "OK")
                plataforma_.encolarRespuesta(Respuesta::OK);
            else if (a == "Cancel")
                plataforma_.encolarRespuesta(Respuesta::Cancel);
            else if (a == "Yes")
                plataforma_.encolarRespuesta(Respuesta::Yes);
            else if (a == "No")
                plataforma_.encolarRespuesta(Respuesta::No);
            else
                error("respuesta desconocida: " + a);
        }
    } else if (orden == "wait") {
        const auto ms = args.size() == 1 ? entero(args[0], 0, 999999999) : std::nullopt;
        if (!ms)
            error("wait necesita los milisegundos");
        else
            esperar(*ms);
    } else if (orden == "click") {
        if (args.size() != 1)
            error("click necesita un control");
        else
            clic(args[0]);
    } else if (orden == "activate") {
        if (args.size() == 1 && args[0] == "notebook")
            plataforma_.activar(Ventana::notebook);
        else if (args.size() == 1 && args[0] == "word")
            plataforma_.activar(Ventana::word);
        else if (args.size() == 1 && args[0] == "other")
            plataforma_.activar(Ventana::other);
        else
            error("activate necesita notebook, word u other");
    } else if (orden == "dump") {
        escribir(volcado(form_));
    } else if (orden == "cell") {
        try {
            const auto fila = args.size() == 2 ? entero(args[0], 0, 9999) : std::nullopt;
            const auto columna = args.size() == 2 ? entero(args[1], 0, 9999) : std::nullopt;
            if (!fila || !columna) throw std::invalid_argument("cell");
            escribir(volcadoCelda(form_, static_cast<int>(*fila), static_cast<int>(*columna)));
        } catch (const std::exception&) {
            error("cell necesita una fila y una columna de la tabla");
        }
    } else if (orden == "memory") {
        escribir(volcadoMemoria(form_));
    } else if (orden == "document") {
        DocumentoLeido leido;
        try {
            if (documento_.word != nullptr) leido = documento_.word->leer();
        } catch (const ErrorWord&) {
        }
        escribir(volcadoDocumento(leido));
    } else if (orden == "doc") {
        ordenDocumento(args, l);
    } else if (orden == "run") {
        // A file of its own (not a folder, nor a device that never ends).
        std::error_code fallo;
        const bool archivoPropio =
            args.size() == 1 && std::filesystem::is_regular_file(args[0], fallo);
        std::ifstream archivo;
        if (archivoPropio) archivo.open(args[0]);
        if (!archivoPropio || !archivo)
            error("no se puede leer el guion");
        else if (std::filesystem::file_size(args[0], fallo) > kMaxGuion)
            error("el guion es demasiado largo");
        else if (anidamiento_ >= kMaxAnidamiento)
            error("demasiados guiones anidados");
        else {
            ++anidamiento_;
            correr(archivo);
            --anidamiento_;
        }
    } else {
        error("orden desconocida: " + orden);
    }
    // What the document reported runs between the script's lines, as the
    // window's event loop would run it.
    entregarEventosDocumento();
    form_.procesarPendientes();
    programarTemporizadores();
}

void Conductor::correr(std::istream& guion) {
    std::string s;
    bool larga = false;
    while (!terminado() && leerLinea(guion, s, larga)) {
        if (larga) {
            // Where the line ends cannot be known: the script stops here.
            error("línea del guion demasiado larga: se deja el guion");
            return;
        }
        linea(s);
    }
}

bool Conductor::ejecutar(std::istream& guion) {
    correr(guion);
    return !guion.bad();
}

int ejecutarSinPantalla(const Opciones& opciones, std::istream& entrada, std::ostream& salida) {
    std::optional<DocumentoConducido> elegido;
    if (opciones.documento == Opciones::Documento::writer) {
        elegido = documentoWriter();
        if (!elegido) {
            std::cerr << "renglero: no se puede usar LibreOffice Writer\n";
            return 2;
        }
    } else {
        elegido = documentoPropio();
    }
    Conductor conductor(salida, std::move(*elegido));
    return conductor.ejecutar(entrada) ? 0 : 1;
}

} // namespace renglero
