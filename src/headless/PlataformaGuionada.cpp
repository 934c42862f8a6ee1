#include "headless/PlataformaGuionada.h"

#include <cmath>
#include <nlohmann/json.hpp>

#include "shell/Form1.h"

namespace renglero {

namespace {

const char* nombreRespuesta(Respuesta r) {
    switch (r) {
    case Respuesta::OK:
        return "OK";
    case Respuesta::Cancel:
        return "Cancel";
    case Respuesta::Yes:
        return "Yes";
    case Respuesta::No:
        return "No";
    }
    return "OK";
}

bool cabe(Respuesta r, Botones b) {
    switch (b) {
    case Botones::OK:
        return r == Respuesta::OK;
    case Botones::OKCancel:
        return r == Respuesta::OK || r == Respuesta::Cancel;
    case Botones::YesNo:
        return r == Respuesta::Yes || r == Respuesta::No;
    }
    return false;
}

} // namespace

PlataformaGuionada::PlataformaGuionada(std::function<void(const std::string&)> salida)
    : salida_(std::move(salida)) {}

// The icon is no part of the driver's line.
Respuesta PlataformaGuionada::mensaje(const std::string& texto, const std::string& titulo,
                                      Botones botones, Icono) {
    Respuesta r = botones == Botones::OK      ? Respuesta::OK
                  : botones == Botones::YesNo ? Respuesta::No
                                              : Respuesta::Cancel;
    if (!respuestas_.empty()) {
        if (cabe(respuestas_.front(), botones)) r = respuestas_.front();
        respuestas_.pop_front();
    }
    const char* nombres[] = {"OK", "OKCancel", "YesNo"};
    nlohmann::ordered_json j;
    j["msgbox"] = {{"title", titulo},
                   {"text", texto},
                   {"buttons", nombres[static_cast<int>(botones)]},
                   {"answer", nombreRespuesta(r)}};
    salida_(j.dump());
    return r;
}

void PlataformaGuionada::pitar() {
    salida_(R"({"beep": true})");
}

double PlataformaGuionada::horaDelDia() const {
    // Seconds since midnight: the clock goes round past 24:00:00.
    return std::fmod(8 * 3600.0 + static_cast<double>(reloj_) / 1000.0, 24 * 3600.0);
}

int PlataformaGuionada::estadoF11() {
    // A press stays "down and pressed since the last poll" until a poll reads it.
    const int estado = f11Pulsada_ ? 0x8001 : (f11Mantenida_ ? 0x8000 : 0);
    f11Pulsada_ = false;
    return estado;
}

void PlataformaGuionada::activar(Ventana v) {
    const Ventana antes = activa_;
    activa_ = v;
    if (alActivarDocumento && antes == Ventana::word && v != Ventana::word)
        alActivarDocumento(false);
    if (form_ != nullptr) form_->activar(v);
    if (alActivarDocumento && v == Ventana::word && antes != Ventana::word)
        alActivarDocumento(true);
}

void PlataformaGuionada::activarVentana(const std::string& titulo) {
    if (titulo == "Word")
        activar(Ventana::word);
    else if (form_ != nullptr && titulo == form_->Caption)
        activar(Ventana::notebook);
}

void PlataformaGuionada::lanzarOtraCopia() {
    salida_(R"({"start": "Renglero"})");
}

bool PlataformaGuionada::imprimir(const std::string& fuente, int tamano,
                                  const std::vector<std::string>& lineas) {
    std::string texto;
    for (std::size_t i = 0; i < lineas.size(); ++i)
        texto += (i ? "\r\n" : "") + lineas[i];
    nlohmann::ordered_json j;
    j["print"] = {{"font", fuente}, {"size", tamano}, {"text", texto}};
    salida_(j.dump());
    return true;
}

} // namespace renglero
