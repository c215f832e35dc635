#pragma once
// The settings key of GestorKZ, kept in an INI file through QSettings: the file
// Varnel/GestorVIRIZ.ini under the user's configuration folder, or the path in
// GESTORKZ_SETTINGS. The values sit directly in the key, with their own names.
//
// A file that cannot be written counts as a key that cannot be opened: nothing is read from it
// or written to it, exactly as when the key is out of reach.

#include <QString>
#include <QVariant>
#include <memory>

class QSettings;

namespace kz {

class Ajustes {
public:
    static const QString kAyudaEmergente, kBusquedaEstandar, kResaltoActivo, kResaltoColor,
        kPartidaPredeterminada, kTurno, kVersion;
    static constexpr int kColorResaltoPorDefecto = 4227327;   // 0x004080FF

    Ajustes();
    explicit Ajustes(const QString& fichero);
    ~Ajustes();

    static QString rutaPorDefecto();
    const QString& fichero() const { return fichero_; }

    // Opens the key, creating the file when missing; false when it cannot be opened or written.
    bool abre();
    void cierra();
    bool abierta() const { return settings_ != nullptr; }

    bool existe(const QString& nombre) const;
    int entero(const QString& nombre, int defecto) const;
    QString texto(const QString& nombre, const QString& defecto = {}) const;
    void escribeEntero(const QString& nombre, int valor);
    void escribeTexto(const QString& nombre, const QString& valor);

private:
    QString fichero_;
    std::unique_ptr<QSettings> settings_;
};

} // namespace kz
