#include "volcado.h"

#include <QFile>

namespace kz {
namespace {

QString campoTexto(const QVariant& v) {
    if (v.isNull()) return {};
    if (v.typeId() == QMetaType::Bool) return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    return v.toString();
}

QString cita(const QString& s) {
    if (!s.contains(QLatin1Char(';')) && !s.contains(QLatin1Char('"')) && !s.contains(QLatin1Char('\n')) &&
        !s.contains(QLatin1Char('\r')))
        return s;
    QString r = s;
    r.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + r + QLatin1Char('"');
}

} // namespace

QString lineaVolcado(const QStringList& valores) {
    QStringList c;
    for (const auto& v : valores) c << cita(v);
    return c.join(QLatin1Char(';'));
}

void volcarTabla(TTabla& tabla, QTextStream& salida) {
    QStringList cabecera;
    for (const auto& f : tabla.campos()) cabecera << f.nombre;
    salida << lineaVolcado(cabecera) << '\n';
    for (tabla.primero(); !tabla.eof(); tabla.siguiente()) {
        QStringList fila;
        for (int i = 0; i < tabla.campos().size(); ++i) fila << campoTexto(tabla.valor(i));
        salida << lineaVolcado(fila) << '\n';
    }
}

bool leeVolcado(const QString& texto, QList<QStringList>& filas, QString& error) {
    filas.clear();
    QStringList fila;
    QString campo;
    bool entreComillas = false, hayAlgo = false;
    for (int i = 0; i < texto.size(); ++i) {
        const QChar ch = texto[i];
        if (entreComillas) {
            if (ch == QLatin1Char('"')) {
                if (i + 1 < texto.size() && texto[i + 1] == QLatin1Char('"')) { campo += ch; ++i; }
                else entreComillas = false;
            } else {
                campo += ch;
            }
            continue;
        }
        if (ch == QLatin1Char('"') && campo.isEmpty()) { entreComillas = true; hayAlgo = true; continue; }
        if (ch == QLatin1Char(';')) { fila << campo; campo.clear(); hayAlgo = true; continue; }
        if (ch == QLatin1Char('\r')) continue;
        if (ch == QLatin1Char('\n')) {
            if (hayAlgo || !campo.isEmpty()) { fila << campo; filas << fila; }
            fila.clear(); campo.clear(); hayAlgo = false;
            continue;
        }
        campo += ch;
        hayAlgo = true;
    }
    if (entreComillas) { error = QStringLiteral("Falta cerrar una comilla"); return false; }
    if (hayAlgo || !campo.isEmpty()) { fila << campo; filas << fila; }
    return true;
}

bool cargaVolcado(TTabla& tabla, const QString& fichero, QString& error) {
    QFile f(fichero);
    if (!f.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("No se puede leer %1: %2").arg(fichero, f.errorString());
        return false;
    }
    QList<QStringList> filas;
    if (!leeVolcado(QString::fromUtf8(f.readAll()), filas, error)) {
        error = QStringLiteral("%1: %2").arg(fichero, error);
        return false;
    }
    if (filas.isEmpty()) return true;
    QVector<int> columnas;
    for (const QString& nombre : filas.first()) {
        const int c = tabla.indiceCampo(nombre.trimmed());
        if (c < 0) {
            error = QStringLiteral("%1: el campo %2 no existe en la tabla").arg(fichero, nombre);
            return false;
        }
        columnas << c;
    }
    Transaccion t(*tabla.conexion());
    for (int r = 1; r < filas.size(); ++r) {
        QVector<QVariant> valores(tabla.campos().size());
        for (int i = 0; i < columnas.size() && i < filas[r].size(); ++i)
            if (!filas[r][i].isEmpty()) valores[columnas[i]] = filas[r][i];
        if (!tabla.insertaFila(valores)) {
            error = QStringLiteral("%1, línea %2: %3").arg(fichero).arg(r + 1).arg(tabla.mensajeError());
            return false;
        }
    }
    if (!t.confirma(&error)) return false;
    tabla.refresca();
    return true;
}

} // namespace kz
