#pragma once
// The progress box of long operations: a component with its settings (caption, two texts, the
// animation file, an optional cancel button and two bars) that opens and closes its window
// TFProceso. Setting a text, a bar position or the animation while the window is shown updates
// it at once, so a caller that works on the user-interface thread still sees it move.
//
// It is the windows' implementation of the core's Progreso: core operations report through it.

#include "database/interaccion.h"
#include "tfproceso.h"

#include <QObject>
#include <QPointer>

namespace kz {


class TProcessBox : public QObject, public Progreso {
    Q_OBJECT
public:
    explicit TProcessBox(QObject* padre = nullptr);
    ~TProcessBox() override;

    struct Barra {
        bool visible = false;
        int inicio = 0, fin = 100, posicion = 0, paso = 1;
    };

    // Settings.
    bool Activo() const { return activo_; }
    const QString& Titulo() const { return titulo_; }
    const QString& Texto() const { return texto_; }
    const QString& Texto2() const { return texto2_; }
    const QString& Avi() const { return avi_; }
    bool Cancelar() const { return cancelar_; }
    const Barra& barra(int n) const { return n == 2 ? barras_[1] : barras_[0]; }
    void fijaAvi(const QString& fichero);     // only the name of an existing file is taken
    void fijaInicio(int barra, int valor);
    void fijaFin(int barra, int valor);
    void fijaPaso(int barra, int valor);
    void fijaVisible(int barra, bool visible);

    TFProceso* ventana() const { return ventana_; }

    // Progreso.
    void mostrar() override;
    void ocultar() override;
    bool activo() const override { return activo_; }
    void fijaTitulo(const QString& t) override { titulo_ = t; }
    void fijaTexto(const QString& t) override;
    void fijaTexto2(const QString& t) override;
    void fijaCancelar(bool si) override { cancelar_ = si; }
    void fijaBarra(int barra, bool visible, int inicio, int fin, int paso) override;
    void fijaPosicion(int barra, int posicion) override;
    void avanza(int barra) override;

private:
    Barra& b(int n) { return n == 2 ? barras_[1] : barras_[0]; }
    void muestraBarra(int n);
    void muestraTextos();

    bool activo_ = false;
    QString titulo_, texto_, texto2_, avi_;
    bool cancelar_ = false;
    Barra barras_[2];
    QPointer<TFProceso> ventana_;
};

} // namespace kz
