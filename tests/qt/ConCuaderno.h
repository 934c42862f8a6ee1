#pragma once
// The real window on the offscreen platform, started as the program starts
// it: a question is answered No and a message box OK.
#include <QApplication>
#include <gtest/gtest.h>
#include <string>

#include "qt/Aplicacion.h"
#include "qt/PlataformaQt.h"

namespace renglero::prueba {

class ConCuaderno : public ::testing::Test {
  protected:
    void SetUp() override {
        cuaderno.plataforma().contestarCon([](const std::string&, const std::string&, Botones b) {
            return b == Botones::YesNo ? Respuesta::No : Respuesta::OK;
        });
        cuaderno.arrancar();
        QApplication::processEvents();
    }

    CuadernoQt cuaderno;
};

} // namespace renglero::prueba
