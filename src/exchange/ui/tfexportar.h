#pragma once
// Window "Exportar Datos Partida Activa": the seven choices of tables, the archive name in the
// information panel, the bar of the archive's progress and, once something is logged, the
// list of errors (the window grows from 210 to 272 pixels). A thin face over Exportacion.

#include "exchange/exportacion.h"
#include "interaccionconpanel.h"
#include "progresopanel.h"

#include <QDialog>
#include <array>
#include <memory>

class QCheckBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace kz {

class TFExportar : public QDialog {
    Q_OBJECT
public:
    TFExportar(TDM& dm, const QString& partida, QWidget* padre = nullptr);
    ~TFExportar() override;

    // Export (menu "Exportar Datos"): prepares and shows the window; true when it was accepted.
    static bool Exportar(TDM& dm, const QString& partida, QWidget* padre, std::function<void()> cierraMapa = {},
                         std::function<void()> abreMapa = {});

    bool prepara();
    Exportacion& exportacion() { return *exportacion_; }
    QCheckBox* casilla(Exportacion::Casilla c) const { return casillas_[c]; }
    QLabel* panel() const { return panel_; }
    QProgressBar* barra() const { return barra_; }
    QListWidget* errores() const { return errores_; }
    QPushButton* botonIniciar() const { return iniciar_; }
    QPushButton* botonCancelar() const { return cancelar_; }

private slots:
    void IniciarProceso();

private:
    void registraError(const QString& texto);

    std::array<QCheckBox*, Exportacion::NumeroCasillas> casillas_{};
    QLabel* panel_;
    QProgressBar* barra_;
    QLabel* rotuloErrores_;
    QListWidget* errores_;
    QPushButton *iniciar_, *cancelar_;
    ProgresoPanel progreso_;
    InteraccionConPanel interaccion_;
    std::unique_ptr<Exportacion> exportacion_;
};

} // namespace kz
