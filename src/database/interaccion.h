#pragma once
// The one door through which the core speaks to the user.
//
// Every question, notice, status text, hourglass and progress box that a core operation shows
// goes through an Interaccion: the windows implement it with the message and progress boxes, the
// command lines on the terminal, and the tests with scripted answers that record every text.
// The numbering of types, buttons and results is the message box's own, so an answer can be
// compared with the result codes the callers test.

#include <QString>
#include <QStringList>

namespace kz {

enum TipoMensaje { mtAviso = 0, mtError = 1, mtInformacion = 2, mtConfirmacion = 3, mtPersonal = 4 };

// Bit numbers of the buttons; a set of buttons is a mask of (1 << bit).
enum Boton { mbSi = 0, mbNo = 1, mbOK = 2, mbCancelar = 3, mbAbortar = 4, mbReintentar = 5,
             mbIgnorar = 6, mbTodos = 7, mbAyuda = 8 };
using Botones = unsigned;
constexpr Botones boton(Boton b) { return 1u << b; }

// Results returned by the message box.
enum ResultadoMensaje { mrNinguno = 0, mrOK = 1, mrCancelar = 2, mrAbortar = 3, mrReintentar = 4,
                        mrIgnorar = 5, mrSi = 6, mrNo = 7, mrTodos = 8 };

ResultadoMensaje resultadoDeBoton(Boton b);
QString textoBoton(Boton b);      // "Si", "No", "OK", ...
QString tituloMensaje(TipoMensaje t);

// The progress box of long operations: up to two texts and two bars; Activo false after the user
// pressed its cancel button.
class Progreso {
public:
    virtual ~Progreso() = default;
    virtual void mostrar() {}
    virtual void ocultar() {}
    virtual bool activo() const { return false; }
    virtual void fijaTitulo(const QString&) {}
    virtual void fijaTexto(const QString&) {}
    virtual void fijaTexto2(const QString&) {}
    virtual void fijaCancelar(bool) {}
    // Bar 1 or 2: shown or not, minimum, maximum, step, position.
    virtual void fijaBarra(int barra, bool visible, int inicio, int fin, int paso) {}
    virtual void fijaPosicion(int barra, int posicion) {}
    virtual void avanza(int barra) {}
};

class Interaccion {
public:
    virtual ~Interaccion() = default;

    // The message box: returns the result of the button pressed.
    virtual ResultadoMensaje pregunta(const QString& texto, TipoMensaje tipo, Botones botones,
                                      Boton defecto) = 0;
    // A notice with only "OK".
    void aviso(const QString& texto, TipoMensaje tipo = mtAviso) {
        pregunta(texto, tipo, boton(mbOK), mbOK);
    }
    // The retry question used for files in use: "Reintentar" focused. True means retry.
    bool reintentar(const QString& texto) {
        return pregunta(texto, mtAviso, boton(mbReintentar) | boton(mbCancelar), mbReintentar)
               == mrReintentar;
    }

    // First panel of the status bar; an empty text clears it.
    virtual void estado(const QString& texto) {}
    // Hourglass cursor, nested: every true is matched by a false.
    virtual void cursorEspera(bool activo) {}
    // Lets the window repaint during long work.
    virtual void procesaEventos() {}
    virtual Progreso& progreso();

private:
    Progreso progresoNulo_;
};

// Shows the hourglass for the lifetime of the object, whatever way the scope is left.
class CursorEspera {
public:
    explicit CursorEspera(Interaccion& i) : i_(i) { i_.cursorEspera(true); }
    ~CursorEspera() { i_.cursorEspera(false); }
    CursorEspera(const CursorEspera&) = delete;
    CursorEspera& operator=(const CursorEspera&) = delete;
private:
    Interaccion& i_;
};

// For code that runs with nobody to ask (the build's data loader): every question gets its
// cancelling answer and every text goes to standard error.
class InteraccionTerminal : public Interaccion {
public:
    explicit InteraccionTerminal(bool interactiva = false) : interactiva_(interactiva) {}
    ResultadoMensaje pregunta(const QString& texto, TipoMensaje tipo, Botones botones,
                              Boton defecto) override;
    void estado(const QString& texto) override;
    bool silencioEstado = true;
private:
    bool interactiva_;
};

} // namespace kz
