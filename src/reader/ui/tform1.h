#pragma once
// The window of LectorKZ. The automatic panel lists the games of the catalogue with their PDF
// folders and the PDFs of the selected game with their reading state, and reads the selected
// PDFs one after the other ("Leer"); the manual panel reads a report pasted as text with a
// choice of sections. Each panel has its log. The reading itself is the core's: ProcesaItem for
// a PDF, LeeTurnoLista for a text.
//
// A batch run processes events between files and while the converter works, so the window
// repaints and shows which file is being read; the controls that would start other work stay
// disabled until the run ends, and closing the window stops the run after the current file.

#include "database/interaccion.h"
#include "database/tdm.h"
#include "reader/carpetapdfs.h"
#include "reader/lectorturno.h"
#include "reader/listapdfs.h"
#include "reader/procesolectura.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace kz {

class VentanaAyuda;

// LectorKZ's main window; its own namespace keeps it apart from GestorKZ's TForm1.
namespace lector {

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // Without an Interaccion the window asks through its own message boxes.
    explicit TForm1(const QString& carpetaPrograma, Interaccion* interaccion = nullptr, QWidget* padre = nullptr);
    ~TForm1() override;

    static const QString kTitulo;

    // The system's dialogs and shell operations; tests put their own in.
    std::function<QString(const QString& titulo, const QString& inicial)> eligeCarpeta;
    std::function<QString(const QString& titulo, const QString& nombre)> eligeFicheroLog;
    std::function<bool(const QString& ruta)> abreFichero;
    std::function<bool(const QString& ruta)> aPapelera;

    // The actions of the window's controls.
    void SeleccionaPorEstado(bool noLeidos, bool leidos);
    void Leer();
    void CambiaPath();
    void MuestraManual();
    void MuestraAutomatico();
    void IniciarProceso();
    void PegarDelCortaPapeles();
    void VaciarTexto();
    void GuardarLog();
    void MuestraAyuda();
    void MuestraSobre();
    void AbreFicheroActual();
    void EnviaAPapelera();

    // The state of the window, for the tests.
    QString carpetaPdf() const { return carpetaPdf_; }
    QString partidaSeleccionada() const;
    bool ejecutando() const { return ejecutando_; }
    ProcesoLectura& proceso() { return proceso_; }
    LectorTurno& lector() { return lector_; }
    const ListaPdfs& listaPdfs() const { return lista_; }
    VentanaAyuda* ventanaAyuda() const { return ayuda_; }
    void RellenaFicheros();
    void ActualizaBarraEstado();

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

private:
    void creaMenus();
    void creaBarra();
    QWidget* creaPanelAutomatico();
    QWidget* creaPanelManual();
    void creaBarraEstado();
    QToolButton* botonBarra(const QString& nombre, const QString& texto);
    QPushButton* boton(const QString& nombre, const QString& texto);

    void CargarPartidas();
    void seleccionaPartida(QTreeWidgetItem* item);
    void aplicaSecciones();
    void anadeLog(const QString& texto);
    void empiezaTrabajo(QPlainTextEdit* log, int total);
    void terminaTrabajo();
    void ponEstado(QTreeWidgetItem* item, EstadoPdf estado);
    QList<QTreeWidgetItem*> seleccionadosEnOrden() const;
    QPlainTextEdit* logVisible() const;

    std::unique_ptr<Interaccion> propia_;
    Interaccion& ui_;
    QString base_;
    TDM dm_;
    LectorTurno lector_;
    ProcesoLectura proceso_;
    ListaPdfs lista_;
    QString carpetaPdf_;
    bool ejecutando_ = false;
    bool cerrarAlTerminar_ = false;
    QPlainTextEdit* logActivo_ = nullptr;
    VentanaAyuda* ayuda_ = nullptr;

    QToolBar* barra_ = nullptr;
    QStackedWidget* paneles_ = nullptr;
    QTreeWidget* partidas_ = nullptr;
    QTreeWidget* ficheros_ = nullptr;
    QPlainTextEdit* memoLog_ = nullptr;
    QPlainTextEdit* memoLog2_ = nullptr;
    QPlainTextEdit* texto_ = nullptr;
    QCheckBox* regenerar_ = nullptr;
    QCheckBox *cbPaises_ = nullptr, *cbCenPob_ = nullptr, *cbPjs_ = nullptr, *cbEjercitos_ = nullptr, *cbMensajes_ = nullptr;
    QLabel* panel1_ = nullptr;
    QLabel* panel2_ = nullptr;
    QProgressBar* progreso_ = nullptr;
    QMenu* menuTexto_ = nullptr;
};

} // namespace lector
} // namespace kz
