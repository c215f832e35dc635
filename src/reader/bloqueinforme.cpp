#include "bloqueinforme.h"

namespace kz {

namespace {

bool contieneAlguno(const QString& linea, const QStringList& textos) {
    for (const QString& t : textos)
        if (linea.contains(t)) return true;
    return false;
}

} // namespace

int LineaQueContiene(const QStringList& lineas, const QStringList& textos, int desde) {
    for (int i = std::max(0, desde); i < lineas.size(); ++i)
        if (contieneAlguno(lineas[i], textos)) return i;
    return -1;
}

int LineaIgualA(const QStringList& lineas, const QString& texto, int desde) {
    for (int i = std::max(0, desde); i < lineas.size(); ++i)
        if (lineas[i].trimmed().compare(texto, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

bool TieneMarcaPagina(const QString& linea, const QString& marca) { return !marca.isEmpty() && linea.contains(marca); }

QStringList LineasHastaQueContenga(const QStringList& lineas, int cabecera, const QStringList& finales,
                                   const QString& marca) {
    return LineasHasta(lineas, cabecera, marca, [&](const QString& l) { return contieneAlguno(l, finales); });
}

QString UneRecortadas(const QStringList& lineas) {
    QStringList r;
    r.reserve(lineas.size());
    for (const QString& l : lineas) r << l.trimmed();
    return r.join(QLatin1Char(' '));
}

} // namespace kz
