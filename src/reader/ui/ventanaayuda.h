#pragma once
// The in-program help window: one HTML page of the program's Help folder, opened at the anchor
// of a help context.

#include <QDialog>

class QTextBrowser;

namespace kz {

class VentanaAyuda : public QDialog {
    Q_OBJECT
public:
    explicit VentanaAyuda(QWidget* padre = nullptr);

    // Shows the page at the context's anchor; false when the page does not exist.
    bool muestra(const QString& pagina, int contexto);
    QTextBrowser* navegador() const { return navegador_; }

private:
    QTextBrowser* navegador_;
};

} // namespace kz
