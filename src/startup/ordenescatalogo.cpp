#include "ordenescatalogo.h"

#include "catalogo.h"
#include "database/carpetaprograma.h"
#include "database/diccionario.h"
#include "database/restructura.h"
#include "database/tdm.h"
#include "database/textos.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <iostream>

namespace kz {
namespace {

// Prints like the terminal and answers "Si" wherever it is offered: the user asked for the
// operation by typing the command. Every other question keeps the terminal's answer.
class InteraccionConfirmada : public Interaccion {
public:
    explicit InteraccionConfirmada(InteraccionTerminal& t) : t_(t) {}
    ResultadoMensaje pregunta(const QString& texto, TipoMensaje tipo, Botones botones, Boton defecto) override {
        if (botones & boton(mbSi)) {
            QString plano = texto;
            plano.replace(QLatin1Char('\r'), QLatin1Char('\n'));
            std::cerr << tituloMensaje(tipo).toStdString() << ": " << plano.toStdString() << " -> Si\n";
            return mrSi;
        }
        if (botones == boton(mbOK)) ++avisos;
        return t_.pregunta(texto, tipo, botones, defecto);
    }
    void estado(const QString& texto) override { t_.estado(texto); }
    int avisos = 0;
private:
    InteraccionTerminal& t_;
};

class SinVentanas : public VentanasCatalogo {
public:
    bool pideNuevaPartida(DatosNuevaPartida&) override { return false; }
    bool muestraEleccion(Catalogo&) override { return false; }
};

int falla(const QString& m) {
    std::cerr << m.toStdString() << std::endl;
    return 1;
}

bool esCodigoPartida(const QString& nombre) {
    static const QRegularExpression re(QStringLiteral("^[TtCc][0-9]{3}$"));
    return re.match(nombre).hasMatch();
}

} // namespace

int ordenNuevaPartida(const QStringList& args, InteraccionTerminal& terminal, const QString& programa) {
    if (args.size() < 2 || (args[0].toUpper() != QLatin1String("T") && args[0].toUpper() != QLatin1String("C")))
        return falla(QStringLiteral("Uso: kzdb nueva-partida T|C NUMERO [NOMBRE]"));
    InteraccionConfirmada ui(terminal);
    TDM dm(ui);
    Sesion sesion;
    sesion.carpetaPrograma = programa;
    SinVentanas ventanas;
    VentanaPrincipal principal;
    Catalogo catalogo(dm, sesion, ventanas, principal);
    dm.fijaCarpetaPrograma(programa);
    if (!dm.Abrir(QStringLiteral("DSPartidas"), false, false)) return falla(QStringLiteral("No se puede abrir Partidas.DB"));
    DatosNuevaPartida datos;
    datos.cuarta = args[0].toUpper() == QLatin1String("C");
    datos.numero = args[1];
    datos.nombre = args.mid(2).join(QLatin1Char(' '));
    const bool creada = catalogo.creaPartida(datos);
    dm.Cerrar(QStringLiteral("DSPartidas"));
    if (!creada) return 1;
    // As the first choice of the game in GestorKZ would: every table of the game exists after it.
    const QString codigo = (datos.cuarta ? QStringLiteral("C") : QStringLiteral("T")) +
                           RellenaIzq(datos.numero, 3, QStringLiteral("0"));
    dm.fijaCarpetaPartida(carpetaPartida(programa, codigo));
    if (!dm.AbrirLista(Diccionario::grupoPartida())) return falla(QStringLiteral("No se pueden abrir las tablas de %1").arg(codigo));
    dm.CerrarLista(Diccionario::grupoPartida());
    std::cout << codigo.toStdString() << std::endl;
    return 0;
}

int ordenEliminarPartida(const QStringList& args, InteraccionTerminal& terminal, const QString& programa) {
    if (args.size() != 1) return falla(QStringLiteral("Uso: kzdb eliminar-partida CODIGO"));
    InteraccionConfirmada ui(terminal);
    TDM dm(ui);
    Sesion sesion;
    sesion.carpetaPrograma = programa;
    SinVentanas ventanas;
    VentanaPrincipal principal;
    Catalogo catalogo(dm, sesion, ventanas, principal);
    dm.fijaCarpetaPrograma(programa);
    if (!dm.Abrir(QStringLiteral("DSPartidas"), false, false)) return falla(QStringLiteral("No se puede abrir Partidas.DB"));
    const bool existe = dm.tabla(QStringLiteral("TPartidas"))->buscaClave({args[0]});
    dm.Cerrar(QStringLiteral("DSPartidas"));
    if (!existe) return falla(QStringLiteral("La partida %1 no existe").arg(args[0]));
    catalogo.elimina(args[0]);
    return ui.avisos == 0 ? 0 : 1;
}

int ordenReestructurar(const QStringList&, InteraccionTerminal& terminal, const QString& programa) {
    InteraccionConfirmada ui(terminal);
    TDM dm(ui);
    Restructura r(dm);
    if (!r.mantenimiento(programa, false))
        return falla(r.error().isEmpty() ? QStringLiteral("La revisión de las estructuras no ha terminado") : r.error());
    return 0;
}

// Copies a legacy program folder (catalogue, rule tables, templates, game folders) into the
// program folder, never over a file that is already there, then runs the maintenance run, which
// turns every legacy table into a current one with its rows.
int ordenMigrar(const QStringList& args, InteraccionTerminal& terminal, const QString& programa) {
    if (args.size() != 1) return falla(QStringLiteral("Uso: kzdb migrar CARPETA"));
    QDir origen(args[0]);
    if (!origen.exists()) return falla(QStringLiteral("No existe la carpeta %1").arg(args[0]));
    QStringList saltados;
    auto copiaFicheros = [&](const QDir& de, const QString& a, bool todos) -> bool {
        QDir().mkpath(a);
        for (const QFileInfo& fi : de.entryInfoList(QDir::Files)) {
            const QString base = fi.completeBaseName();
            const QString ext = fi.suffix().toUpper();
            if (!todos) {
                const DefTabla* d = Diccionario::porFichero(base + QStringLiteral(".DB"));
                if (!d || d->carpeta != CarpetaTabla::Programa) continue;
            }
            if (ext != QLatin1String("DB") && ext != QLatin1String("PX") && ext != QLatin1String("MB") &&
                !ext.startsWith(QLatin1Char('X')) && !ext.startsWith(QLatin1Char('Y')))
                continue;
            const QString destino = Restructura::buscaFichero(a, fi.fileName());
            if (!destino.isEmpty()) {
                saltados << QDir(a).filePath(fi.fileName());
                continue;
            }
            if (!QFile::copy(fi.filePath(), QDir(a).filePath(fi.fileName()))) {
                std::cerr << "No se puede copiar " << fi.filePath().toStdString() << std::endl;
                return false;
            }
        }
        return true;
    };
    // An empty catalogue of ours gives way to the legacy one; nothing else is ever replaced.
    if (!Restructura::buscaFichero(origen.path(), QStringLiteral("Partidas.DB")).isEmpty()) {
        InteraccionTerminal silencio;
        TDM dm(silencio);
        dm.fijaCarpetaPrograma(programa);
        TTabla& partidas = *dm.tabla(QStringLiteral("TPartidas"));
        if (partidas.existeFichero() && dm.AbrirTablaSE(QStringLiteral("DSPartidas"), true)) {
            const bool vacia = partidas.vacia();
            dm.Cerrar(QStringLiteral("DSPartidas"));
            if (vacia) QFile::remove(partidas.ruta());
        }
    }
    if (!copiaFicheros(origen, programa, false)) return 1;
    for (const QFileInfo& sub : origen.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString nombre = sub.fileName();
        const bool plantilla = nombre.compare(QLatin1String("Tercera"), Qt::CaseInsensitive) == 0 ||
                               nombre.compare(QLatin1String("Cuarta"), Qt::CaseInsensitive) == 0;
        if (!plantilla && !esCodigoPartida(nombre)) continue;
        QString destino = nombre;
        if (plantilla) destino = nombre.at(0).toUpper() == QLatin1Char('T') ? QStringLiteral("Tercera") : QStringLiteral("Cuarta");
        else destino = nombre.toUpper();
        if (!copiaFicheros(QDir(sub.filePath()), QDir(programa).filePath(destino), true)) return 1;
    }
    for (const QString& s : saltados) std::cerr << "Ya existe, no se copia: " << s.toStdString() << "\n";
    return ordenReestructurar({}, terminal, programa);
}

} // namespace kz
