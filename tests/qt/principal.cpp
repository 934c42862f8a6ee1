// The window and document tests need one QApplication for the whole run.
#include <QApplication>
#include <gtest/gtest.h>

#include "qt/Aplicacion.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Name, version and Qt's Spanish texts, as the program has them.
    renglero::prepararAplicacion();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
