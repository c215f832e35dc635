#pragma once
// The small text-entry dialog: a prompt, one line of at most 255 characters (shown as "*" for a
// password) and the buttons "Aceptar" and "Cancelar". Sized in dialog units of its font.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kz {

class TFPedirTexto : public QDialog {
    Q_OBJECT
public:
    TFPedirTexto(const QString& titulo, const QString& indicacion, const QString& valor, bool contrasena,
                 QWidget* padre = nullptr);
    QString valor() const;
    QLineEdit* entrada() const { return entrada_; }
    QLabel* indicacion() const { return indicacion_; }
    QPushButton* aceptar() const { return aceptar_; }
    QPushButton* cancelar() const { return cancelar_; }

private:
    QLabel* indicacion_;
    QLineEdit* entrada_;
    QPushButton* aceptar_;
    QPushButton* cancelar_;
};

// Modal text entry: true when accepted, and then `valor` holds the text typed.
bool PedirTexto(const QString& titulo, const QString& indicacion, QString& valor, bool contrasena);

} // namespace kz
