#pragma once

#include "declaration/model/DeclarationFormModel.h"

#include <QString>
#include <QVariantList>
#include <functional>
#include <utility>

namespace qel::batch {

// What a window that a script opens is made with: the services the declaration form has (the
// database, the prompter, the clock, the form launcher, the file chooser, the period and the
// user), the open form if there is one, and what the script queued for the next print.
class BatchContext {
public:
    explicit BatchContext(declaration::FormContext formServices) : services(std::move(formServices)) {}

    declaration::FormContext services;
    QString moduleFolder;
    QString reportFolder; // the spool folder, where reports are written
    // The open declaration form; null when none is open.
    declaration::DeclarationFormModel* form = nullptr;
    // Opens the declaration form as the module's list windows do (mode and arguments as
    // DeclarationFormArguments takes them); the script then works on it.
    std::function<void(int mode, const QVariantList& arguments)> openForm;

    // `pdf PATH`: the next print writes a PDF there instead of going to the printer. Taking it
    // clears it.
    void queuePdf(const QString& path) { m_pdfPath = path; }
    QString takePdfPath() { return std::exchange(m_pdfPath, QString()); }

private:
    QString m_pdfPath;
};

} // namespace qel::batch
