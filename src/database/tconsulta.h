#pragma once
// A read-only query over table files of one folder: the files it names are attached to an
// in-memory database, the statement runs with its parameters, and the rows are kept so the
// query can be walked like a cursor. Result field names compare without regard to case.

#include <QHash>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>

namespace kz {

class TConsulta {
public:
    // sql names attached files as schemas: {"fPjs": "Pjs.DB"} makes fPjs.Pjs the table.
    void fijaSql(const QString& sql, const QList<QPair<QString, QString>>& ficheros);
    const QString& sql() const { return sql_; }
    void fijaCarpeta(const QString& carpeta) { carpeta_ = carpeta; }
    const QString& carpeta() const { return carpeta_; }
    void fijaParametro(const QString& nombre, const QVariant& valor) { parametros_[nombre] = valor; }

    bool abre();
    void cierra();
    bool activa() const { return activa_; }
    const QString& mensajeError() const { return error_; }

    void primero();
    void ultimo();
    void siguiente();
    void anterior();
    bool bof() const { return bof_; }
    bool eof() const { return eof_; }
    int numeroRegistros() const { return filas_.size(); }
    bool irAFila(int i);
    int filaActual() const { return pos_; }

    const QStringList& campos() const { return nombres_; }
    QVariant valor(const QString& campo) const;
    QString texto(const QString& campo) const { return valor(campo).toString(); }

    int suscribe(std::function<void()> alMoverse);
    void desuscribe(int id) { suscriptores_.remove(id); }

private:
    void notifica();
    QString sql_, carpeta_, error_;
    QList<QPair<QString, QString>> ficheros_;
    QHash<QString, QVariant> parametros_;
    QStringList nombres_;
    QHash<QString, int> porNombre_;
    QVector<QVector<QVariant>> filas_;
    int pos_ = -1;
    bool activa_ = false, bof_ = true, eof_ = true;
    QHash<int, std::function<void()>> suscriptores_;
    int siguiente_ = 1;
};

} // namespace kz
