// The window as the program prepares it: Qt's own texts in Spanish, the
// document's save dialog in the user's documents folder, the version in the
// about box.
#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

#include "ConCuaderno.h"
#include "programa/Opciones.h"
#include "propio/VentanaDocumento.h"
#include "qt/Aplicacion.h"
#include "qt/PlataformaQt.h"
#include "qt/VentanaQt.h"
#include "shell/Form1.h"

using namespace renglero;

namespace {

class Espanol : public prueba::ConCuaderno {};

QStringList textos(const QList<QAction*>& acciones) {
    QStringList t;
    for (const QAction* a : acciones)
        t << a->text().section(QLatin1Char('\t'), 0, 0);
    return t;
}

} // namespace

TEST_F(Espanol, LosBotonesYLosMenusDeQtHablanEspanol) {
    QDialogButtonBox botones(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    EXPECT_EQ(botones.button(QDialogButtonBox::Ok)->text().toStdString(), "Aceptar");
    EXPECT_EQ(botones.button(QDialogButtonBox::Cancel)->text().toStdString(), "Cancelar");
    // The document's context menu.
    const std::unique_ptr<QMenu> menu(
        cuaderno.ventanaDocumento().editor()->createStandardContextMenu());
    const QStringList acciones = textos(menu->actions());
    EXPECT_TRUE(acciones.contains(QStringLiteral("&Copiar"))) << acciones.join('|').toStdString();
    EXPECT_TRUE(acciones.contains(QStringLiteral("&Pegar"))) << acciones.join('|').toStdString();
}

TEST_F(Espanol, GuardarElDocumentoEmpiezaEnLaCarpetaDeDocumentos) {
    // The desktop's folders as xdg-user-dirs writes them.
    QTemporaryDir configuracion;
    ASSERT_TRUE(configuracion.isValid());
    const QString documentos = configuracion.filePath(QStringLiteral("Mis documentos"));
    ASSERT_TRUE(QDir().mkpath(documentos));
    QFile dirs(configuracion.filePath(QStringLiteral("user-dirs.dirs")));
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_DOCUMENTS_DIR=\"" + documentos.toUtf8() + "\"\n");
    dirs.close();
    const QByteArray antes = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", configuracion.path().toLocal8Bit());

    QString carpeta, archivo;
    QStringList botones;
    QTimer mirar;
    QObject::connect(&mirar, &QTimer::timeout, [&] {
        auto* dialogo = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialogo == nullptr) return;
        mirar.stop();
        carpeta = dialogo->directory().absolutePath();
        archivo = dialogo->selectedFiles().value(0);
        for (const QPushButton* b : dialogo->findChildren<QPushButton*>())
            botones << b->text();
        dialogo->reject();
    });
    mirar.start(10);
    const bool guardado = cuaderno.ventanaDocumento().guardarComo();
    if (antes.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", antes);

    EXPECT_FALSE(guardado);
    EXPECT_EQ(carpeta.toStdString(), documentos.toStdString());
    EXPECT_EQ(archivo.toStdString(), (documentos + "/Documento1.odt").toStdString());
    EXPECT_TRUE(botones.contains(QStringLiteral("Cancelar"))) << botones.join('|').toStdString();
    EXPECT_TRUE(botones.contains(QStringLiteral("&Guardar"))) << botones.join('|').toStdString();
}

TEST_F(Espanol, ElAcercaDeMuestraLaVersionEnSuLinea) {
    QTest::keyClick(&cuaderno.ventana(), Qt::Key_F3);
    AcercaDeQt* acerca = cuaderno.ventana().acercaDe();
    ASSERT_NE(acerca, nullptr);
    const auto* version = acerca->findChild<QLabel*>(QStringLiteral("version"));
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text().toStdString(), "Versión " + numeroVersion().toStdString());
    // The notebook's own text stays as it is, above it.
    bool conTexto = false;
    for (const QLabel* l : acerca->findChildren<QLabel*>())
        conTexto |= l->text().startsWith(QStringLiteral("Renglero"));
    EXPECT_TRUE(conTexto);
}
