#pragma once

#include "annexes/AssistantDef.h"
#include "annexes/AssistantValues.h"
#include "app/PresentationModel.h"
#include "store/DeclarationKey.h"

#include <QString>
#include <QStringList>

namespace qel::app {
class FormOpener;
class Prompter;
} // namespace qel::app
namespace qel::store {
class Database;
}

namespace qel::annexes {

// A casilla assistant without its window: the boxes of one AssistantDef over the working
// casillas of the declaration (TMPF584DET) and its monthly rows (TMPF572DETBAS). Typing
// recomputes the totals; save() checks, stores and hands back the value of the casilla the
// window was opened for; close() leaves the working rows as they were. Its controls: the boxes
// by the names the window gives them (txtCasilla511, txtMes01), the detail buttons of the
// boxes that open a window, "CmdGrabar" and "cmdCerrar".
class CasillaAssistantModel : public app::PresentationModel {
public:
    CasillaAssistantModel(store::Database& db, app::Prompter& prompter, const AssistantDef& def,
                          store::DeclarationKey key, int casilla, bool readOnly = false, QStringList rowKey = {});

    const AssistantDef& def() const { return m_def; }
    QString caption() const;
    int casilla() const { return m_casilla; }
    bool readOnly() const { return m_readOnly; }

    // The box's value as stored ("" when empty): whole units without separators.
    QString text(int id) const { return m_values.text(id); }
    // The box as shown: "#,###,###,##0", a negative total in parentheses.
    QString shownText(int id) const;
    // Typing into a box: digits only (separators are dropped); false when the box is
    // computed, unknown, read-only or the text is no whole number.
    bool setText(int id, const QString& text);
    const AssistantValues& values() const { return m_values; }

    // The launcher the detail windows of the boxes open through (none: they do not open).
    void setOpener(app::FormOpener* opener) { m_opener = opener; }
    // Opens the window that details the box; false when there is none or it cannot open.
    bool openDetail(int id);

    // The first problem of the values, as the save would report it; "" when none.
    QString problem() const;
    // Checks, stores the rows and closes; false (with the message shown) when a check fails.
    bool save();
    void close() { m_closed = true; }

    // PresentationModel
    QString windowName() const override { return m_def.window; }
    QList<app::DeclaredControl> declaredControls() override;
    bool isClosed() const override { return m_closed; }
    // The value handed back to the casilla ("" when the window closed without saving).
    QString result() const override { return m_result; }

private:
    void load();
    void recompute();
    void storeRows();
    store::SqlFilter annexRowFilter() const;
    void loadAnnexRows();
    void storeAnnexRows();

    store::Database& m_db;
    app::Prompter& m_prompter;
    const AssistantDef& m_def;
    store::DeclarationKey m_key;
    int m_casilla;
    bool m_readOnly;
    QStringList m_rowKey;
    AssistantValues m_values;
    bool m_closed = false;
    QString m_result;
    app::FormOpener* m_opener = nullptr;
};

} // namespace qel::annexes
