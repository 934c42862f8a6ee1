// What the Qt window's benchmarks share: keys sent to the window as the
// keyboard sends them, message boxes answered without a click, and the
// measured round of a typed digit.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <benchmark/benchmark.h>

#include "qt/Aplicacion.h"
#include "qt/PlataformaQt.h"
#include "qt/VentanaQt.h"

namespace renglero {

inline void pulsarYSoltar(QWidget& w, int tecla, const QString& texto,
                          Qt::KeyboardModifiers m = Qt::NoModifier) {
    QKeyEvent abajo(QEvent::KeyPress, tecla, m, texto);
    QKeyEvent arriba(QEvent::KeyRelease, tecla, m, texto);
    QApplication::sendEvent(&w, &abajo);
    QApplication::sendEvent(&w, &arriba);
}

// A message box would wait for a click that never comes.
inline void contestarSinPreguntar(CuadernoQt& c) {
    c.plataforma().contestarCon([](const std::string&, const std::string&, Botones b) {
        return b == Botones::YesNo ? Respuesta::No : Respuesta::OK;
    });
}

// One typed digit a round: the key event through the window into the
// notebook, then the window repainted at once.
inline void teclearHastaPintar(benchmark::State& estado, VentanaQt& v) {
    QApplication::processEvents();
    int tecleadas = 0;
    for (auto _ : estado) {
        const int digito = tecleadas % 10;
        pulsarYSoltar(v, Qt::Key_0 + digito, QString::number(digito));
        v.repaint();
        if (++tecleadas % 12 == 0) {
            // A fresh row before the cursor runs off the grid.
            estado.PauseTiming();
            pulsarYSoltar(v, Qt::Key_Escape, QStringLiteral("\x1b"));
            v.repaint();
            QApplication::processEvents();
            estado.ResumeTiming();
        }
    }
}

} // namespace renglero
