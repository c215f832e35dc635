#include "listapdfs.h"

#include "textoinforme.h"

#include <QFile>
#include <QSaveFile>

namespace kz {

ListaPdfs::ListaPdfs(const QString& carpetaBase) : base_(carpetaBase) {}

QString ListaPdfs::fichero() const { return base_ + QStringLiteral("/LPartidas.dat"); }

QString ListaPdfs::carpetaPredeterminada(const QString& codigo) const { return base_ + QStringLiteral("/Pdfs/") + codigo; }

bool ListaPdfs::carga(QString& error) {
    entradas_.clear();
    QFile f(fichero());
    if (!f.exists()) return true;
    if (!f.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("No se puede leer el fichero %1: %2").arg(fichero(), f.errorString());
        return false;
    }
    for (const QString& linea : LineasDeTexto(f.readAll())) {
        if (linea.trimmed().isEmpty()) continue;
        const int igual = linea.indexOf(QLatin1Char('='));
        if (igual <= 0) entradas_.push_back({QString(), QString(), linea});
        else entradas_.push_back({linea.left(igual), linea.mid(igual + 1), QString()});
    }
    return true;
}

QStringList ListaPdfs::lineas() const {
    QStringList r;
    for (const Entrada& e : entradas_) r << (e.codigo.isEmpty() ? e.linea : e.codigo + QLatin1Char('=') + e.carpeta);
    return r;
}

bool ListaPdfs::guarda(QString& error) const {
    QSaveFile f(fichero());
    QByteArray datos;
    for (const QString& l : lineas()) datos += l.toUtf8() + '\n';
    if (!f.open(QIODevice::WriteOnly) || f.write(datos) < 0 || !f.commit()) {
        error = QStringLiteral("No se puede escribir el fichero %1: %2").arg(fichero(), f.errorString());
        return false;
    }
    return true;
}

const ListaPdfs::Entrada* ListaPdfs::busca(const QString& codigo) const {
    for (const Entrada& e : entradas_)
        if (!e.codigo.isEmpty() && e.codigo == codigo) return &e;
    return nullptr;
}

bool ListaPdfs::tieneCarpeta(const QString& codigo) const {
    const Entrada* e = busca(codigo);
    return e && !e->carpeta.trimmed().isEmpty();
}

QString ListaPdfs::carpeta(const QString& codigo) const {
    return tieneCarpeta(codigo) ? busca(codigo)->carpeta : carpetaPredeterminada(codigo);
}

void ListaPdfs::fija(const QString& codigo, const QString& carpeta) {
    for (Entrada& e : entradas_)
        if (!e.codigo.isEmpty() && e.codigo == codigo) {
            e.carpeta = carpeta;
            return;
        }
    entradas_.push_back({codigo, carpeta, QString()});
}

QStringList ListaPdfs::codigos() const {
    QStringList r;
    for (const Entrada& e : entradas_)
        if (!e.codigo.isEmpty()) r << e.codigo;
    return r;
}

} // namespace kz
