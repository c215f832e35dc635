#pragma once
// "Nueva Partida": the game number (up to three digits, padded with "0" when the box is left),
// its name (up to 50 characters) and the kind "Tercera" or "Cuarta".

#include "startup/ventanascatalogo.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kz {

class TFNuevaPartida : public QDialog {
    Q_OBJECT
public:
    explicit TFNuevaPartida(QWidget* padre = nullptr);
    DatosNuevaPartida datos() const;

    QLineEdit* numero() const { return numero_; }
    QLineEdit* nombre() const { return nombre_; }
    QRadioButton* tercera() const { return tercera_; }
    QRadioButton* cuarta() const { return cuarta_; }
    QPushButton* aceptar() const { return aceptar_; }
    QPushButton* cancelar() const { return cancelar_; }

private:
    void rellenaNumero();

    QLineEdit* numero_;
    QLineEdit* nombre_;
    QRadioButton* tercera_;
    QRadioButton* cuarta_;
    QPushButton* aceptar_;
    QPushButton* cancelar_;
};

} // namespace kz
