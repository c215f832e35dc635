#include "ordenmapa.h"

#include "database/carpetaprograma.h"
#include "database/diccionario.h"
#include "database/tdm.h"
#include "tmapa.h"

#include <QDir>
#include <QGuiApplication>
#include <QRegularExpression>
#include <cstring>
#include <iostream>

namespace kz {

const char* const kUsoOrdenMapa =
    "kzdb mapa PARTIDA TURNO FICHERO.png [--radio R] [--ven libres,oscuros,neutrales,otros]";

namespace {

constexpr int kRadioMinimo = 2;
constexpr int kRadioMaximo = 60;

int falla(const QString& mensaje) {
    std::cerr << mensaje.toStdString() << std::endl;
    return 1;
}

struct Peticion {
    QString partida, turno, fichero;
    int radio = 30;
    std::array<bool, 4> ven{};
};

// False with the message when the arguments do not make a request.
bool lee(const QStringList& args, Peticion& p, QString& error) {
    QStringList posicionales;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--radio") || a == QLatin1String("--ven")) {
            if (i + 1 >= args.size()) {
                error = QStringLiteral("Falta el valor de %1").arg(a);
                return false;
            }
            const QString v = args[++i];
            if (a == QLatin1String("--radio")) {
                bool ok = false;
                p.radio = v.toInt(&ok);
                if (!ok || p.radio < kRadioMinimo || p.radio > kRadioMaximo) {
                    error = QStringLiteral("El radio debe ser un número entre %1 y %2: %3")
                                .arg(kRadioMinimo).arg(kRadioMaximo).arg(v);
                    return false;
                }
            } else {
                static const QStringList nombres = {QStringLiteral("otros"), QStringLiteral("libres"),
                                                    QStringLiteral("oscuros"), QStringLiteral("neutrales")};
                for (const QString& b : v.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                    const int k = nombres.indexOf(b.trimmed().toLower());
                    if (k < 0) {
                        error = QStringLiteral("Bando desconocido en --ven: %1 (use libres, oscuros, neutrales u otros)").arg(b);
                        return false;
                    }
                    p.ven[k] = true;
                }
            }
        } else if (a.startsWith(QLatin1String("--"))) {
            error = QStringLiteral("Opción desconocida: %1").arg(a);
            return false;
        } else {
            posicionales << a;
        }
    }
    if (posicionales.size() != 3) {
        error = QStringLiteral("Uso: ") + QString::fromLatin1(kUsoOrdenMapa);
        return false;
    }
    p.partida = posicionales[0];
    p.fichero = posicionales[2];
    static const QRegularExpression tresCifras(QStringLiteral("^[0-9]{1,3}$"));
    if (!tresCifras.match(posicionales[1]).hasMatch()) {
        error = QStringLiteral("El turno debe ser un número de hasta tres cifras: %1").arg(posicionales[1]);
        return false;
    }
    p.turno = posicionales[1].rightJustified(3, QLatin1Char('0'));
    return true;
}

} // namespace

int OrdenMapa(const QStringList& argumentos, Interaccion& ui, const QString& programa) {
    Peticion p;
    QString error;
    if (!lee(argumentos, p, error)) return falla(error);
    const QString carpeta = carpetaPartida(programa, p.partida);
    if (!QDir(carpeta).exists()) return falla(QStringLiteral("No existe la carpeta de la partida %1").arg(carpeta));

    TDM dm(ui);
    dm.fijaCarpetaPrograma(programa);
    dm.fijaCarpetaPartida(carpeta);
    const QStringList referencia = Diccionario::grupoReferencia(), partida = Diccionario::grupoPartida();
    if (!dm.AbrirLista(referencia)) return falla(QStringLiteral("No se pueden abrir las tablas de referencia"));
    if (!dm.AbrirLista(partida)) {
        dm.CerrarLista(referencia);
        return falla(QStringLiteral("No se pueden abrir las tablas de la partida %1").arg(p.partida));
    }
    int resultado = 0;
    {
        TMapa mapa(dm, programa);
        mapa.FijaTurno(p.turno);
        mapa.Opciones.ven = p.ven;
        if (!mapa.Arranca(error) || !mapa.FijaRadio(p.radio, error) || !mapa.ExportarMapa(p.fichero, error)) {
            resultado = falla(error);
        } else {
            const QSize t = mapa.HexMap1.Tamano();
            std::cout << QStringLiteral("Mapa del turno %1 de %2 guardado en %3 (%4 x %5)")
                             .arg(p.turno, p.partida, p.fichero).arg(t.width()).arg(t.height()).toStdString()
                      << std::endl;
        }
    }
    dm.CerrarLista(partida);
    dm.CerrarLista(referencia);
    return resultado;
}

std::unique_ptr<QCoreApplication> AplicacionKzdb(int& argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "mapa") == 0) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
            qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QGuiApplication>(argc, argv);
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

} // namespace kz
