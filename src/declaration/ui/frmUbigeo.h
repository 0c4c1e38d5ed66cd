#pragma once

#include "app/ui/FormResult.h"

#include <QDialog>
#include <QString>

class QTreeWidget;
class QTreeWidgetItem;

namespace qel::app {
class Prompter;
}
namespace qel::store {
class Database;
}

namespace qel::declaration {

// The ubigeo picker of an Amazonía domicile: the departments, provinces and districts of one
// zone as a tree. Confirming a district closes the window with its six-digit code as the
// result; anything else is refused with a message.
class frmUbigeo : public QDialog, public app::ui::FormResult {
    Q_OBJECT
public:
    // zone "1" or "2"; current: the ubigeo already chosen, selected when the window opens.
    frmUbigeo(store::Database& db, app::Prompter& prompter, const QString& zone, const QString& current = {},
              QWidget* parent = nullptr);

    QString resultText() const override { return m_result; }

    QTreeWidget* tree() const { return m_tree; }
    // Selects the item of a code (a department, a province or a district); false when absent.
    bool selectCode(const QString& code);
    // "&Aceptar": the selected district, or the message.
    void aceptar();

private:
    void fill(const QString& current);
    QString selectedCode() const;

    store::Database& m_db;
    app::Prompter& m_prompter;
    QString m_zone;
    QString m_result;
    QTreeWidget* m_tree = nullptr;
};

} // namespace qel::declaration
