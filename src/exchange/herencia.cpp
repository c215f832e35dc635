#include "herencia.h"

#include "database/textos.h"

#include <QSet>

namespace kz {
namespace {

const QStringList kListaTablas = {QStringLiteral("DSCenPob"), QStringLiteral("DSPjs")};
const QString kTodosCodigos = QStringLiteral("zzzzz");

// The fields an inherited row takes from the row it comes from.
const QStringList& camposHeredados() {
    static const QStringList l = {
        QStringLiteral("NOMBRE"),   QStringLiteral("PAIS"),     QStringLiteral("TIPOCP"),  QStringLiteral("TERRENO"),
        QStringLiteral("CLIMA"),    QStringLiteral("FORTIFICA"), QStringLiteral("LEALTAD"), QStringLiteral("MUELLES"),
        QStringLiteral("CAPITAL"),  QStringLiteral("OCULTO"),   QStringLiteral("ASEDIADO"), QStringLiteral("PROCU"),
        QStringLiteral("PROBR"),    QStringLiteral("PROAC"),    QStringLiteral("PROMI"),   QStringLiteral("PROCO"),
        QStringLiteral("PROMA"),    QStringLiteral("PROMO"),    QStringLiteral("PROOR"),   QStringLiteral("ALMCU"),
        QStringLiteral("ALMBR"),    QStringLiteral("ALMAC"),    QStringLiteral("ALMMI"),   QStringLiteral("ALMCO"),
        QStringLiteral("ALMMA"),    QStringLiteral("ALMMO"),    QStringLiteral("ALMOR")};
    return l;
}

QString turnoNormalizado(const QString& turno) {
    const QString t = turno.trimmed();
    return t.isEmpty() ? t : RellenaIzq(t, 3, QStringLiteral("0"));
}

} // namespace

Herencia::Herencia(TDM& dm, Interaccion* ui) : dm_(dm), ui_(ui ? *ui : dm.interaccion()) {}

Herencia::~Herencia() { cierra(); }

QString Herencia::turnoSiguiente(const QString& turno) {
    return RellenaIzq(QString::number(turno.trimmed().toInt() + 1), 3, QStringLiteral("0")).left(3);
}

bool Herencia::abre() {
    if (abiertas_) return true;
    if (!dm_.AbrirLista(kListaTablas)) return false;
    abiertas_ = true;
    TTabla& cenPob = *dm_.tabla(QStringLiteral("TCenPob"));
    cenPob.ultimo();
    hastaPropuesto_ = cenPob.vacia() ? QString() : cenPob.texto(QStringLiteral("TURNO"));
    return true;
}

void Herencia::cierra() {
    if (!abiertas_) return;
    dm_.CerrarLista(kListaTablas);
    abiertas_ = false;
}

bool Herencia::hayPropio(const QString& turno, const QString& hex) {
    TTabla& pjs = *dm_.tabla(QStringLiteral("TPjs"));
    pjs.fijaRango({turno, hex, QVariant()}, {turno, hex, kTodosCodigos});
    for (; !pjs.eof(); pjs.siguiente())
        if (pjs.texto(QStringLiteral("ORIGEN")) == QLatin1String("0")) return true;
    return false;
}

bool Herencia::hereda(const TTabla& origen, const QString& turno, QString& error) {
    TTabla& cenPob = *dm_.tabla(QStringLiteral("TCenPob"));
    bool ok = cenPob.anade() && cenPob.fija(QStringLiteral("TURNO"), turno) &&
              cenPob.fija(QStringLiteral("HEX"), origen.valor(QStringLiteral("HEX")));
    for (const QString& c : camposHeredados())
        if (ok) ok = cenPob.fija(c, origen.valor(c));
    ok = ok && cenPob.fija(QStringLiteral("HEREDADO"), true) && cenPob.graba();
    if (!ok) {
        error = cenPob.mensajeError();
        cenPob.cancela();
        return false;
    }
    ++anadidas_;
    return true;
}

bool Herencia::recorre(TTabla& recorrido, const QString& desde, const QString& hasta, QString& error) {
    // The keys of the rows between the two turns, read once, tell whether a turn has a row for
    // a hex without a look-up per row; every row appended joins them.
    QSet<QString> claves;
    const auto clave = [](const QString& turno, const QString& hex) { return turno + QLatin1Char('|') + hex; };
    recorrido.fijaRango({desde}, {hasta});
    for (; !recorrido.eof(); recorrido.siguiente())
        claves.insert(clave(recorrido.texto(QStringLiteral("TURNO")), recorrido.texto(QStringLiteral("HEX"))));
    recorrido.quitaRango();

    if (desde.isEmpty()) recorrido.primero();
    else recorrido.buscaCercano({desde, QVariant()});
    int filas = 0;
    while (!recorrido.eof()) {
        const QString turno = recorrido.texto(QStringLiteral("TURNO"));
        const QString hex = recorrido.texto(QStringLiteral("HEX"));
        // Rows of the to turn are not carried further, and no row after it is ever looked at,
        // even when the to turn itself has no row.
        if (turno >= hasta) break;
        if (turno >= desde) {
            const QString siguiente = turnoSiguiente(turno);
            if (!claves.contains(clave(siguiente, hex)) && !hayPropio(siguiente, hex)) {
                if (!hereda(recorrido, siguiente, error)) return false;
                claves.insert(clave(siguiente, hex));
            }
        }
        recorrido.siguiente();
        if (++filas % 256 == 0) ui_.procesaEventos();
    }
    return true;
}

bool Herencia::valida(const QString& desdeTexto, const QString& hastaTexto) {
    const QString desde = turnoNormalizado(desdeTexto), hasta = turnoNormalizado(hastaTexto);
    if (!hasta.isEmpty() && hasta > desde) return true;
    ui_.aviso(QStringLiteral("El turno de \"Hasta Turno\" debe ser posterior al de \"Desde Turno\"."), mtAviso);
    return false;
}

bool Herencia::ejecuta(const QString& desdeTexto, const QString& hastaTexto) {
    anadidas_ = 0;
    if (!valida(desdeTexto, hastaTexto)) return false;
    const QString desde = turnoNormalizado(desdeTexto), hasta = turnoNormalizado(hastaTexto);
    const bool yaAbiertas = abiertas_;
    if (!abre()) return false;
    TTabla& cenPob = *dm_.tabla(QStringLiteral("TCenPob"));
    TTabla& pjs = *dm_.tabla(QStringLiteral("TPjs"));
    const QString indicePjs = pjs.nombreIndice();
    QString error;
    bool ok = dm_.SeleccionaIndice(pjs, QStringLiteral("TURNOHEX"));
    {
        CursorEspera espera(ui_);
        // A cursor of its own on the same file walks the table; the data module's cursor looks
        // rows up and appends the inherited ones, which the walk then meets in key order.
        TTabla recorrido;
        recorrido.fijaCarpeta(cenPob.carpeta());
        recorrido.fijaFichero(cenPob.fichero());
        recorrido.fijaLimitesDeObjeto(true);
        if (ok && !recorrido.abre()) {
            ok = false;
            error = recorrido.mensajeError();
        }
        if (ok) {
            Transaccion tx(*cenPob.conexion());
            ok = recorre(recorrido, desde, hasta, error);
            QString errorConfirma;
            if (tx.iniciada() && !tx.confirma(&errorConfirma) && ok) {
                ok = false;
                error = errorConfirma;
            }
        }
        recorrido.cierra();
        pjs.quitaRango();
        pjs.fijaIndice(indicePjs);
    }
    if (!yaAbiertas) cierra();
    if (!ok) {
        ui_.aviso(QStringLiteral("Se ha producio un error durante el proceso!!!"), mtError);
        if (!error.isEmpty()) ui_.aviso(error, mtError);
        return false;
    }
    ui_.aviso(QStringLiteral("Proceso finalizado correctamente."), mtInformacion);
    return true;
}

QString Herencia::turnoObservado(TTabla& cenPob) {
    if (!cenPob.activa() || !cenPob.logico(QStringLiteral("HEREDADO"))) return {};
    const Marcador fila = cenPob.marcador();
    // A cursor of its own walks back, so the caller's cursor keeps its index, range and row.
    TTabla c;
    c.fijaCarpeta(cenPob.carpeta());
    c.fijaFichero(cenPob.fichero());
    c.fijaIndice(QStringLiteral("HEX"));
    if (!c.abre() || c.nombreIndice().compare(QLatin1String("HEX"), Qt::CaseInsensitive) != 0 || !c.irAMarcador(fila))
        return {};
    const QString hex = c.texto(QStringLiteral("HEX"));
    while (c.texto(QStringLiteral("HEX")) == hex && c.logico(QStringLiteral("HEREDADO"))) {
        c.anterior();
        if (c.bof()) break;
    }
    if (c.texto(QStringLiteral("HEX")) == hex && !c.logico(QStringLiteral("HEREDADO"))) return c.texto(QStringLiteral("TURNO"));
    return {};
}

} // namespace kz
