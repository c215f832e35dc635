#include "tfpedirtexto.h"

#include "tmessageform.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace kz {

namespace {
int multDiv(int valor, int numerador, int denominador) { return (valor * numerador + denominador / 2) / denominador; }
} // namespace

TFPedirTexto::TFPedirTexto(const QString& titulo, const QString& indicacion, const QString& valor, bool contrasena,
                           QWidget* padre)
    : QDialog(padre, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(titulo);
    setModal(true);
    const TMessageForm::Medidas m = TMessageForm::medidas(font());
    const int cx = m.cx, cy = m.cy;
    setFixedSize(multDiv(cx, 180, 4), multDiv(cy, 63, 8));

    indicacion_ = new QLabel(indicacion, this);
    indicacion_->move(multDiv(cx, 8, 4), multDiv(cy, 8, 8));
    indicacion_->adjustSize();

    entrada_ = new QLineEdit(this);
    entrada_->setObjectName(QStringLiteral("Edit"));
    entrada_->setGeometry(indicacion_->x(), multDiv(cy, 19, 8), multDiv(cx, 164, 4), entrada_->sizeHint().height());
    entrada_->setMaxLength(255);
    if (contrasena) {
        entrada_->setEchoMode(QLineEdit::Password);
        entrada_->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));   // "*"
    }
    entrada_->setText(valor);
    entrada_->selectAll();

    const int arriba = multDiv(cy, 41, 8), ancho = multDiv(cx, 50, 4), alto = multDiv(cy, 14, 8);
    aceptar_ = new QPushButton(QStringLiteral("&Aceptar"), this);
    aceptar_->setObjectName(QStringLiteral("Aceptar"));
    aceptar_->setGeometry(multDiv(cx, 38, 4), arriba, ancho, alto);
    aceptar_->setDefault(true);
    cancelar_ = new QPushButton(QStringLiteral("&Cancelar"), this);
    cancelar_->setObjectName(QStringLiteral("Cancelar"));
    cancelar_->setGeometry(multDiv(cx, 92, 4), arriba, ancho, alto);
    cancelar_->setAutoDefault(false);
    connect(aceptar_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelar_, &QPushButton::clicked, this, &QDialog::reject);

    QScreen* s = QGuiApplication::primaryScreen();
    const QRect pantalla = s ? s->availableGeometry() : QRect(0, 0, 800, 600);
    move(pantalla.x() + (pantalla.width() - width()) / 2, pantalla.y() + (pantalla.height() - height()) / 2);
    entrada_->setFocus();
}

QString TFPedirTexto::valor() const { return entrada_->text(); }

bool PedirTexto(const QString& titulo, const QString& indicacion, QString& valor, bool contrasena) {
    TFPedirTexto dialogo(titulo, indicacion, valor, contrasena, QApplication::activeWindow());
    if (dialogo.exec() != QDialog::Accepted) return false;
    valor = dialogo.valor();
    return true;
}

} // namespace kz
