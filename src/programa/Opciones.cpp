#include "programa/Opciones.h"

#include <QCommandLineParser>
#include <ostream>

namespace renglero {

namespace {

const QCommandLineOption kAyuda({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Muestra esta ayuda y termina."));
const QCommandLineOption kVersion({QStringLiteral("v"), QStringLiteral("version")},
                                  QStringLiteral("Muestra la versión y termina."));
const QCommandLineOption kDocumento(
    QStringLiteral("documento"),
    QStringLiteral("El documento en que escribe el cuaderno: propio (su propia ventana de "
                   "documento) o writer (LibreOffice Writer). Sin la opción, la ventana usa "
                   "Writer donde puede, y --headless su propio documento."),
    QStringLiteral("propio|writer"));
const QCommandLineOption kSinPantalla(
    QStringLiteral("headless"),
    QStringLiteral("Sin pantalla: lee un guion de teclas de la entrada estándar y escribe una "
                   "línea JSON por suceso."));
const QCommandLineOption kZoom(QStringLiteral("zoom"),
                               QStringLiteral("Amplía la ventana entera: N es el paso de "
                                              "aumento, de %1 (tamaño normal) a %2.")
                                   .arg(kZoomNormal)
                                   .arg(kZoomMayor),
                               QStringLiteral("N"));

// Qt reads -platform itself; it is accepted so that it reaches Qt.
QCommandLineOption opcionPlataforma() {
    QCommandLineOption o(QStringLiteral("platform"), QString(), QStringLiteral("plataforma"));
    o.setFlags(QCommandLineOption::HiddenFromHelp);
    return o;
}

void definir(QCommandLineParser& analizador) {
    analizador.setApplicationDescription(
        QStringLiteral("Renglero: cuaderno de cuadrícula para hacer las cuentas y los textos "
                       "del colegio con el teclado."));
    // Qt's own options come with one dash and a long name.
    analizador.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    analizador.addOptions({kAyuda, kVersion, kDocumento, kSinPantalla, kZoom, opcionPlataforma()});
}

// The option whose value is missing: the last argument names it.
QString sinValor(const QStringList& argumentos) {
    QString nombre = argumentos.isEmpty() ? QString() : argumentos.last();
    while (nombre.startsWith(QLatin1Char('-')))
        nombre.remove(0, 1);
    return QStringLiteral("--") + nombre;
}

Opciones fallo(const QString& que) {
    Opciones o;
    o.accion = Opciones::Accion::error;
    o.error = que;
    return o;
}

} // namespace

Opciones leerOpciones(const QStringList& argumentos) {
    QCommandLineParser analizador;
    definir(analizador);
    if (!analizador.parse(argumentos)) {
        const QStringList desconocidas = analizador.unknownOptionNames();
        if (!desconocidas.isEmpty()) {
            const QString& nombre = desconocidas.first();
            return fallo(
                QStringLiteral("opción desconocida: %1%2")
                    .arg(nombre.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), nombre));
        }
        return fallo(QStringLiteral("falta el valor de %1").arg(sinValor(argumentos)));
    }
    if (!analizador.positionalArguments().isEmpty())
        return fallo(
            QStringLiteral("argumento de más: %1").arg(analizador.positionalArguments().first()));

    Opciones o;
    if (analizador.isSet(kAyuda)) {
        o.accion = Opciones::Accion::ayuda;
        return o;
    }
    if (analizador.isSet(kVersion)) {
        o.accion = Opciones::Accion::version;
        return o;
    }
    if (analizador.isSet(kDocumento)) {
        const QString d = analizador.value(kDocumento);
        if (d == QLatin1String("propio"))
            o.documento = Opciones::Documento::propio;
        else if (d == QLatin1String("writer"))
            o.documento = Opciones::Documento::writer;
        else
            return fallo(QStringLiteral("--documento admite propio o writer, no «%1»").arg(d));
    }
    if (analizador.isSet(kZoom)) {
        const QString z = analizador.value(kZoom);
        bool numero = false;
        const int pasos = z.toInt(&numero);
        if (!numero || pasos < kZoomNormal || pasos > kZoomMayor)
            return fallo(QStringLiteral("--zoom admite un número entero del %1 al %2, no «%3»")
                             .arg(kZoomNormal)
                             .arg(kZoomMayor)
                             .arg(z));
        o.zoom = pasos;
    }
    o.conPlataforma = analizador.isSet(QStringLiteral("platform"));
    o.accion =
        analizador.isSet(kSinPantalla) ? Opciones::Accion::sinPantalla : Opciones::Accion::ventana;
    return o;
}

Opciones leerOpciones(int argc, char** argv) {
    QStringList argumentos;
    for (int i = 0; i < argc; ++i)
        argumentos << QString::fromLocal8Bit(argv[i]);
    return leerOpciones(argumentos);
}

QString numeroVersion() {
    return QStringLiteral(RENGLERO_VERSION);
}

QString textoVersion() {
    return QStringLiteral("Renglero ") + numeroVersion();
}

QString textoAyuda() {
    QCommandLineParser analizador;
    definir(analizador);
    return analizador.helpText();
}

std::optional<int> responderOpciones(const Opciones& opciones, std::ostream& salida,
                                     std::ostream& errores) {
    switch (opciones.accion) {
    case Opciones::Accion::ayuda:
        salida << textoAyuda().toStdString() << std::flush;
        return 0;
    case Opciones::Accion::version:
        salida << textoVersion().toStdString() << '\n' << std::flush;
        return 0;
    case Opciones::Accion::error:
        errores << "renglero: " << opciones.error.toStdString()
                << "\nPrueba «renglero --help» para ver las opciones.\n"
                << std::flush;
        return 2;
    default:
        return std::nullopt;
    }
}

} // namespace renglero
