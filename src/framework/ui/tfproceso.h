#pragma once
// The window of the progress box: a stay-on-top dialog without border icons, centred on the
// screen, with the animation, two texts, two bars and a cancel button shown only on request.
// It is not modal: the work goes on while it is shown.

#include <QDialog>

class QFrame;
class QLabel;
class QMovie;
class QProgressBar;
class QPushButton;

namespace kz {

class TFProceso : public QDialog {
    Q_OBJECT
public:
    explicit TFProceso(QWidget* padre = nullptr);

    QLabel* animacion() const { return animacion_; }
    QLabel* texto1() const { return texto1_; }
    QLabel* texto2() const { return texto2_; }
    QProgressBar* barra1() const { return barra1_; }
    QProgressBar* barra2() const { return barra2_; }
    QPushButton* boton() const { return boton_; }

    // Plays the animation of a file; an empty name stops it.
    void reproduce(const QString& fichero);
    QMovie* pelicula() const { return pelicula_; }

signals:
    void cancelado();

protected:
    void reject() override;
    void changeEvent(QEvent* e) override;

private:
    QFrame* marco_;
    QLabel* animacion_;
    QLabel* texto1_;
    QLabel* texto2_;
    QProgressBar* barra1_;
    QProgressBar* barra2_;
    QPushButton* boton_;
    QMovie* pelicula_ = nullptr;
};

} // namespace kz
