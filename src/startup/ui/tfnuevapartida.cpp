#include "tfnuevapartida.h"

#include "database/textos.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace kz {

TFNuevaPartida::TFNuevaPartida(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("FNuevaPartida"));
    setWindowTitle(QStringLiteral("Nueva Partida"));
    setModal(true);

    numero_ = new QLineEdit(this);
    numero_->setObjectName(QStringLiteral("Partida"));
    numero_->setMaxLength(3);
    numero_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), numero_));
    numero_->setFixedWidth(numero_->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    connect(numero_, &QLineEdit::editingFinished, this, [this] { rellenaNumero(); });
    nombre_ = new QLineEdit(this);
    nombre_->setObjectName(QStringLiteral("Nombre"));
    nombre_->setMaxLength(50);
    nombre_->setMinimumWidth(nombre_->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 40);

    auto* grupo = new QGroupBox(QStringLiteral("Tipo Partida"), this);
    grupo->setObjectName(QStringLiteral("TipoPartida"));
    tercera_ = new QRadioButton(QStringLiteral("Tercera"), grupo);
    tercera_->setObjectName(QStringLiteral("Tercera"));
    cuarta_ = new QRadioButton(QStringLiteral("Cuarta"), grupo);
    cuarta_->setObjectName(QStringLiteral("Cuarta"));
    tercera_->setChecked(true);
    auto* tipos = new QHBoxLayout(grupo);
    tipos->addWidget(tercera_);
    tipos->addWidget(cuarta_);
    tipos->addStretch();

    aceptar_ = new QPushButton(QStringLiteral("Aceptar"), this);
    aceptar_->setObjectName(QStringLiteral("Aceptar"));
    aceptar_->setDefault(true);
    cancelar_ = new QPushButton(QStringLiteral("Cancelar"), this);
    cancelar_->setObjectName(QStringLiteral("Cancelar"));
    connect(aceptar_, &QPushButton::clicked, this, [this] {
        rellenaNumero();
        accept();
    });
    connect(cancelar_, &QPushButton::clicked, this, &QDialog::reject);

    auto* campos = new QFormLayout;
    campos->addRow(QStringLiteral("Partida"), numero_);
    campos->addRow(QStringLiteral("Nombre"), nombre_);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(aceptar_);
    botones->addWidget(cancelar_);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(campos);
    todo->addWidget(grupo);
    todo->addLayout(botones);
    numero_->setFocus();
}

void TFNuevaPartida::rellenaNumero() {
    if (!numero_->text().trimmed().isEmpty()) numero_->setText(RellenaIzq(numero_->text(), 3, QStringLiteral("0")));
}

DatosNuevaPartida TFNuevaPartida::datos() const {
    DatosNuevaPartida d;
    d.numero = numero_->text().trimmed();
    d.nombre = nombre_->text();
    d.cuarta = cuarta_->isChecked();
    return d;
}

} // namespace kz
