#pragma once
// The catalogue and structure commands of kzdb: the same core operations the windows call, run
// with the command itself taken as the user's "Si" to their confirmation questions.

#include <QStringList>

namespace kz {

class InteraccionTerminal;

// Each returns the exit status (0 or 1) and has already printed its messages.
int ordenNuevaPartida(const QStringList& args, InteraccionTerminal& ui, const QString& programa);
int ordenEliminarPartida(const QStringList& args, InteraccionTerminal& ui, const QString& programa);
int ordenReestructurar(const QStringList& args, InteraccionTerminal& ui, const QString& programa);
int ordenMigrar(const QStringList& args, InteraccionTerminal& ui, const QString& programa);

} // namespace kz
