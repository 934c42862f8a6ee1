#pragma once
// The real window on the offscreen platform, started as the program starts
// it; its message boxes are answered (No to a question, OK, else Cancel) and
// what they said is kept.
#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <string>
#include <vector>

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
        // What start-up said (no word processor here) is not under test.
        mensajes.clear();
    }

    // A fixture that wants the real boxes gives its own.
    virtual void contestar() {
        cuaderno.plataforma().contestarCon(
            [this](const std::string& texto, const std::string&, Botones b) {
                mensajes.push_back(texto);
                return b == Botones::YesNo ? Respuesta::No
                       : b == Botones::OK  ? Respuesta::OK
                                           : Respuesta::Cancel;
            });
    }

    Form1& form() { return cuaderno.form(); }
    VentanaQt& ventana() { return cuaderno.ventana(); }

    void tecla(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(&ventana(), k, m);
    }
    // Types a script: characters as they are, '\n' Enter, '<' Left, and the
    // keypad's operation keys '/', '*', '+'.
    void teclear(const std::string& teclas) {
        for (char c : teclas) {
            const Qt::Key numerico = c == '/'   ? Qt::Key_Slash
                                     : c == '*' ? Qt::Key_Asterisk
                                     : c == '+' ? Qt::Key_Plus
                                                : Qt::Key_unknown;
            if (numerico != Qt::Key_unknown)
                tecla(numerico, Qt::KeypadModifier);
            else if (c == '\n' || c == '<')
                tecla(c == '\n' ? Qt::Key_Return : Qt::Key_Left);
            else
                QTest::keyClick(&ventana(), c);
        }
    }

    // What the window last put on the screen, and the window painted afresh
    // from the form as it stands.
    QImage enPantalla() {
        return QGuiApplication::primaryScreen()
            ->grabWindow(ventana().winId())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    QImage comoEsAhora() {
        return ventana().grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    // Lets the event loop run (and wait) as the program's own loop does.
    static void correrBucle(int ms) {
        QEventLoop bucle;
        QTimer::singleShot(ms, &bucle, &QEventLoop::quit);
        bucle.exec();
    }

    CuadernoQt cuaderno;
    std::vector<std::string> mensajes;
};

} // namespace renglero::prueba
