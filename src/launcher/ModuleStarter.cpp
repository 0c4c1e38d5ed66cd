#include "launcher/ModuleStarter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace qel::launcher {

ModuleStarter::ModuleStarter(QString programFolder) : m_programFolder(std::move(programFolder)) {}

QString ModuleStarter::programPath(const QString& formulario) const {
    const QString folder = m_programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : m_programFolder;
    return QDir(folder).filePath(QStringLiteral("pm") + formulario.trimmed());
}

QString ModuleStarter::missingMessage(const QString& formulario) {
    return QStringLiteral("No se encontró el módulo %1.").arg(formulario.trimmed());
}

QString ModuleStarter::start(const QString& formulario, const QString& workingFolder, const QStringList& environment,
                             qint64* pid) const {
    const QFileInfo program(programPath(formulario));
    if (formulario.trimmed().isEmpty() || !program.isFile() || !program.isExecutable()) {
        return missingMessage(formulario);
    }
    QProcess process;
    process.setProgram(program.absoluteFilePath());
    if (!workingFolder.isEmpty() && QFileInfo(workingFolder).isDir()) {
        process.setWorkingDirectory(workingFolder);
    }
    if (!environment.isEmpty()) {
        process.setEnvironment(QProcess::systemEnvironment() + environment);
    }
    if (!process.startDetached(pid)) {
        return QStringLiteral("No se pudo iniciar el módulo %1: %2").arg(formulario.trimmed(), process.errorString());
    }
    return {};
}

} // namespace qel::launcher
