#pragma once
// Window "Heredar Datos": the explanation, "Desde Turno" and "Hasta Turno" (three digits at
// most, padded with "0" on leaving the box), "Empezar" and "Salir". A thin face over Herencia,
// which holds CenPob and Pjs open while the window is shown.

#include "exchange/herencia.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace kz {

class TFHeredar : public QDialog {
    Q_OBJECT
public:
    TFHeredar(TDM& dm, QWidget* padre = nullptr);

    // Inherit (menu "Heredar Datos"): true only when the process ended correctly, so that the
    // main window fills the map again.
    static bool Heredar(TDM& dm, QWidget* padre);

    bool prepara();   // opens the tables and proposes the latest turn as "Hasta Turno"
    QLineEdit* desde() const { return desde_; }
    QLineEdit* hasta() const { return hasta_; }
    QPushButton* botonEmpezar() const { return empezar_; }
    QPushButton* botonSalir() const { return salir_; }
    bool hecho() const { return hecho_; }

private slots:
    void Empezar();

private:
    QLineEdit* cajaTurno(const QString& rotulo);

    Herencia herencia_;
    QLineEdit *desde_, *hasta_;
    QPushButton *empezar_, *salir_;
    bool hecho_ = false;
};

} // namespace kz
