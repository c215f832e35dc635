#include "generadorpartida.h"

#include "carpetaprograma.h"
#include "diccionario.h"
#include "textos.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QSet>

namespace kz {
namespace {

QString turnoTexto(int t) { return Rellena(true, QString::number(t), 3, QStringLiteral("0")); }
QString hexTexto(int col, int fila) { return QString::asprintf("%.2d%.2d", col, fila); }

const char* const kSilabas[] = {"ar", "bel", "cor", "dun", "el", "fal", "gor", "har", "is", "jul",
                                "kel", "lor", "mir", "nar", "or", "pel", "quin", "ros", "sar", "tor",
                                "ul", "val", "wen", "yr", "zan"};

QString nombre(QRandomGenerator& r, int silabas) {
    QString n;
    for (int i = 0; i < silabas; ++i) n += QString::fromLatin1(kSilabas[r.bounded(25)]);
    n[0] = n[0].toUpper();
    return n;
}

bool copiaPlantilla(const QString& plantilla, const QString& destino, QString& error) {
    QDir d(plantilla);
    if (!QDir().mkpath(destino)) {
        error = QStringLiteral("No se puede crear la carpeta %1").arg(destino);
        return false;
    }
    // Without a template the tables are created empty when first opened.
    if (!d.exists()) return true;
    for (const QString& f : d.entryList({QStringLiteral("*.DB")}, QDir::Files)) {
        const QString a = QDir(destino).filePath(f);
        if (QFile::exists(a)) continue;
        if (!QFile::copy(d.filePath(f), a)) {
            error = QStringLiteral("No se puede copiar %1").arg(d.filePath(f));
            return false;
        }
    }
    return true;
}

} // namespace

bool generaPartida(TDM& dm, const QString& programa, const OpcionesGenerador& o, QString& error) {
    const QString carpeta = carpetaPartida(programa, o.codigo);
    if (QDir(carpeta).exists() && !QDir(carpeta).isEmpty()) {
        error = QStringLiteral("La carpeta %1 ya existe").arg(carpeta);
        return false;
    }
    const QString tipo = o.codigo.left(1).toUpper();
    if (!copiaPlantilla(programa + (tipo == QLatin1String("C") ? QStringLiteral("/Cuarta") : QStringLiteral("/Tercera")),
                        carpeta, error))
        return false;

    dm.CerrarTodas();
    dm.fijaCarpetaPrograma(programa);
    dm.fijaCarpetaPartida(carpeta);
    if (!dm.Abrir(QStringLiteral("DSPartidas"), false, false)) {
        error = QStringLiteral("No se puede abrir el catálogo de partidas");
        return false;
    }
    TTabla& partidas = *dm.tabla(QStringLiteral("TPartidas"));
    if (!partidas.buscaClave({o.codigo})) {
        partidas.anade();
        partidas.fija(QStringLiteral("CODIGO"), o.codigo);
        partidas.fija(QStringLiteral("NOMBRE"), QStringLiteral("Partida de demostración %1").arg(o.codigo));
        partidas.fija(QStringLiteral("TIPO"), tipo);
        partidas.fija(QStringLiteral("TURNO"), turnoTexto(o.turnos - 1));
        if (!partidas.graba()) {
            error = partidas.mensajeError();
            return false;
        }
    }
    dm.Cerrar(QStringLiteral("DSPartidas"));

    if (!dm.AbrirLista(Diccionario::grupoPartida())) {
        error = QStringLiteral("No se pueden abrir las tablas de la partida");
        return false;
    }
    auto cierra = qScopeGuard([&] { dm.CerrarLista(Diccionario::grupoPartida()); });

    QRandomGenerator r(quint32(qHash(o.codigo)) ^ 0x5eed);
    TTabla& cen = *dm.tabla(QStringLiteral("TCenPob"));
    TTabla& pjs = *dm.tabla(QStringLiteral("TPjs"));
    TTabla& ejer = *dm.tabla(QStringLiteral("TEjer"));
    TTabla& rum = *dm.tabla(QStringLiteral("TRumores"));

    // Fixed places: centres keep their hex across turns, characters wander.
    QVector<QString> hexCentros, nombreCentros;
    QSet<QString> usados;
    // The template may already hold centres of the first turn; their hexes stay theirs.
    for (cen.primero(); !cen.eof(); cen.siguiente()) usados.insert(cen.texto(QStringLiteral("HEX")));
    // Centres, characters and armies stand on land when the game has its hexes (the template's
    // world); open sea and coastal waters are terrains 01 and 02.
    QVector<QString> tierra;
    {
        TTabla& hex = *dm.tabla(QStringLiteral("THex"));
        for (hex.primero(); !hex.eof(); hex.siguiente()) {
            const QString t = hex.texto(QStringLiteral("TERRENO"));
            if (!t.isEmpty() && t != QLatin1String("01") && t != QLatin1String("02")) tierra << hex.texto(QStringLiteral("HEX"));
        }
    }
    const bool enTierra = tierra.size() > o.centros + usados.size();
    auto hexAlAzar = [&] {
        return enTierra ? tierra[r.bounded(int(tierra.size()))] : hexTexto(1 + r.bounded(44), 1 + r.bounded(39));
    };
    while (hexCentros.size() < o.centros) {
        const QString h = hexAlAzar();
        if (usados.contains(h)) continue;
        usados.insert(h);
        hexCentros << h;
        nombreCentros << nombre(r, 2 + r.bounded(2));
    }
    QVector<QString> nombrePjs;
    for (int i = 0; i < o.personajes; ++i) nombrePjs << nombre(r, 2 + r.bounded(2)).left(17);

    int rumor = 0;
    for (int t = 0; t < o.turnos; ++t) {
        const QString turno = turnoTexto(t);
        Transaccion tc(*cen.conexion()), tp(*pjs.conexion()), te(*ejer.conexion()), tr(*rum.conexion());
        for (int i = 0; i < o.centros; ++i) {
            QVector<QVariant> v(cen.campos().size());
            v[0] = turno; v[1] = hexCentros[i]; v[2] = nombreCentros[i];
            v[3] = Rellena(true, QString::number(1 + (i % 25)), 2, QStringLiteral("0"));
            v[4] = Rellena(true, QString::number(1 + (i % 5)), 2, QStringLiteral("0"));
            v[5] = Rellena(true, QString::number(4 + (i % 5)), 2, QStringLiteral("0"));
            v[6] = Rellena(true, QString::number(1 + (i % 5)), 2, QStringLiteral("0"));
            v[7] = i % 3 == 0 ? QVariant(QStringLiteral("0%1").arg(1 + i % 5)) : QVariant();
            v[8] = 10 + r.bounded(90);
            v[10] = i < 25; v[11] = i % 37 == 0; v[12] = false;
            for (int k = 13; k < 29; ++k) v[k] = r.bounded(5000);
            v[29] = false; v[30] = QStringLiteral("0");
            if (!cen.insertaFila(v)) { error = cen.mensajeError(); return false; }
        }
        for (int i = 0; i < o.personajes; ++i) {
            QVector<QVariant> v(pjs.campos().size());
            v[0] = turno; v[1] = Rellena(true, QString::number(1000 + i), 5, QStringLiteral("0"));
            v[2] = hexAlAzar(); v[3] = nombrePjs[i];
            v[4] = i % 4 ? QStringLiteral("M") : QStringLiteral("F"); v[5] = QStringLiteral("0");
            v[6] = Rellena(true, QString::number(1 + (i % 25)), 2, QStringLiteral("0"));
            for (int k = 8; k < 13; ++k) v[k] = r.bounded(80);
            v[18] = 50 + r.bounded(50); v[19] = r.bounded(100);
            v[45] = QString::number(r.bounded(3));
            if (!pjs.insertaFila(v)) { error = pjs.mensajeError(); return false; }
        }
        for (int i = 0; i < o.ejercitos; ++i) {
            QVector<QVariant> v(ejer.campos().size());
            v[0] = turno; v[1] = hexAlAzar();
            v[2] = Rellena(true, QString::number(1000 + (i * 5) % o.personajes), 5, QStringLiteral("0"));
            v[3] = QString::number(1 + i % 3); v[4] = nombrePjs[(i * 5) % o.personajes];
            v[5] = QStringLiteral("Ejército (%1 aprox.)").arg(100 * (1 + r.bounded(50)));
            v[6] = Rellena(true, QString::number(1 + (i % 25)), 2, QStringLiteral("0"));
            v[7] = i % 10 == 0; v[8] = r.bounded(100);
            for (int k = 12; k < 36; ++k) v[k] = r.bounded(500);
            v[36] = r.bounded(1000);
            if (!ejer.insertaFila(v)) { error = ejer.mensajeError(); return false; }
        }
        for (int i = 0; i < 20; ++i) {
            QVector<QVariant> v(rum.campos().size());
            v[0] = Rellena(true, QString::number(++rumor), 5, QStringLiteral("0"));
            v[1] = turno;
            v[2] = QStringLiteral("Se rumorea que %1 ha sido visto cerca de %2.").arg(nombrePjs[r.bounded(o.personajes)], hexCentros[r.bounded(o.centros)]);
            if (!rum.insertaFila(v)) { error = rum.mensajeError(); return false; }
        }
        for (Transaccion* t2 : {&tc, &tp, &te, &tr})
            if (!t2->confirma(&error)) return false;
    }
    return true;
}

} // namespace kz
