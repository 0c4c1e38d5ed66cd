#pragma once

#include "app/FormRequest.h"
#include "app/PresentationModel.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <memory>

namespace qel::store {
class Database;
}

namespace qel::printing {
class ReportDocument;
}

namespace qel::app {

class Clock;
class FileChooser;
class FormOpener;
class Prompter;
class StatusDisplay;
class UtilityComponent;

// What a window's model is made with, the same in the window and in the batch mode.
struct WindowServices {
    store::Database& db;
    Prompter& prompter;
    const Clock& clock;
    FormOpener& opener;
    UtilityComponent* utility = nullptr;
    FileChooser* files = nullptr;
    QString periodo;
    QString formulario;
    QString sysUser;
    QString userKind;
    QString reportFolder; // the spool folder, where reports are written
    QString moduleFolder;
    // Writes pages first..last (from 0) of a report into a PDF file under a title; the painting
    // lives with the windows.
    std::function<bool(const QString& path, const printing::ReportDocument&, int first, int last, const QString& title)>
        writePdf;
    StatusDisplay* status = nullptr; // the main window's status bar, when there is one
    // Opens the declaration form on a declaration (mode and arguments as OpenDeclarationForm
    // takes them). Answers true when the form has closed again (the windows show it modally),
    // false when it stays open for the caller (the batch mode's script goes on with it).
    std::function<bool(int mode, const QVariantList& arguments)> openForm;
    // The PDF a script queued for the next print instead of a printer; empty in the windows,
    // where the print goes to the printer the user chooses.
    std::function<QString()> takePdf;
};

// The module's windows by name: each name maps to the one factory of its presentation model.
// The form launcher shows the model in the view registered for the model's class; the batch
// mode drives it through its generic adapter. A name therefore opens in both modes or in
// neither. Names compare without regard to case, as window names do.
class WindowRegistry {
public:
    using ModelFactory = std::function<std::unique_ptr<PresentationModel>(const WindowServices&, const FormRequest&)>;

    void add(const QString& name, ModelFactory factory);
    bool contains(const QString& name) const;
    // The names as registered.
    QStringList names() const { return m_names; }
    // The model of that window; null when the name is not registered or the factory declined
    // the request (its message given).
    std::unique_ptr<PresentationModel> create(const QString& name, const WindowServices& services,
                                              const FormRequest& request) const;

private:
    QHash<QString, ModelFactory> m_factories;
    QStringList m_names;
};

} // namespace qel::app
