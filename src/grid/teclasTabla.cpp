// The notebook grid's key-down and key-up handling: command keys, the
// confirmation protocol, the Ctrl prefix, fractions, F6, F10 and Alt.
#include "platform/Teclas.h"
#include "shell/Form1.h"
#include "shell/omitir.h"

namespace renglero {

namespace {

const std::string kConfirmarMismaTecla =
    "Pulsa la misma tecla para confirmar u otra tecla para anular la operación.";
const std::string kNuevaOperacion = "Para hacer una nueva operación hay que borrar la tabla.";

// The operation keys of Cuentas: the prompt that asks for the second press,
// and the sign that `operacion` takes when the operation is laid out.
struct TeclaDeOperacion {
    int tecla;
    const char* aviso;
    const char* operacion;
};

constexpr TeclaDeOperacion kOperaciones[] = {
    {kTecladoMas, "SUMAR", "+"},
    {kTecladoMenos, "RESTAR", "_"},
    {kTecladoPor, "MULTIPLICAR", "X"},
    {kTecladoEntre, "DIVIDIR", "|"},
    {teclaLetra('D'), "DESCOMPONER EN FACTORES", "D"},
    {teclaLetra('R'), "RAIZ CUADRADA", "R"},
};

const TeclaDeOperacion* operacionDeTecla(int codigo) {
    for (const TeclaDeOperacion& o : kOperaciones)
        if (o.tecla == codigo) return &o;
    return nullptr;
}

// A key that the laid-out operation uses for itself: keypad * writes "×" in
// a square root, keypad + adds the partial products of a multiplication.
bool esTeclaDeLaOperacion(int codigo, const std::string& operacion) {
    return (codigo == kTecladoPor && operacion == "R") ||
           (codigo == kTecladoMas && operacion == "X");
}

} // namespace

void Form1::tabla_KeyDown(int& KeyCode, int Shift) {
    // 1. AltGr.
    if (KeyCode == kAlt && Shift == kConAltGr) {
        saltarTecla = 1;
        return;
    }
    // 2. Collapsed: only F9 works.
    if (ventanaRecogida == 1 && KeyCode != kF9) return;
    // 3. A key to discard: its key down, and its character in the grid (the
    // window's own character handler still sees it: M and Ç act, as H does).
    if (saltarTecla == 1) {
        saltarTecla = 0;
        teclaPendiente = KeyCode;
        if (KeyCode != kEsc && KeyCode != kTab && KeyCode != kF9 && KeyCode != kF8) {
            KeyCode = 0;
            descartarCaracterEnControl();
            return;
        }
    }
    // 4. Ctrl chords do nothing in the grid, their character included.
    if (Shift == kConCtrl && KeyCode != kCtrl) {
        KeyCode = 0;
        if (tieneCaracterPropio()) saltarTecla = 1;
    }
    // 5. Texto: clearing the notebook asks first, whatever `confirmar` says.
    if (modoTexto == 1 && !Label6.Visible && borrarEnTexto(KeyCode)) return;
    // 6. F8.
    if (KeyCode == kF8) {
        ponercolor();
        KeyCode = 0;
        return;
    }
    // 7. and 8. Texto: the radical entry, the fraction bar and fractions.
    if (modoTexto == 1 && teclaDeTexto(KeyCode)) return;
    // 9. T: the table manager.
    if (KeyCode == teclaLetra('T') && !Frame1.Visible) {
        if (modoTexto == 0 || teclaAnterior == kCtrl) {
            quitalabel();
            vercuadrotablas();
            ultimaTecla = 0;
        }
        return;
    }
    // 10. Keypad * in a square root writes the multiplication sign.
    if (KeyCode == kTecladoPor && operacion == "R") {
        tabla.setText("\xD7");
        if (tabla.Col() < tabla.Cols() - 1) tabla.setCol(tabla.Col() + 1);
    }
    // 11. F3: the about box.
    if (KeyCode == kF3) mostrarForm2();
    // 12. C: confirmation on or off (Cuentas).
    if (KeyCode == teclaLetra('C') && !Frame1.Visible) {
        if (modoTexto == 1) return;
        alternarConfirmar();
        KeyCode = 0;
    }
    // 13. The general part.
    ultimaTecla = KeyCode;
    dejarCorrerEventos();
    Pic.Visible = false;
    Pic1.Visible = false;
    Frame1.Visible = false;
    // 14. A key while the help is shown closes it.
    if (Ayuda.Visible) {
        Ayuda.Visible = false;
        return;
    }
    // 15. A key other than the one waiting for confirmation cancels it.
    if (!Mensa.Caption.empty() && KeyCode != teclaPendiente) {
        Mensa.Caption.clear();
        if (teclaPendiente == kF1 || (teclaPendiente == kF2 && modoTexto == 0)) eliminarresalte();
        teclaPendiente = 0;
        return;
    }
    // 16. I draws a vertical line (Cuentas).
    if (Mensa.Caption.empty() && KeyCode == teclaLetra('I') && modoTexto == 0) {
        tabla.setText("|");
        if (tabla.Row() < tabla.Rows() - 1) tabla.setRow(tabla.Row() + 1);
        tablaEscrita();
    }
    // 17. Keypad + in a multiplication: the sum stage.
    if (KeyCode == kTecladoMas && operacion == "X") {
        raya();
        return;
    }
    // 18. Ins and Del.
    if (KeyCode == kIns) {
        if (insertarPerderiaCelda())
            plataforma.pitar();
        else
            insertar();
    }
    if (KeyCode == kSupr) suprimirConDivision();
    // 19. Tab in Cuentas reverses the direction.
    if (KeyCode == kTab && modoTexto == 0) cambiarsentido();
    // 20. F7: another notebook.
    if (KeyCode == kF7) {
        plataforma.lanzarOtraCopia();
        Top = 1500;
        Left = 150;
    }
    // 21. F9: send.
    if (KeyCode == kF9) {
        Timer2.Interval = 0;
        dejarCorrerEventos();
        enviar();
        Timer2.Interval = 100;
    }
    // 22. The confirmation protocol: a first press asks.
    if ((KeyCode == kPausa || confirmar != -1) && KeyCode != teclaPendiente && modoTexto == 0) {
        pedirConfirmacion(KeyCode);
        return;
    }
    // 23. Execution: confirmation off, the second press, or Texto.
    ejecutarComando(KeyCode);
}

// Step 5 of the grid's keys, in Texto with no format selection pending: Esc
// asks to clear the notebook, Esc again clears it (and the key goes on), any
// other key cancels the request. True when the key ends there.
bool Form1::borrarEnTexto(int& KeyCode) {
    if (Frame1.Visible) {
        if (KeyCode != kEsc) {
            Mensa.Caption.clear();
            Frame1.Visible = false;
            KeyCode = 0;
            // The cancelling key types nothing, and the next key is discarded.
            descartarCaracterPropio();
            saltarTecla = 1;
            return true;
        }
        borrar();
    } else if (KeyCode == kEsc) {
        borrar();
        KeyCode = 0;
        return true;
    }
    return false;
}

// Steps 7 and 8 of the grid's keys, in Texto: Ctrl then R opens the radical
// entry, F4 types a fraction bar stroke, Tab starts a fraction or moves
// within it. True when the key was one of them.
bool Form1::teclaDeTexto(int& KeyCode) {
    // 7. Ctrl prefix, then R: the radical entry.
    if (KeyCode == teclaLetra('R') && teclaAnterior == kCtrl) {
        Frame4.Visible = true;
        darFoco(Foco::texr);
        tabla.TabStop = false;
        KeyCode = 0;
        return true;
    }
    // 8. F4 and Tab in Texto: the fraction bar and fractions.
    if (KeyCode == kF4) {
        KeyCode = 0;
        postearCaracter(151);
        return true;
    }
    if (KeyCode == kTab) {
        if (modoFraccion == 1)
            alternarNumeradorDenominador();
        else
            empezarFraccion();
        return true;
    }
    return false;
}

// Step 22 of the grid's keys: the first press of F1, F2, Esc or an operation
// key shows its prompt and waits for the same key again; any other key
// needs no confirmation.
void Form1::pedirConfirmacion(int KeyCode) {
    Mensa.Caption.clear();
    teclaPendiente = KeyCode;
    std::string texto;
    const TeclaDeOperacion* op = operacionDeTecla(KeyCode);
    if (KeyCode == kF1) {
        texto = "Grabar la línea activa de la tabla en la memoria.";
        Pic1.Visible = true;
        resaltar();
    } else if (KeyCode == kF2) {
        texto = "Pasar el contenido de la memoria a la línea activa de la tabla.";
        Pic.Visible = true;
        resaltar();
    } else if (KeyCode == kEsc) {
        texto = "BORRAR LA TABLA DE <RENGLERO>.";
    } else if (op != nullptr && operacion.empty()) {
        texto = op->aviso;
    } else if (op != nullptr && !esTeclaDeLaOperacion(KeyCode, operacion)) {
        mensaje(kNuevaOperacion);
    }
    if (texto.empty()) {
        teclaPendiente = 0;
        Frame1.Visible = false;
        Pic.Visible = false;
        Pic1.Visible = false;
        return;
    }
    Mensa.Caption = texto + "\r\r" + kConfirmarMismaTecla;
    Frame1.Visible = true;
}

// Step 23 of the grid's keys: the command runs.
void Form1::ejecutarComando(int KeyCode) {
    Frame1.Visible = false;
    Pic.Visible = false;
    Pic1.Visible = false;
    teclaPendiente = 0;
    if (KeyCode == kEsc && modoTexto == 0) {
        borrar();
        Mensa.Caption.clear();
        Frame3.Visible = true;
    } else if (KeyCode == kF1) {
        ponermemo1();
        if (modoTexto == 0) eliminarresalte();
        Mensa.Caption.clear();
    } else if (KeyCode == kF2) {
        recuperarmemo1();
        if (modoTexto == 0) eliminarresalte();
        Mensa.Caption.clear();
    } else if (const TeclaDeOperacion* op = operacionDeTecla(KeyCode); op && modoTexto == 0) {
        if (operacion.empty()) {
            operacion = op->operacion;
            raya();
        } else if (!esTeclaDeLaOperacion(KeyCode, operacion)) {
            // Without confirmation the refusal is said all the same.
            mensaje(kNuevaOperacion);
        }
    }
}

// C in Cuentas: destructive commands ask for a second press, or stop asking.
void Form1::alternarConfirmar() {
    confirmar = -confirmar;
    if (confirmar == 1) {
        tituloBase = "Renglero  -  Confirmar: Sí";
    } else {
        tituloBase = "Renglero  -  Confirmar: No";
        Mensa.Caption.clear();
    }
    ponerTitulo();
}

// Del; in a division, Del on the dividend left of the bar closes up the
// dividend, its working rows and the bar together.
void Form1::suprimirConDivision() {
    suprimir();
    if (operacion == "|" && tabla.Row() == 1 && tabla.Col() < colDivisor) {
        tabla.setRow(2);
        suprimir();
        tabla.setRow(3);
        suprimir();
        tabla.setRow(1);
        colDivisor = colDivisor - 1;
    }
}

// Tab in a running fraction: between numerator and denominator, back to the
// fraction's first column.
void Form1::alternarNumeradorDenominador() {
    omitir<ErrorCuadricula>([&] {
        if (tabla.Row() > filaFraccion)
            tabla.setRow(filaFraccion - 1);
        else if (tabla.Row() < filaFraccion)
            tabla.setRow(filaFraccion + 1);
    });
    omitir<ErrorCuadricula>([&] { tabla.setCol(colFraccion); });
}

// Tab in Texto with no fraction running: the bar under the cursor, the
// cursor on the numerator, the fraction legend in the memory line's place.
void Form1::empezarFraccion() {
    omitir<ErrorCuadricula>([&] {
        if (tabla.Row() == 0) tabla.setRow(1);
    });
    omitir<ErrorCuadricula>([&] {
        if (tabla.Col() == 0 || tabla.TextMatrix(tabla.Row(), tabla.Col() - 1) != " ")
            tabla.setCol(tabla.Col() + 1);
    });
    tipoletra();
    tabla.setText("\x97");
    colFraccion = tabla.Col();
    filaFraccion = tabla.Row();
    modoFraccion = 1;
    omitir<ErrorCuadricula>([&] { tabla.setRow(tabla.Row() - 1); });
    indicacionesFraccion(true);
}

void Form1::tabla_KeyUp(int& KeyCode, int Shift) {
    if (saltarTecla == 1) return;
    // 1. F6: the special-signs palette.
    if (KeyCode == kF6 && modoTexto == 1 && !Frame2.Visible && !tablae.Visible) {
        if (Label6.Visible) {
            quitalabel();
            teclaAnterior = 0;
            return;
        }
        tablae.Visible = true;
        darFoco(Foco::tablae);
        return;
    }
    // 2. and 3. Alt released.
    if (KeyCode == kAlt && !Label6.Visible) {
        saltarTecla = 1;
        enviarAlt();
        return;
    }
    if (KeyCode == kAlt && Label6.Visible) {
        KeyCode = 0;
        postearCaracter(' ');
        dejarCorrerEventos();
    } else if (ventanaRecogida == 0) {
        // 4. Expanded window.
        if (Shift == kConAltGr) {
            saltarTecla = 1;
            return;
        }
        if (KeyCode == kF10) {
            // The sign of F10 is made by `especiales`; the key types nothing of its own.
            if (modoTexto == 1) {
                if (!Label6.Visible) especiales();
                if (Label6.Visible) {
                    postearCaracter(' ');
                    dejarCorrerEventos();
                }
            }
            return;
        }
        if (KeyCode == kCtrl && modoTexto == 1 && ctrlSoltadoSolo()) {
            if (teclaAnterior == kCtrl) {
                quitalabel();
                KeyCode = 0;
                teclaAnterior = 0;
                return;
            }
            teclaAnterior = kCtrl;
            tabla1.Visible = false;
            Label6.Visible = true;
            Label9.Visible = true;
            filaInicioFormato = tabla.Row();
            colInicioFormato = tabla.Col();
            tabla.setCellBackColor(rgb(200, 200, 200));
        }
    } else {
        // 5. Collapsed: keys beep, but M and a Ctrl that belongs to Ctrl-M.
        const bool ctrlRecogida = KeyCode == kCtrl && Height == tabla.Top + margenVentana;
        if (KeyCode != teclaLetra('M') && !ctrlRecogida) plataforma.pitar();
        return;
    }
    // 6. Paging keys released while a prompt shows.
    if ((KeyCode == kRePag || KeyCode == kAvPag || KeyCode == kFin || KeyCode == kInicio) &&
        Frame1.Visible) {
        Frame1.Visible = false;
        operacion.clear();
        Mensa.Caption.clear();
        teclaPendiente = 0;
    }
}

} // namespace renglero
