#include "ajustes.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace kz {

const QString Ajustes::kAyudaEmergente = QStringLiteral("Ayuda Emergente");
const QString Ajustes::kBusquedaEstandar = QStringLiteral("Busqueda Estandar");
const QString Ajustes::kResaltoActivo = QStringLiteral("Resalto Activo");
const QString Ajustes::kResaltoColor = QStringLiteral("Resalto Color");
const QString Ajustes::kPartidaPredeterminada = QStringLiteral("Partida Predeterminada");
const QString Ajustes::kTurno = QStringLiteral("Turno");
const QString Ajustes::kVersion = QStringLiteral("Version");

Ajustes::Ajustes() : Ajustes(rutaPorDefecto()) {}
Ajustes::Ajustes(const QString& fichero) : fichero_(fichero) {}
Ajustes::~Ajustes() { cierra(); }

QString Ajustes::rutaPorDefecto() {
    const QString entorno = qEnvironmentVariable("GESTORKZ_SETTINGS");
    if (!entorno.isEmpty()) return entorno;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Varnel/GestorVIRIZ.ini");
}

bool Ajustes::abre() {
    cierra();
    const QFileInfo fi(fichero_);
    // A file marked read-only is out of reach even for a user whose rights would allow writing
    // it anyway: the user asked for it not to change.
    if (fi.exists() && !(fi.permissions() & (QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther)))
        return false;
    QDir().mkpath(fi.absolutePath());
    auto s = std::make_unique<QSettings>(fichero_, QSettings::IniFormat);
    if (!s->isWritable() || s->status() != QSettings::NoError) return false;
    if (!fi.exists()) {
        // Created at once, so that a folder without rights shows up now and not at the first write.
        s->sync();
        if (s->status() != QSettings::NoError) return false;
    }
    settings_ = std::move(s);
    return true;
}

void Ajustes::cierra() {
    if (settings_) settings_->sync();
    settings_.reset();
}

bool Ajustes::existe(const QString& nombre) const { return settings_ && settings_->contains(nombre); }

int Ajustes::entero(const QString& nombre, int defecto) const {
    if (!settings_ || !settings_->contains(nombre)) return defecto;
    bool ok = false;
    const int v = settings_->value(nombre).toInt(&ok);
    return ok ? v : defecto;
}

QString Ajustes::texto(const QString& nombre, const QString& defecto) const {
    if (!settings_ || !settings_->contains(nombre)) return defecto;
    return settings_->value(nombre).toString();
}

void Ajustes::escribeEntero(const QString& nombre, int valor) {
    if (!settings_) return;
    settings_->setValue(nombre, valor);
    settings_->sync();
}

void Ajustes::escribeTexto(const QString& nombre, const QString& valor) {
    if (!settings_) return;
    settings_->setValue(nombre, valor);
    settings_->sync();
}

} // namespace kz
