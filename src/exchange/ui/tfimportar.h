#pragma once
// Window "Importar Datos": the archive to import (typed, or chosen with "..." or a double click
// on the box), the information panel, the bar and, once something is logged, the list of
// errors (the window grows from 154 to 256 pixels). A thin face over Importacion; it closes
// after "Iniciar Proceso" whatever the outcome.

#include "exchange/importacion.h"
#include "interaccionconpanel.h"
#include "progresopanel.h"

#include <QDialog>
#include <memory>

class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace kz {

class TFImportar : public QDialog {
    Q_OBJECT
public:
    TFImportar(TDM& dm, const QString& partidaEnUso, QWidget* padre = nullptr);
    ~TFImportar() override;

    // Import (menu "Importar Datos"): true when "Iniciar Proceso" was pressed.
    static bool Importar(TDM& dm, const QString& partidaEnUso, QWidget* padre);

    QLineEdit* archivo() const { return archivo_; }
    QLabel* panel() const { return panel_; }
    QProgressBar* barra() const { return barra_; }
    QListWidget* errores() const { return errores_; }
    QPushButton* botonIniciar() const { return iniciar_; }
    bool exito() const { return exito_; }

private slots:
    void IniciarProceso();
    void EligeArchivo();

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void registraError(const QString& texto);

    TDM& dm_;
    QLineEdit* archivo_;
    QPushButton* elegir_;
    QLabel* panel_;
    QProgressBar* barra_;
    QLabel* rotuloErrores_;
    QListWidget* errores_;
    QPushButton *iniciar_, *cancelar_;
    ProgresoPanel progreso_;
    InteraccionConPanel interaccion_;
    std::unique_ptr<Importacion> importacion_;
    bool exito_ = false;
};

} // namespace kz
