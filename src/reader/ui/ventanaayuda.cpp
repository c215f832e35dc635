#include "ventanaayuda.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace kz {

VentanaAyuda::VentanaAyuda(QWidget* padre) : QDialog(padre), navegador_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("VentanaAyuda"));
    setWindowTitle(QStringLiteral("Ayuda"));
    navegador_->setObjectName(QStringLiteral("Navegador"));
    navegador_->setOpenExternalLinks(true);
    auto* capa = new QVBoxLayout(this);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(navegador_);
    resize(640, 520);
}

bool VentanaAyuda::muestra(const QString& pagina, int contexto) {
    if (!QFileInfo(pagina).isFile()) return false;
    QUrl url = QUrl::fromLocalFile(pagina);
    url.setFragment(QStringLiteral("contexto") + QString::number(contexto));
    navegador_->setSource(url);
    show();
    raise();
    activateWindow();
    return true;
}

} // namespace kz
