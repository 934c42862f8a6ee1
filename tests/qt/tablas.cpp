// The table manager in the real window: its handlers let pending events
// run, so keys typed quickly arrive while the one before is still handled.
#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "qt/Aplicacion.h"
#include "qt/PlataformaQt.h"
#include "qt/VentanaQt.h"
#include "shell/Form1.h"

using namespace renglero;

namespace {

class TablasEnLaVentana : public ::testing::Test {
  protected:
    void SetUp() override {
        cuaderno.plataforma().contestarCon(
            [this](const std::string& texto, const std::string&, Botones) {
                mensajes.push_back(texto);
                return Respuesta::OK;
            });
        cuaderno.arrancar();
        QApplication::processEvents();
    }

    // Keys already typed, waiting in the event queue: the next pass of the
    // event loop delivers them.
    void enLaCola(const std::vector<std::pair<Qt::Key, QString>>& teclas) {
        for (const auto& [tecla, texto] : teclas)
            for (QEvent::Type tipo : {QEvent::KeyPress, QEvent::KeyRelease})
                QCoreApplication::postEvent(&cuaderno.ventana(),
                                            new QKeyEvent(tipo, tecla, Qt::NoModifier, texto));
    }

    CuadernoQt cuaderno;
    std::vector<std::string> mensajes;
};

} // namespace

TEST_F(TablasEnLaVentana, LasCifrasTecleadasDeprisaLleganEnOrden) {
    QTest::keyClick(&cuaderno.ventana(), Qt::Key_T);
    ASSERT_EQ(cuaderno.form().foco, Foco::Teta);
    // 3 and Enter are queued when 2 comes: the handlers of 2 let them in.
    enLaCola({{Qt::Key_3, "3"}, {Qt::Key_Return, "\r"}});
    QTest::keyClick(&cuaderno.ventana(), Qt::Key_2);
    QApplication::processEvents();
    EXPECT_EQ(mensajes, std::vector<std::string>{});
    EXPECT_EQ(cuaderno.form().filasTablaNueva, "2");
    EXPECT_EQ(cuaderno.form().columnasTablaNueva, "3");
    EXPECT_EQ(cuaderno.form().Teta.Caption, "");
}
