#include "tmessageform.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace kz {

namespace {

// Multiplication followed by a rounded division, as the dialog units are computed.
int multDiv(int valor, int numerador, int denominador) {
    return (valor * numerador + denominador / 2) / denominador;
}

QString textoConSaltos(QString texto) {
    texto.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    texto.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return texto;
}

QStyle::StandardPixmap iconoDe(TipoMensaje tipo, bool& hay) {
    hay = true;
    switch (tipo) {
    case mtAviso: return QStyle::SP_MessageBoxWarning;
    case mtError: return QStyle::SP_MessageBoxCritical;
    case mtInformacion: return QStyle::SP_MessageBoxInformation;
    case mtConfirmacion: return QStyle::SP_MessageBoxQuestion;
    case mtPersonal: break;
    }
    hay = false;
    return QStyle::SP_MessageBoxInformation;
}

QString tituloDe(TipoMensaje tipo) {
    if (tipo == mtPersonal && !QCoreApplication::applicationName().isEmpty())
        return QCoreApplication::applicationName();
    return tituloMensaje(tipo);
}

QRect areaPantalla() {
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect(0, 0, 800, 600);
}

} // namespace

TMessageForm::Medidas TMessageForm::medidas(const QFont& fuente) {
    const QFontMetrics fm(fuente);
    Medidas m;
    const QString letras = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m.cx = fm.horizontalAdvance(letras) / 52;
    m.cy = fm.height();
    m.margenH = multDiv(m.cx, 8, 4);
    m.margenV = multDiv(m.cy, 8, 8);
    m.espacioH = multDiv(m.cx, 10, 4);
    m.espacioV = multDiv(m.cy, 10, 8);
    m.anchoBoton = multDiv(m.cx, 50, 4);
    m.altoBoton = multDiv(m.cy, 14, 8);
    m.separacionBotones = multDiv(m.cx, 4, 4);
    return m;
}

std::function<void(int)>& TMessageForm::alPedirAyuda() {
    static std::function<void(int)> manejador;
    return manejador;
}

TMessageForm::TMessageForm(const QString& texto, TipoMensaje tipo, Botones botones, int contextoAyuda, Boton defecto,
                           QWidget* padre)
    : QDialog(padre, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      contextoAyuda_(contextoAyuda) {
    setWindowTitle(tituloDe(tipo));
    setModal(true);
    const Medidas m = medidas(font());
    const QString mensaje = textoConSaltos(texto);

    // The text is wrapped in a rectangle as wide as half the screen.
    const QRect areaTexto = fontMetrics().boundingRect(QRect(0, 0, areaPantalla().width() / 2, 0),
                                                       Qt::TextWordWrap | Qt::AlignLeft, mensaje);
    bool conIcono = false;
    const QStyle::StandardPixmap estandar = iconoDe(tipo, conIcono);
    int anchoIconoTexto = areaTexto.width();
    int altoIconoTexto = areaTexto.height();
    if (conIcono) {
        anchoIconoTexto += 32 + m.espacioH;
        altoIconoTexto = std::max(altoIconoTexto, 32);
    }

    QList<Boton> lista;
    for (int b = mbSi; b <= mbAyuda; ++b)
        if (botones & kz::boton(Boton(b))) lista << Boton(b);
    const int anchoGrupo = lista.isEmpty() ? 0 : int(lista.size()) * m.anchoBoton +
                                                     (int(lista.size()) - 1) * m.separacionBotones;
    const int anchoCliente = std::max(anchoIconoTexto, anchoGrupo) + 2 * m.margenH;
    const int altoCliente = altoIconoTexto + m.altoBoton + m.espacioV + 2 * m.margenV;
    setFixedSize(anchoCliente, altoCliente);

    if (conIcono) {
        icono_ = new QLabel(this);
        icono_->setObjectName(QStringLiteral("Image"));
        icono_->setPixmap(style()->standardIcon(estandar).pixmap(32, 32));
        icono_->setGeometry(m.margenH, m.margenV, 32, 32);
    }
    etiqueta_ = new QLabel(this);
    etiqueta_->setObjectName(QStringLiteral("Message"));
    etiqueta_->setTextFormat(Qt::PlainText);
    etiqueta_->setWordWrap(true);
    etiqueta_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    etiqueta_->setText(mensaje);
    etiqueta_->setGeometry(anchoIconoTexto - areaTexto.width() + m.margenH, m.margenV, areaTexto.width(),
                           areaTexto.height());

    int x = (anchoCliente - anchoGrupo) / 2;
    const int y = altoIconoTexto + m.margenV + m.espacioV;
    QList<QPushButton*> orden;
    for (Boton b : lista) {
        auto* p = new QPushButton(QLatin1Char('&') + textoBoton(b), this);
        p->setObjectName(textoBoton(b));
        p->setAutoDefault(false);
        p->setDefault(false);
        p->setGeometry(x, y, m.anchoBoton, m.altoBoton);
        p->installEventFilter(this);
        x += m.anchoBoton + m.separacionBotones;
        botones_.insert(b, p);
        if (b == defecto) orden.prepend(p);
        else orden << p;
        connect(p, &QPushButton::clicked, this, [this, b] { responde(b); });
    }
    // The focused button comes first in the tab order; the others follow in bit order.
    for (int i = 0; i + 1 < orden.size(); ++i) setTabOrder(orden[i], orden[i + 1]);
    enfocado_ = orden.value(0, nullptr);

    const QRect pantalla = areaPantalla();
    move(pantalla.x() + (pantalla.width() - anchoCliente) / 2, pantalla.y() + (pantalla.height() - altoCliente) / 2);
}

void TMessageForm::responde(Boton b) {
    if (b == mbAyuda) {
        if (alPedirAyuda()) alPedirAyuda()(contextoAyuda_);
        return;
    }
    resultado_ = resultadoDeBoton(b);
    done(resultado_);
}

bool TMessageForm::eventFilter(QObject* objeto, QEvent* evento) {
    switch (evento->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
        return true;
    default:
        return QDialog::eventFilter(objeto, evento);
    }
}

void TMessageForm::keyPressEvent(QKeyEvent* e) { e->accept(); }
void TMessageForm::keyReleaseEvent(QKeyEvent* e) { e->accept(); }

void TMessageForm::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (enfocado_) enfocado_->setFocus(Qt::TabFocusReason);
}

void TMessageForm::reject() {
    resultado_ = mrCancelar;
    done(mrCancelar);
}

ResultadoMensaje MensajeDlgPos(const QString& texto, TipoMensaje tipo, Botones botones, int contextoAyuda,
                               Boton defecto, int x, int y) {
    TMessageForm caja(texto, tipo, botones, contextoAyuda, defecto, QApplication::activeWindow());
    QPoint p = caja.pos();
    if (x >= 0) p.setX(x);
    if (y >= 0) p.setY(y);
    caja.move(p);
    caja.exec();
    QApplication::processEvents();
    return caja.resultado();
}

ResultadoMensaje MensajeDlg(const QString& texto, TipoMensaje tipo, Botones botones, int contextoAyuda, Boton defecto) {
    return MensajeDlgPos(texto, tipo, botones, contextoAyuda, defecto, -1, -1);
}

} // namespace kz
