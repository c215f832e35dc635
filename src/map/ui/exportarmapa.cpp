#include "exportarmapa.h"

#include "map/tmapa.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <memory>

namespace kz {

QFileDialog* CreaDialogoExportarMapa(QWidget* padre) {
    auto* d = new QFileDialog(padre, QStringLiteral("Exportar Mapa"));
    d->setAcceptMode(QFileDialog::AcceptSave);
    d->setFileMode(QFileDialog::AnyFile);
    d->setNameFilters({QStringLiteral("Mapa de bits (*.bmp)"), QStringLiteral("Imagen PNG (*.png)")});
    d->setDefaultSuffix(QStringLiteral("bmp"));
    return d;
}

bool ExportarMapaA(TMapa& mapa, const QString& fichero, Interaccion& ui) {
    const QString carpeta = QFileInfo(fichero).absolutePath();
    if (!QDir(carpeta).exists()) {
        ui.aviso(QStringLiteral("La carpeta %1 no existe.").arg(QDir::toNativeSeparators(carpeta)), mtAviso);
        return false;
    }
    QString error;
    if (!mapa.ExportarMapa(fichero, error)) {
        ui.aviso(error, mtError);
        return false;
    }
    return true;
}

void ExportarMapa1Click(QWidget* padre, TMapa& mapa, Interaccion& ui) {
    const std::unique_ptr<QFileDialog> d(CreaDialogoExportarMapa(padre));
    if (d->exec() == QDialog::Accepted && !d->selectedFiles().isEmpty()) ExportarMapaA(mapa, d->selectedFiles().first(), ui);
}

} // namespace kz
