#pragma once
// "Exportar Mapa": the save-picture dialog and the export of the full map's picture.

#include "database/interaccion.h"

#include <QString>

class QFileDialog;
class QWidget;

namespace kz {

class TMapa;

// The dialog as the menu command shows it: title "Exportar Mapa", pictures ".bmp" by default.
QFileDialog* CreaDialogoExportarMapa(QWidget* padre);
// Writes the full map's picture to `fichero`; every failure is told through `ui`.
bool ExportarMapaA(TMapa& mapa, const QString& fichero, Interaccion& ui);
// The menu command: the dialog, then the export of the chosen file.
void ExportarMapa1Click(QWidget* padre, TMapa& mapa, Interaccion& ui);

} // namespace kz
