#pragma once
// The one QApplication of a widget test program, made on first use (the tests run with
// QT_QPA_PLATFORM=offscreen), and a way to act on the modal window a call is about to open.

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace kz::prueba {

inline QApplication& aplicacionVentanas() {
    static int argc = 1;
    static char nombre[] = "prueba";
    static char* argv[] = {nombre, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                          : qgetenv("QT_QPA_PLATFORM"));
        auto* a = new QApplication(argc, argv);
        QApplication::setApplicationName(QStringLiteral("Rarure VA"));
        return a;
    }();
    return *app;
}

// Runs `accion` on the modal window that is open once the event loop turns (polling until one
// is shown); `accion` must close it, or the modal call never returns.
inline void alAbrirseModal(std::function<void(QWidget*)> accion, int intentos = 200) {
    QTimer::singleShot(5, [accion, intentos] {
        QWidget* w = QApplication::activeModalWidget();
        if (w && w->isVisible()) accion(w);
        else if (intentos > 0) alAbrirseModal(accion, intentos - 1);
    });
}

} // namespace kz::prueba
