#pragma once
// "Elección de Partida": the catalogue in key order (CODIGO, NOMBRE) and the buttons
// "Seleccionar" (the default one), "Nueva", "Eliminar" and "Salir". The buttons act through
// the catalogue; the grid is read again after "Nueva" and "Eliminar".

#include <QDialog>

class QPushButton;
class QTableWidget;

namespace kz {

class Catalogo;

class TFEleccionPartida : public QDialog {
    Q_OBJECT
public:
    explicit TFEleccionPartida(Catalogo& catalogo, QWidget* padre = nullptr);

    QTableWidget* rejilla() const { return rejilla_; }
    QPushButton* seleccionar() const { return seleccionar_; }
    QPushButton* nueva() const { return nueva_; }
    QPushButton* eliminar() const { return eliminar_; }
    QPushButton* salir() const { return salir_; }
    QString codigoActual() const;

private:
    void carga(const QString& seleccionado);
    void alSeleccionar();

    Catalogo& catalogo_;
    QTableWidget* rejilla_;
    QPushButton* seleccionar_;
    QPushButton* nueva_;
    QPushButton* eliminar_;
    QPushButton* salir_;
};

} // namespace kz
