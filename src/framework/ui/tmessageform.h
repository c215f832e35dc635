#pragma once
// The program's own message box: a modal question or notice with Spanish captions, the buttons
// of a set in their fixed order, one of them focused, and an optional fixed position.
//
// The box takes every key itself and throws it away (mnemonics included), so a key still held
// from the work before the box can never answer it: the answer always comes from a click on one
// of its buttons. Closing it from the window frame answers "Cancelar".

#include "database/interaccion.h"

#include <QDialog>
#include <QHash>
#include <functional>

class QLabel;
class QPushButton;

namespace kz {

class TMessageForm : public QDialog {
    Q_OBJECT
public:
    TMessageForm(const QString& texto, TipoMensaje tipo, Botones botones, int contextoAyuda, Boton defecto,
                 QWidget* padre = nullptr);

    ResultadoMensaje resultado() const { return resultado_; }
    QPushButton* boton(Boton b) const { return botones_.value(b, nullptr); }
    QLabel* etiqueta() const { return etiqueta_; }
    QLabel* icono() const { return icono_; }

    // Measures of the dialog font the box is built from (average letter width and text height).
    struct Medidas {
        int cx = 0, cy = 0;
        int margenH = 0, margenV = 0, espacioH = 0, espacioV = 0;
        int anchoBoton = 0, altoBoton = 0, separacionBotones = 0;
    };
    static Medidas medidas(const QFont& fuente);

    // Shows the help topic of a context; the help window installs it. Without it "Ayuda" does
    // nothing. Never closes the box.
    static std::function<void(int contexto)>& alPedirAyuda();

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void reject() override;

private:
    void responde(Boton b);

    QHash<Boton, QPushButton*> botones_;
    QPushButton* enfocado_ = nullptr;
    QLabel* etiqueta_ = nullptr;
    QLabel* icono_ = nullptr;
    int contextoAyuda_ = 0;
    ResultadoMensaje resultado_ = mrCancelar;
};

// The message box centred on the screen; returns the result of the pressed button.
ResultadoMensaje MensajeDlg(const QString& texto, TipoMensaje tipo, Botones botones, int contextoAyuda,
                            Boton defecto);
// The same with the window's left at x and top at y, each only when it is 0 or more.
ResultadoMensaje MensajeDlgPos(const QString& texto, TipoMensaje tipo, Botones botones, int contextoAyuda,
                               Boton defecto, int x, int y);

} // namespace kz
