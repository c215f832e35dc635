#pragma once
// The main window of GestorKZ: caption "Gestor de VIRIZ", the main menu, the tool bar band
// "Turno" with the turn list, the map area and the status bar with its eight panels. It is
// created disabled; the start-up enables it at its end. Closing it asks first and stores the
// game and the turn whatever the answer.
//
// The map window plugs in through fijaMapa() (its widget goes into the map area) and alDibujarMapa
// (called whenever the map of the current turn must be drawn again); the data screens through
// conecta(), which shows a menu command and gives it its action.

#include "startup/sesion.h"
#include "startup/ventanaprincipal.h"

#include <QHash>
#include <QMainWindow>
#include <functional>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class QTimer;

namespace kz {

class Arranque;
class TDM;

class TForm1 : public QMainWindow, public VentanaPrincipal {
    Q_OBJECT
public:
    TForm1(Sesion& sesion, TDM& dm, QWidget* padre = nullptr);

    void fijaArranque(Arranque* a) { arranque_ = a; }

    // VentanaPrincipal.
    void muestraProgramas(bool lector, bool editor) override;
    void activaMenus(bool si) override;
    void aplicaAyuda(bool si) override { ayuda_ = si; }
    void muestraPartida(const QString& codigo) override;
    void muestraTurnos(const QStringList& turnos, const QString& actual) override;
    void muestraTurno(const QString& turno) override;
    void dibujaMapa() override;
    void habilita() override;
    void procesaEventos() override;

    // MensajeEstado: first panel, repainted at once; an empty text clears it.
    void mensajeEstado(const QString& texto);

    // Hooks of the map window and the data screens.
    void fijaMapa(QWidget* mapa);
    std::function<void()> alDibujarMapa;
    QAction* accion(const QString& texto) const { return acciones_.value(texto, nullptr); }
    void conecta(const QString& texto, std::function<void()> accion);

    bool menusActivos() const { return menusActivos_; }
    QLabel* panel(int i) const { return paneles_.value(i, nullptr); }
    QComboBox* cbTurno() const { return cbTurno_; }
    QPushButton* botonRellenar() const { return rellenar_; }
    QAction* separadorProgramas() const { return separadorProgramas_; }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    QAction* comando(QMenu* menu, const QString& texto, bool etiqueta3, std::function<void()> f = {});
    void construyeMenu();
    void construyeBarraTurno();
    void construyeBarraEstado();
    void reloj();
    void rellenarMapa();
    void arrancaPrograma(const QString& nombre);

    Sesion& sesion_;
    TDM& dm_;
    Arranque* arranque_ = nullptr;
    bool menusActivos_ = false;
    bool ayuda_ = false;
    QHash<QString, QAction*> acciones_;
    QList<QAction*> etiqueta3_;
    QAction* lector_ = nullptr;
    QAction* editor_ = nullptr;
    QAction* separadorProgramas_ = nullptr;
    QList<QLabel*> paneles_;
    QComboBox* cbTurno_ = nullptr;
    QPushButton* rellenar_ = nullptr;
    QScrollArea* scrollBox_ = nullptr;
    QTimer* timer_ = nullptr;
};

} // namespace kz
