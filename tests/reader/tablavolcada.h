#pragma once
// A table as `kzdb volcar` writes it, read back by field name, so that a test can state the
// few fields of the few rows it is about.

#include <QList>
#include <QString>
#include <QStringList>

namespace kz::prueba {

class TablaVolcada {
public:
    explicit TablaVolcada(const QStringList& lineas);

    int filas() const { return filas_.size(); }
    // Index of the first row whose fields hold the given values ("TURNO=012"), -1 when none.
    int busca(const QStringList& condiciones) const;
    QString valor(int fila, const QString& campo) const;
    // The fields of the first row that meets the conditions, joined with ";"; "(no existe)"
    // when there is none.
    QString campos(const QStringList& condiciones, const QString& lista) const;
    // One field of every row, in order.
    QStringList columna(const QString& campo) const;

private:
    QStringList cabecera_;
    QList<QStringList> filas_;
};

} // namespace kz::prueba
