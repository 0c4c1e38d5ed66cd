#pragma once

#include "app/ScriptableWindow.h"

#include <QString>

namespace qel::app {

class Prompter;

// A window the form names that belongs to a later version of the module (the vehicle import
// frmImportarU41): opening it tells the user so, as the window launcher does, and it is closed
// at once without a result.
class PlannedWindowScript : public ScriptableWindow {
public:
    // "Esta opción estará disponible en una próxima versión del módulo."
    static QString notYetAvailable();
    // The title of that notice.
    static QString moduleTitle();

    PlannedWindowScript(QString name, Prompter& prompter);

    QString name() const override { return m_name; }
    QList<ControlInfo> controls() const override { return {}; }
    bool text(const QString& control, const QString& value) override;
    bool choose(const QString& control, const QString& code) override;
    bool click(const QString& control, int index) override;
    QString state(const QString& control) const override;
    bool isClosed() const override { return true; }

private:
    QString m_name;
};

} // namespace qel::app
