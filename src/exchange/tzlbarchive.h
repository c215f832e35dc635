#pragma once
// TZLBArchive: the archive of table files that allied players send each other (".zlb").
//
// File layout: the member data of every file in the order they were added (each a zlib stream,
// or the file's own bytes when compressing did not make it smaller), then the directory of
// 532-byte entries (TZLBEntry) compressed as one zlib stream (or stored when that failed), then
// the 36-byte trailer (TZLBTrailer) whose CRC-32 covers every byte before it.
//
// State: closed -(OpenArchive | CreateArchive)-> open; AddFiles rewrites the file and opens it
// again; ExtractFiles leaves it open; CloseArchive -> closed. While open the component holds the
// file name, the trailer and the entries; the file itself is only open during a call.
//
// The operations return false with error() set where an error would be raised; the texts are
// the component's own. An archive comes from outside, so nothing in it is trusted: every bit
// is covered by the trailer check before any entry is used, sizes and offsets must fit the file,
// a member is never decompressed past its declared size, and no entry writes outside the folder
// it is extracted into.

#include "tzlbentry.h"
#include "tzlbtrailer.h"

#include <QList>
#include <QStringList>
#include <functional>

class QFileDevice;

namespace kz {

enum TCompressionLevel { fcNone = 0, fcFastest = 1, fcDefault = 2, fcMaximum = 3 };

class TZLBArchive {
public:
    TZLBArchive() = default;
    ~TZLBArchive();
    TZLBArchive(const TZLBArchive&) = delete;
    TZLBArchive& operator=(const TZLBArchive&) = delete;

    // Settings.
    TCompressionLevel CompressionLevel = fcDefault;
    bool ExtractWithPath = false;   // extract into the entries' folders under the given one
    bool CheckCRC = false;          // check every extracted file against its entry
    bool SavePaths = false;         // keep each file's folder (without drive) in its entry
    bool RecursePaths = false;      // a folder given to AddFiles adds the files inside it

    // Events: progress (text, percentage 0 to 100) and a file that could not be added.
    std::function<void(const QString& texto, int porcentaje)> OnProgress;
    std::function<void(const QString& texto)> OnErrorLogged;

    bool OpenArchive(const QString& fichero);
    // Remembers the name as a new archive; the file is written by the first AddFiles.
    bool CreateArchive(const QString& fichero);
    void CloseArchive();
    int Count();                                  // -1 when no archive is open
    bool GetEntry(int indice, TZLBEntry& entrada);
    int FindEntry(const QString& ruta);           // -1 when absent or no archive is open
    bool AddFiles(const QStringList& ficheros);
    bool ExtractFiles(const QString& carpeta);

    bool abierto() const { return abierto_; }
    bool nuevo() const { return nuevo_; }
    const QString& fichero() const { return fichero_; }
    const TZLBTrailer& cola() const { return cola_; }
    const QList<TZLBEntry>& entradas() const { return entradas_; }
    const QString& error() const { return error_; }

    static int nivelZlib(TCompressionLevel nivel);
    // done / total x 100 to the nearest integer, halves to even; 100 for an empty total.
    static int porcentaje(qint64 hecho, qint64 total);

private:
    enum class Resultado { Hecho, FalloFichero, FalloArchivo };

    bool falla(const QString& mensaje);
    void progreso(const QString& texto, int porcentaje);
    void registra(const QString& texto);
    bool leeDirectorio(QFileDevice& f, qint64 finDatos, const TZLBTrailer& cola, QList<TZLBEntry>& entradas);
    QStringList expande(const QStringList& lista) const;
    void reduceRuta(const QString& ruta, QString& carpeta, QString& nombre) const;
    int buscaEn(const QList<TZLBEntry>& entradas, const QString& ruta) const;
    Resultado anadeFichero(const QString& ruta, QFileDevice& destino, quint32& crc, qint64& fin, TZLBEntry& e);
    bool escribeDirectorio(const QList<TZLBEntry>& entradas, QFileDevice& destino, quint32& crc, TZLBTrailer& cola);
    bool compruebaEntradas();
    QString carpetaDestino(const QString& base, const TZLBEntry& e) const;
    bool extraeEntrada(QFileDevice& f, int indice, const QString& destino);

    QString fichero_;
    TZLBTrailer cola_;
    QList<TZLBEntry> entradas_;
    qint64 tamanoFichero_ = 0;
    bool abierto_ = false;
    bool nuevo_ = false;
    QString error_;
};

} // namespace kz
