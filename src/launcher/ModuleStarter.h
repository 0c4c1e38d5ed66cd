#pragma once

#include <QString>
#include <QStringList>

namespace qel::launcher {

// Starts a declaration module: the program "pm" + form code that sits next to the
// launcher's own program, detached, with the launcher's environment (so it finds the same
// configuration folder).
class ModuleStarter {
public:
    // `programFolder` empty: the folder of the running program.
    explicit ModuleStarter(QString programFolder = {});

    QString programPath(const QString& formulario) const;
    // "No se encontró el módulo 0588."
    static QString missingMessage(const QString& formulario);

    // Answers the empty text when the module was started, else the message to show.
    // `environment` adds "NAME=value" entries to the launcher's; `pid` receives the module's.
    QString start(const QString& formulario, const QString& workingFolder = {}, const QStringList& environment = {},
                  qint64* pid = nullptr) const;

private:
    QString m_programFolder;
};

} // namespace qel::launcher
