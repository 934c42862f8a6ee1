#pragma once
// The real window, started as the program starts it; its message boxes answered (No to a
// question, OK, else aOkCancel) and what they said kept.
#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <map>
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
        // A notebook that ended before asked the loop to end: a pass of the loop clears that.
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        QApplication::exec();
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
                                           : aOkCancel;
            });
    }

    Form1& form() { return cuaderno.form(); }
    VentanaQt& ventana() { return cuaderno.ventana(); }

    void tecla(Qt::Key k, Qt::KeyboardModifiers m = {}) { QTest::keyClick(&ventana(), k, m); }
    // Types a script: characters as they are, and '\n' Enter, '^' Esc, '<' Left,
    // '>' Right, '_' Down, '~' Ç, '{' F1, '}' F2, '+' the keypad's.
    void teclear(const std::string& teclas) {
        static const std::map<char, Qt::Key> nombradas = {
            {'\n', Qt::Key_Return}, {'^', Qt::Key_Escape}, {'<', Qt::Key_Left},
            {'>', Qt::Key_Right},   {'_', Qt::Key_Down},   {'~', Qt::Key_Ccedilla},
            {'{', Qt::Key_F1},      {'}', Qt::Key_F2},     {'+', Qt::Key_Plus}};
        for (char c : teclas) {
            const auto n = nombradas.find(c);
            if (n == nombradas.end())
                QTest::keyClick(&ventana(), c);
            else
                tecla(n->second, c == '+' ? Qt::KeypadModifier : Qt::NoModifier);
        }
    }

    // What the window last put on the screen; the window painted afresh from the form.
    QImage enPantalla() {
        return rgb32(QGuiApplication::primaryScreen()->grabWindow(ventana().winId()));
    }
    QImage comoEsAhora() { return rgb32(ventana().grab()); }
    static QImage rgb32(const QPixmap& p) {
        return p.toImage().convertToFormat(QImage::Format_RGB32);
    }

    // Pixels of a region darker than mid-grey, or of one colour.
    static int pixeles(const QImage& imagen, const QRect& r, const QColor* color = nullptr) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += color ? imagen.pixelColor(x, y) == *color : qGray(imagen.pixel(x, y)) < 100;
        return n;
    }

    // Lets the event loop run (and wait) as the program's own loop does.
    static void correrBucle(int ms) {
        QEventLoop bucle;
        QTimer::singleShot(ms, &bucle, &QEventLoop::quit);
        bucle.exec();
    }

    CuadernoQt cuaderno;
    std::vector<std::string> mensajes;
    Respuesta aOkCancel = Respuesta::Cancel;
};

} // namespace renglero::prueba
