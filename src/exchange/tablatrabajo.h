#pragma once
// A table unpacked from an archive, read once from start to end: either one of our table files
// or a legacy Paradox table from an ally who still uses the legacy program. Values come typed
// (text, integer, logical) or null, one row at a time, with the fields by name.

#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>

namespace kz {

class TablaTrabajo {
public:
    virtual ~TablaTrabajo() = default;

    // Opens the file for reading, whichever kind it is; null with the reason when it is neither.
    static std::unique_ptr<TablaTrabajo> abre(const QString& ruta, QString& error);

    virtual const QStringList& campos() const = 0;
    virtual int numeroRegistros() const = 0;
    // The next row; false at the end or on a read failure (then error() says why).
    virtual bool siguiente(QVector<QVariant>& fila) = 0;
    const QString& error() const { return error_; }

protected:
    QString error_;
};

} // namespace kz
