// The notebook's fixed texts.
#include "shell/Form1.h"

namespace renglero {

const std::vector<std::string>& Form1::lineasAyuda() {
    static const std::vector<std::string> lineas = {
        "  [ Esc ] = Borrar la tabla del <Renglero>.",
        "  [ F1 ] = Pasar la línea activa a la memoria.",
        "  [ F2 ] = Pasar la memoria a la línea activa.",
        "  [ F3 ] = Ver derechos de Autor.",
        "  [ F4 ] = Imprime una raya de quebrado (modo Texto).",
        "  [ F5 ] = Ver la Ayuda.",
        "  [ F6 ] = Ver y seleccionar signos especiales (modo Texto).",
        "  [ F7 ] = Cargar otro <Renglero>.",
        "  [ F8 ] = Alternar entre dos colores de <Renglero>.",
        "  [ F9 ] = Enviar el contenido de <Renglero> a Word.",
        "  [ F10 ] = Alternar entre signos Normales y Especiales (modo Texto).",
        "  [ F11 ] = Alternar entre <Word> y <Renglero>.",
        "  [ F12 ] = Cambiar la posición de <Renglero>.",
        "  [ TAB ] = Cambiar el sentido de avance del cursor (modo Cuentas).",
        "  [ TAB ] = Activar Fracciones (modo Texto).",
        "  [ Ç ] = Alternar entre modo <Cuentas> y modo <Texto>.",
        "  [ C ] = Alternar entre confirmar o no los comandos (modo Cuentas).",
        "  [ D ] = Descomponer en factores (modo Cuentas).",
        "  [ H ] = Alternar dos tamaños de <Renglero> (modo Cuentas).",
        "  [ M ] = Maximizar / minimizar <Renglero> (modo Cuentas).",
        "  [ R ] = Raíz cuadrada (mdo Cuentas).",
        "  [ T ] = Insertar / Manejar Tablas de Word (modo Cuentas).",
        "  [ Ctrl- R ] = Dibujar un radical (modo Texto).",
        "  [ Ctrl- H ] = Alternar dos tamaños de <Renglero> (modo Texto).",
        "  [ Ctrl-M ] = Maximizar / minimizar <Renglero> (modo Texto).",
        "  [ Ctrl-T ] = Insertar / Manejar Tablas de Word (modo Texto).",
        "  [ Ctrl-B ] = Subíndices (modo Texto).",
        "  [ Ctrl-P ] = Superíndices (modo Texto).",
        "  [ Ctrl-N ] = Negrita (modo Texto).",
        "  [ Ctrl-C ] = Cursiva (modo Texto).",
        "  [ Ctrl-- ] = Tachado (modo Texto).",
        "  [ Ctrl-1,2,3,0 ] = Cambiar el color del texto (modo Texto).",
        "  [ Ctrl-X ] = Normal (modo Texto).",
        "  [ Pausa ] = Finalizar el programa.",
        "  [ Ctrl+O ] = Oír la columna del cursor con sus unidades, decenas...",
        "  [ Ctrl+U ] = Repetir el último aviso del lector de pantalla.",
        "  [ Ctrl+ + ] / [ Ctrl+ - ] = Ampliar / reducir <Renglero>.",
        "",
        "  Comandos del Teclado Numérico (modo Cuentas):",
        "  [ + ] = Sumar     [ - ] = Restar     [ * ] = Multiplicar     [ / ] = Dividir",
        "  Con el lector de pantalla Orca estas teclas también llegan al <Renglero>;",
        "  el [ INTRO ] del Teclado Numérico es «dónde estoy» de Orca: usa el otro.",
        "",
        "  Signos Imprimibles en la Tabla (modo Cuentas):",
        "  [ Números ],   [ + ],  [ - ],   [ x ],   [ = ],   [ i ]",
        "  (Al pulsar la tecla [ i ] se dibuja una línea vertical)",
        "",
        "  Fin de la Ayuda."};
    return lineas;
}

const std::string& Form1::textoSalir() {
    static const std::string texto =
        "FINALIZAR EL PROGRAMA\r\rPulsa la misma tecla para confirmar u "
        "otra tecla para anular la operación.";
    return texto;
}

} // namespace renglero
