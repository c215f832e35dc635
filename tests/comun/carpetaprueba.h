#pragma once
// A temporary program folder for one test, removed afterwards; optionally a copy of the built
// program folder (reference tables and templates).

#include <QString>
#include <QTemporaryDir>

namespace kz::prueba {

class CarpetaPrueba {
public:
    explicit CarpetaPrueba(bool conDatos = false);
    QString ruta() const { return dir_.path(); }
    QString fichero(const QString& relativo) const { return dir_.filePath(relativo); }
    static QString datosPrueba(const QString& relativo);   // tests/data/...
    static QString programaConstruido();
private:
    QTemporaryDir dir_;
};

// Copies a folder tree; false on the first failure.
bool copiaCarpeta(const QString& origen, const QString& destino);

} // namespace kz::prueba
