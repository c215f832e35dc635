#include "partidalectura.h"

#include "database/diccionario.h"
#include "database/volcado.h"
#include "reader/textoinforme.h"

#include <QDir>
#include <QFile>
#include <QTextStream>
#include <algorithm>
#include <map>

namespace kz::prueba {

namespace {

struct Plantilla {
    std::unique_ptr<CarpetaPrueba> carpeta;
    bool preparada = false;
    QString error;
};

} // namespace

PartidaLectura::PartidaLectura(const QStringList& partidas) {
    // Creating tables waits for the disk; the prepared folder is copied instead.
    static std::map<QString, Plantilla> plantillas;
    Plantilla& p = plantillas[partidas.join(QLatin1Char(','))];
    if (!p.carpeta) {
        p.carpeta = std::make_unique<CarpetaPrueba>(true);
        p.preparada = prepara(p.carpeta->ruta(), partidas, p.error);
    }
    preparada_ = p.preparada && copiaCarpeta(p.carpeta->ruta(), base());
    error_ = p.error;
    lector_ = std::make_unique<LectorTurno>(dm, base());
}

PartidaLectura::~PartidaLectura() { dm.CerrarTodas(); }

bool PartidaLectura::prepara(const QString& carpeta, const QStringList& partidas, QString& error_) {
    InteraccionGuion ui;
    TDM dm(ui);
    auto base = [&] { return carpeta; };
    dm.fijaCarpetaPrograma(base());
    const QString reglas = CarpetaPrueba::datosPrueba(QStringLiteral("lector/reglas"));
    for (const QString& fuente : {QStringLiteral("DSTerreno"), QStringLiteral("DSClimas"), QStringLiteral("DSTipoCP"),
                                  QStringLiteral("DSFortifica"), QStringLiteral("DSMuelles"), QStringLiteral("DSGrados")}) {
        if (!dm.Abrir(fuente, false, false)) {
            error_ = QStringLiteral("No se puede abrir ") + fuente;
            return false;
        }
        TTabla& t = *dm.tabla(fuente);
        // Only the rule rows of the test: whatever the built program folder ships is replaced.
        while (!t.vacia()) {
            t.primero();
            if (!t.borra()) {
                error_ = t.mensajeError();
                return false;
            }
        }
        if (!cargaVolcado(t, reglas + QLatin1Char('/') + t.fichero().section(QLatin1Char('.'), 0, 0) + QStringLiteral(".csv"), error_))
            return false;
        dm.Cerrar(fuente);
    }
    if (!dm.Abrir(QStringLiteral("DSPartidas"), false, false)) {
        error_ = QStringLiteral("No se puede abrir Partidas");
        return false;
    }
    TTabla& p = *dm.tabla(QStringLiteral("DSPartidas"));
    for (const QString& codigo : partidas) {
        if (p.buscaClave({codigo})) continue;
        p.anade();
        p.fija(QStringLiteral("CODIGO"), codigo);
        p.fija(QStringLiteral("NOMBRE"), QStringLiteral("Partida ") + codigo);
        p.fija(QStringLiteral("TIPO"), codigo.left(1));
        if (!p.graba()) {
            error_ = p.mensajeError();
            return false;
        }
    }
    dm.Cerrar(QStringLiteral("DSPartidas"));
    for (const QString& codigo : partidas) {
        QDir().mkpath(base() + QLatin1Char('/') + codigo);
        dm.fijaCarpetaPartida(base() + QLatin1Char('/') + codigo);
        if (!dm.AbrirLista(Diccionario::grupoPartida())) {
            error_ = QStringLiteral("No se pueden crear las tablas de ") + codigo + QLatin1Char(' ') + ui.textos().join(QLatin1Char('\n'));
            return false;
        }
        dm.CerrarLista(Diccionario::grupoPartida());
    }
    return true;
}

bool PartidaLectura::lee(const QStringList& lineas) { return lector_->LeeTurnoLista(lineas); }

bool PartidaLectura::leeFichero(const QString& nombre) {
    QStringList lineas;
    QString error;
    if (!LeeTextoInforme(CarpetaPrueba::datosPrueba(QStringLiteral("lector/") + nombre), lineas, error)) return false;
    return lee(lineas);
}

QStringList PartidaLectura::volcado(const QString& fuente, const QString& partida) {
    dm.CerrarTodas();
    dm.fijaCarpetaPrograma(base());
    if (!partida.isEmpty()) dm.fijaCarpetaPartida(base() + QLatin1Char('/') + partida);
    if (!dm.AbrirTablaSE(fuente, false)) return {QStringLiteral("(no se puede abrir %1)").arg(fuente)};
    QString texto;
    {
        QTextStream salida(&texto);
        volcarTabla(*dm.tabla(fuente), salida);
    }
    dm.Cerrar(fuente);
    return LineasDeTexto(texto);
}

void PartidaLectura::modifica(const QString& fuente, const QString& partida, const std::function<void(TTabla&)>& cambio) {
    dm.CerrarTodas();
    dm.fijaCarpetaPrograma(base());
    if (!partida.isEmpty()) dm.fijaCarpetaPartida(base() + QLatin1Char('/') + partida);
    if (!dm.AbrirTablaSE(fuente, false)) return;
    cambio(*dm.tabla(fuente));
    dm.Cerrar(fuente);
}

QStringList PartidaLectura::esperado(const QString& nombre) {
    QStringList lineas;
    QString error;
    LeeTextoInforme(CarpetaPrueba::datosPrueba(QStringLiteral("lector/") + nombre), lineas, error);
    return lineas;
}

QStringList InformeMinimo(const QStringList& cuerpo, const QString& turno, const QString& quinta) {
    QStringList l = {QStringLiteral("07 KZIII Partida 123 Jugador 0457 Turno ") + turno + QStringLiteral("  1"),
                     QStringLiteral("INFORME DE TURNO"),
                     QStringLiteral("Juan Martínez Soler"),
                     QStringLiteral("Calle del Pez 14"),
                     quinta,
                     QStringLiteral("Señores del Norte"),
                     QStringLiteral("Un Pueblo Libre"),
                     QStringLiteral("Estación : Invierno")};
    // Every report has the combat reports and the special messages, even empty; without them
    // the battles and double agents parsers log their missing block. A body that brings any of
    // them is taken as it is.
    const bool traeFinales = std::any_of(cuerpo.begin(), cuerpo.end(), [](const QString& linea) {
        return linea.contains(QStringLiteral("INFORMES DE COMBATE")) || linea.contains(QStringLiteral("Agentes dobles:")) ||
               linea.contains(QStringLiteral("siguientes rehenes:"));
    });
    if (!traeFinales)
        l << QStringLiteral("INFORMES DE COMBATE") << QStringLiteral("MENSAJES ESPECIALES")
          << QStringLiteral("Tienes los siguientes Agentes dobles:") << QStringLiteral("Tienes los siguientes rehenes:")
          << QStringLiteral("Tu posees los siguientes artefactos:");
    return l + cuerpo;
}

} // namespace kz::prueba
