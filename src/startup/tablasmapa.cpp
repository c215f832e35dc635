#include "tablasmapa.h"

#include "database/diccionario.h"

namespace kz {

QStringList TablasMapa::grupo() { return Diccionario::grupoPartida(); }

bool TablasMapa::abre(TDM& dm) {
    if (!dm.AbrirLista(grupo())) return false;
    for (const char* nombre : {"TPjs3", "TPjs2"}) {
        TTabla* t = dm.tabla(QString::fromLatin1(nombre));
        t->fijaIndice(QString::fromLatin1(nombre == QLatin1String("TPjs3") ? "TURNOHEX" : "ID"));
        if (!t->abre()) {
            dm.interaccion().aviso(QStringLiteral("Error en la apertura de la Tabla Pjs.DB.") + QStringLiteral("\r") +
                                       t->mensajeError(),
                                   mtError);
            cierra(dm);
            return false;
        }
    }
    return true;
}

void TablasMapa::cierra(TDM& dm) {
    dm.CerrarLista(grupo());
    dm.tabla(QStringLiteral("TPjs3"))->cierra();
    dm.tabla(QStringLiteral("TPjs2"))->cierra();
    if (TConsulta* q = dm.consulta(QStringLiteral("QPjs"))) q->cierra();
}

int TablasMapa::ultimoTurno(TDM& dm) {
    TTabla* t = dm.tabla(QStringLiteral("TCenPob"));
    if (!t || !t->activa()) return 1;
    t->fijaIndice(QString());
    t->ultimo();
    if (t->vacia()) return 1;
    bool ok = false;
    const int n = t->texto(QStringLiteral("TURNO")).toInt(&ok);
    return ok ? n : 1;
}

QStringList TablasMapa::turnos(int ultimo) {
    QStringList l;
    for (int i = 0; i <= ultimo; ++i) l << QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0'));
    return l;
}

QString TablasMapa::rellenaTurnos(TDM& dm, VentanaPrincipal& ventana) {
    const QStringList lista = turnos(ultimoTurno(dm));
    ventana.muestraTurnos(lista, lista.last());
    return lista.last();
}

} // namespace kz
