#pragma once

#include "app/ScriptableWindow.h"
#include "declaration/model/UbigeoPicker.h"

#include <QList>
#include <QString>

namespace qel::app {
class Prompter;
}

namespace qel::declaration {

// frmUbigeo as a script drives it: the tree trvUbigeo as a grid of its places (department,
// province, district, in the tree's order), `choose trvUbigeo CODE` or `select` to pick one,
// cmdAceptar to hand back a district of the zone (anything else gets the picker's message) and
// cmdCancelar to leave without a choice.
class UbigeoScript : public app::ScriptableWindow, private app::GridSource {
public:
    static const QString kWindowName; // "frmUbigeo"

    // zone "1" or "2"; current: the ubigeo already chosen, selected when the window opens.
    UbigeoScript(store::Database& db, app::Prompter& prompter, QString zone, const QString& current);

    QString name() const override { return kWindowName; }
    QList<app::ControlInfo> controls() const override;
    bool text(const QString& control, const QString& value) override;
    bool choose(const QString& control, const QString& code) override;
    bool click(const QString& control, int index) override;
    QString state(const QString& control) const override;
    app::GridSource* grid(const QString& name) override;
    bool isClosed() const override { return m_closed; }
    QString result() const override { return m_result; }

private:
    int rowCount() const override { return static_cast<int>(m_places.size()); }
    QStringList rowTexts(int row) const override;
    int currentRow() const override { return m_current; }
    void setCurrentRow(int row) override { m_current = row; }

    void requireTree(const QString& control) const;
    int rowOf(const QString& code) const;
    void accept();

    store::Database& m_db;
    app::Prompter& m_prompter;
    QString m_zone;
    QList<UbigeoPicker::Place> m_places; // the tree's items in order
    int m_current = -1;
    QString m_result;
    bool m_closed = false;
};

} // namespace qel::declaration
