#include "tfheredar.h"

#include "database/textos.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace kz {

TFHeredar::TFHeredar(TDM& dm, QWidget* padre)
    : QDialog(padre),
      herencia_(dm),
      desde_(cajaTurno(QStringLiteral("Desde Turno"))),
      hasta_(cajaTurno(QStringLiteral("Hasta Turno"))),
      empezar_(new QPushButton(QStringLiteral("Empezar"), this)),
      salir_(new QPushButton(QStringLiteral("Salir"), this)) {
    setWindowTitle(QStringLiteral("Heredar Datos"));
    auto* explicacion = new QLabel(QStringLiteral(
        "Este proceso va arrastrando los datos de los Centros de Poblacion entre los turnos indicados, "
        "consiguiendo que CP's descubiertos en turno aparezcan a partir de el."), this);
    explicacion->setWordWrap(true);
    auto* formulario = new QFormLayout;
    formulario->addRow(QStringLiteral("Desde Turno"), desde_);
    formulario->addRow(QStringLiteral("Hasta Turno"), hasta_);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(empezar_);
    botones->addWidget(salir_);
    auto* caja = new QVBoxLayout(this);
    caja->addWidget(explicacion);
    caja->addLayout(formulario);
    caja->addLayout(botones);
    empezar_->setDefault(true);
    connect(empezar_, &QPushButton::clicked, this, &TFHeredar::Empezar);
    connect(salir_, &QPushButton::clicked, this, &QDialog::reject);
}

QLineEdit* TFHeredar::cajaTurno(const QString& rotulo) {
    auto* caja = new QLineEdit(this);
    caja->setAccessibleName(rotulo);
    caja->setMaxLength(3);
    caja->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,3}")), caja));
    caja->setFixedWidth(60);
    connect(caja, &QLineEdit::editingFinished, caja, [caja] {
        if (!caja->text().trimmed().isEmpty()) caja->setText(RellenaIzq(caja->text(), 3, QStringLiteral("0")));
    });
    return caja;
}

bool TFHeredar::prepara() {
    if (!herencia_.abre()) return false;
    hasta_->setText(herencia_.hastaPropuesto());
    return true;
}

void TFHeredar::Empezar() {
    // A wrong pair of turns is said and the window stays for the player to mend it.
    if (!herencia_.valida(desde_->text(), hasta_->text())) return;
    hecho_ = herencia_.ejecuta(desde_->text(), hasta_->text());
    herencia_.cierra();
    done(hecho_ ? QDialog::Accepted : QDialog::Rejected);
}

bool TFHeredar::Heredar(TDM& dm, QWidget* padre) {
    TFHeredar ventana(dm, padre);
    if (!ventana.prepara()) return false;
    ventana.exec();
    return ventana.hecho();
}

} // namespace kz
