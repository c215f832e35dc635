#pragma once
// "LPartidas.dat", the reader's own list of the folders where each game's turn PDFs are kept:
// one line per game given a folder, game code "=" folder, read with each line split at its
// first "=". Only the reader writes it, whole, in the order of the list: the lines read from
// the file first, then the games given a folder later. A line of a game that is no longer in
// the catalogue, or a line that is not code=folder, is kept as it was.

#include <QString>
#include <QStringList>
#include <vector>

namespace kz {

class ListaPdfs {
public:
    // The base folder: the program folder, without a trailing separator.
    explicit ListaPdfs(const QString& carpetaBase);

    QString fichero() const;                                   // base + "/LPartidas.dat"
    QString carpetaPredeterminada(const QString& codigo) const;  // base + "/Pdfs/" + code

    // A missing file is an empty list; false with the message when the file cannot be read.
    bool carga(QString& error);
    bool guarda(QString& error) const;

    // The game's folder from the list, or its default folder.
    QString carpeta(const QString& codigo) const;
    bool tieneCarpeta(const QString& codigo) const;
    // Replaces the game's folder or adds the game at the end.
    void fija(const QString& codigo, const QString& carpeta);

    QStringList codigos() const;
    QStringList lineas() const;

private:
    struct Entrada {
        QString codigo;
        QString carpeta;
        QString linea;   // kept as read when it is not code=folder
    };
    const Entrada* busca(const QString& codigo) const;

    QString base_;
    std::vector<Entrada> entradas_;
};

} // namespace kz
