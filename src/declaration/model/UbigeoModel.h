#pragma once

#include "app/PresentationModel.h"
#include "declaration/model/UbigeoPicker.h"

#include <QList>
#include <QString>

namespace qel::app {
class Prompter;
}

namespace qel::declaration {

// frmUbigeo without its widgets: the departments, provinces and districts of one zone in the
// tree's order (trvUbigeo, whose rows a script reads and picks with `choose trvUbigeo CODE` or
// `select`), cmdAceptar that hands back a district of the zone (anything else gets the
// picker's message) and cmdCancelar that leaves without a choice.
class UbigeoModel : public app::PresentationModel, private app::GridSource {
public:
    static const QString kWindowName; // "frmUbigeo"

    // zone "1" or "2"; current: the ubigeo already chosen, selected when the window opens.
    UbigeoModel(store::Database& db, app::Prompter& prompter, QString zone, const QString& current);

    QString title() const { return UbigeoPicker::title(m_zone); }
    // The tree's items in order, each with its depth: 0 a department, 1 a province, 2 a district.
    const QList<UbigeoPicker::Place>& places() const { return m_places; }
    int depth(int row) const { return m_depths.at(row); }
    // The row of a code; -1 when the zone has no such place.
    int rowOf(const QString& code) const;
    int current() const { return m_current; }
    void setCurrent(int row) { m_current = row >= 0 && row < m_places.size() ? row : -1; }
    // "&Aceptar": closes with the chosen district, or gives the picker's message.
    void accept();
    void cancel() { m_closed = true; }

    // PresentationModel
    QString windowName() const override { return kWindowName; }
    QList<app::DeclaredControl> declaredControls() override;
    bool isClosed() const override { return m_closed; }
    QString result() const override { return m_result; }

private:
    int rowCount() const override { return static_cast<int>(m_places.size()); }
    QStringList rowTexts(int row) const override;
    int currentRow() const override { return m_current; }
    void setCurrentRow(int row) override { setCurrent(row); }

    store::Database& m_db;
    app::Prompter& m_prompter;
    QString m_zone;
    QList<UbigeoPicker::Place> m_places;
    QList<int> m_depths;
    int m_current = -1;
    QString m_result;
    bool m_closed = false;
};

} // namespace qel::declaration
