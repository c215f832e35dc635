#include "tfexportar.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace kz {
namespace {
constexpr int kAlto = 210, kAltoConErrores = 272, kAncho = 480;
}

TFExportar::TFExportar(TDM& dm, const QString& partida, QWidget* padre)
    : QDialog(padre),
      panel_(new QLabel(this)),
      barra_(new QProgressBar(this)),
      rotuloErrores_(new QLabel(QStringLiteral("Errores:"), this)),
      errores_(new QListWidget(this)),
      iniciar_(new QPushButton(QStringLiteral("Iniciar Proceso"), this)),
      cancelar_(new QPushButton(QStringLiteral("Cancelar"), this)),
      progreso_(panel_, barra_),
      interaccion_(dm.interaccion(), progreso_),
      exportacion_(std::make_unique<Exportacion>(dm, partida, &interaccion_)) {
    setWindowTitle(QStringLiteral("Exportar Datos Partida Activa"));
    auto* grupo = new QGroupBox(QStringLiteral("Datos a Exportar de la Partida Activa"), this);
    auto* rejilla = new QGridLayout(grupo);
    for (int c = 0; c < Exportacion::NumeroCasillas; ++c) {
        casillas_[c] = new QCheckBox(Exportacion::titulo(Exportacion::Casilla(c)), grupo);
        rejilla->addWidget(casillas_[c], c % 4, c / 4);
    }
    panel_->setFrameShape(QFrame::StyledPanel);
    barra_->setRange(0, 100);
    barra_->setValue(0);
    errores_->setSelectionMode(QAbstractItemView::NoSelection);
    rotuloErrores_->hide();
    errores_->hide();

    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(iniciar_);
    botones->addWidget(cancelar_);
    auto* caja = new QVBoxLayout(this);
    caja->addWidget(grupo);
    caja->addWidget(panel_);
    caja->addWidget(barra_);
    caja->addWidget(rotuloErrores_);
    caja->addWidget(errores_, 1);
    caja->addLayout(botones);
    setFixedSize(kAncho, kAlto);

    iniciar_->setDefault(true);
    connect(iniciar_, &QPushButton::clicked, this, &TFExportar::IniciarProceso);
    connect(cancelar_, &QPushButton::clicked, this, &QDialog::reject);
    exportacion_->alRegistrarError = [this](const QString& t) { registraError(t); };
}

TFExportar::~TFExportar() = default;

bool TFExportar::prepara() {
    if (!exportacion_->prepara()) return false;
    panel_->setText(exportacion_->nombreArchivo());
    for (int c = 0; c < Exportacion::NumeroCasillas; ++c)
        casillas_[c]->setChecked(exportacion_->marcada(Exportacion::Casilla(c)));
    setFixedSize(kAncho, kAlto);
    return true;
}

void TFExportar::registraError(const QString& texto) {
    if (errores_->isHidden()) {
        rotuloErrores_->show();
        errores_->show();
        setFixedSize(kAncho, kAltoConErrores);
    }
    errores_->addItem(texto);
}

void TFExportar::IniciarProceso() {
    for (int c = 0; c < Exportacion::NumeroCasillas; ++c)
        exportacion_->marca(Exportacion::Casilla(c), casillas_[c]->isChecked());
    iniciar_->setEnabled(false);
    cancelar_->setEnabled(false);
    exportacion_->ejecuta();
    accept();
}

bool TFExportar::Exportar(TDM& dm, const QString& partida, QWidget* padre, std::function<void()> cierraMapa,
                          std::function<void()> abreMapa) {
    TFExportar ventana(dm, partida, padre);
    ventana.exportacion().cierraMapa = std::move(cierraMapa);
    ventana.exportacion().abreMapa = std::move(abreMapa);
    if (!ventana.prepara()) return false;
    return ventana.exec() == QDialog::Accepted;
}

} // namespace kz
