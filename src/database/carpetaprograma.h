#pragma once
// The program folder: GESTORKZ_HOME when set, otherwise the folder of the running executable,
// without a trailing separator. Every path of the system is built from it.

#include <QString>

namespace kz {

QString carpetaPrograma();
// Game folder of a code: program folder + "/" + code.
QString carpetaPartida(const QString& carpetaPrograma, const QString& codigo);

} // namespace kz
