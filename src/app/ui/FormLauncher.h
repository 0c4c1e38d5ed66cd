#pragma once

#include "app/FormRequest.h"

#include <QDialog>
#include <QHash>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace qel::app {
class Prompter;
}

namespace qel::app::ui {

// Opens the module's windows by name: annex windows, list windows, assistants, imports. Each
// window registers a factory under its name; open() unloads what is left of a previous
// instance, builds a fresh one, shows it modally and hands back its result text (FormResult).
// A name kept for a later version of the module shows a notice instead; any other unknown
// name is a programming error, reported as such.
class FormLauncher {
public:
    using Factory = std::function<std::unique_ptr<QDialog>(const FormRequest& request)>;

    explicit FormLauncher(Prompter& prompter);

    // Names compare without regard to case, as window names do. A later registration replaces
    // an earlier one.
    void registerForm(const QString& name, Factory factory);
    bool isRegistered(const QString& name) const;
    // The result text of the window ("" when it gives none or is unknown).
    QString open(const FormRequest& request);
    // The window of that name while it is open (for the windows that look at each other).
    QDialog* openInstance(const QString& name) const;
    // Closes a window of that name left open beside its caller; nothing when none is.
    void close(const QString& name);

private:
    Prompter& m_prompter;
    QHash<QString, Factory> m_factories;
    QHash<QString, QPointer<QDialog>> m_open;
};

} // namespace qel::app::ui
