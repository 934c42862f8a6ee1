#pragma once
// The real window on the offscreen platform, started as the program starts
// it: a question is answered No and a message box OK.
#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>
#include <string>

#include "qt/Aplicacion.h"
#include "qt/PlataformaQt.h"
#include "qt/VentanaQt.h"
#include "shell/Form1.h"

namespace renglero::prueba {

class ConCuaderno : public ::testing::Test {
  protected:
    void SetUp() override {
        contestar();
        cuaderno.arrancar();
        QApplication::processEvents();
    }

    // How the message boxes are answered; a fixture that wants the real
    // boxes, or to hear what they say, gives its own.
    virtual void contestar() {
        cuaderno.plataforma().contestarCon([](const std::string&, const std::string&, Botones b) {
            return b == Botones::YesNo ? Respuesta::No : Respuesta::OK;
        });
    }

    Form1& form() { return cuaderno.form(); }
    VentanaQt& ventana() { return cuaderno.ventana(); }

    // Lets the event loop run (and wait) as the program's own loop does.
    static void correrBucle(int ms) {
        QEventLoop bucle;
        QTimer::singleShot(ms, &bucle, &QEventLoop::quit);
        bucle.exec();
    }

    CuadernoQt cuaderno;
};

} // namespace renglero::prueba
