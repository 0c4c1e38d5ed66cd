#pragma once

#include "annexes/AnnexChecks.h"
#include "annexes/AnnexGridModel.h"
#include "app/FormRequest.h"
#include "app/PresentationModel.h"
#include "catalogue/AnnexCatalog.h"
#include "store/DeclarationKey.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

namespace qel::app {
class Clock;
class FormOpener;
class Prompter;
} // namespace qel::app

namespace qel::store {
class Database;
}

namespace qel::annexes {

// What an annex window needs from the process.
struct AnnexContext {
    store::Database& db;
    app::Prompter& prompter;
    const app::Clock& clock;
    app::FormOpener* opener = nullptr; // the sub-windows (additions of a lot, the substituted vehicle)
};

// One entry of a combo or option group: the text shown and the code stored.
struct AnnexItem {
    QString text;
    QString code;
};

// A field as the window shows it.
struct FieldState {
    QString text;           // text, amount, percentage and date fields ("" for an untouched date)
    QString code;           // combos, option groups and check boxes: the chosen code ("" none)
    QList<AnnexItem> items; // combos and option groups
    QString label;
    bool enabled = true;
};

// One detail window of an annex without its window: the fields under their control names,
// the key filters, the row of action 2, the validation in the annex's order, the duplicate
// and cross-row checks, the correlative, the modified flag with its close question, and the
// save of the row in one transaction (cNumero "000000"). The window widget, the batch mode and
// the tests drive it; every annex is this class with its catalogue entry and checks.
//
// Its controls: every field by its control name and by the column it writes (`choose
// tipo_socio 01`, `text Porcentaje 33.33`), option fields taking the code as their index
// (`click optPlazo 1`), the sub-window buttons, the inner grid and its buttons, and cmdAccion 0
// ("&Grabar") and 1 ("&Salir").
class AnnexDetailModel : public QObject, public app::PresentationModel {
    Q_OBJECT
public:
    AnnexDetailModel(const AnnexDef& def, AnnexContext context, app::FormRequest request, QObject* parent = nullptr);
    ~AnnexDetailModel() override;

    const AnnexDef& def() const { return m_def; }
    // The window's title: the catalogue's caption unless the annex's checks set another.
    QString caption() const { return m_caption; }
    void setCaption(const QString& caption) { m_caption = caption; }
    const app::FormRequest& request() const { return m_request; }
    AnnexContext& context() { return m_context; }
    store::DeclarationKey key() const;
    QString periodo() const;
    // 1 add, 2 modify (a sub-window asked to add the row that exists modifies it).
    int action() const { return m_action; }

    // --- Fields, by control name or by column ----------------------------------------------
    bool hasField(const QString& name) const;
    const AnnexField& field(const QString& name) const; // an unknown name is a programming error
    const FieldState& state(const QString& name) const;
    // The text of a text field; the chosen code of a combo, option group or check box.
    QString value(const QString& name) const;
    bool isEmpty(const QString& name) const;
    QDate date(const QString& name) const; // an invalid date unless the field holds a whole date
    double number(const QString& name) const;

    // What the user does: each sets the modified flag.
    QChar filterKey(const QString& name, QChar typed) const;
    bool typeKey(const QString& name, QChar typed);         // false when the key was dropped
    bool setText(const QString& name, const QString& text); // whole text, through the same rules
    bool choose(const QString& name, const QString& code);  // false when no item has that code

    // What the rules do: no modified flag, no event.
    void setValue(const QString& name, const QString& text);
    void setCode(const QString& name, const QString& code);
    void setItems(const QString& name, const QList<AnnexItem>& items);
    void setEnabled(const QString& name, bool enabled);
    void setLabel(const QString& name, const QString& label);
    void clearField(const QString& name);

    bool isModified() const { return m_modified; }
    // PresentationModel
    QString windowName() const override { return m_def.window; }
    QList<app::DeclaredControl> declaredControls() override;
    bool isClosed() const override { return m_closed; }

    QString focus() const { return m_focus; }
    void setFocus(const QString& name);

    // --- Commands ------------------------------------------------------------------------
    // "&Grabar": validates, looks for the key, runs the cross-row checks and writes the row.
    // A new row leaves the window open and empty for the next; a modified row closes it.
    bool grabar();
    // "&Salir": the close question when something was typed (Yes saves first).
    void salir();
    // Any command button of the window: cmdAccion(0) and cmdAccion(1), and the annex's own.
    void click(const QString& command, int index = 0);

    // Opens a sub-window through the form launcher for this declaration; its result text.
    QString openWindow(const QString& window, int action, const QStringList& keyValues, const QString& code = {});
    // The command button that opens a sub-window: "cmd" and the window's name.
    static QString commandOf(const QString& window);

    // The grid inside the window (the participants of a contract) and its buttons: 0 adds,
    // 1 modifies the selected row, 2 deletes it; each opens the grid's window for the row being
    // modified. Null / nothing when the window has no such grid.
    const AnnexGridDef* childGrid() const { return m_childDef ? &*m_childDef : nullptr; }
    AnnexGridModel* childRows() { return m_childRows.get(); }
    void clickChild(int index);

    // --- Pieces the checks use -------------------------------------------------------------
    // The catalogue's field rules, in field order.
    std::optional<Failure> fieldRules() const;
    std::optional<Failure> fieldRule(const AnnexField& field) const;
    // The declaration key with the window's code column and fixed values (without the row's
    // own key).
    store::SqlFilter annexFilter() const;
    // The filter of the row being edited (action 2): annexFilter plus its key as loaded.
    store::SqlFilter rowFilter() const;
    // The value a column is written with.
    QVariant storedValue(const QString& column);
    // Whether a key value came from the caller (sub-windows keyed by lot, the vehicle row).
    QString requestKeyValue(const QString& column) const;

    static const QString kTwoDecimals;  // "El Porcentaje debe ser máximo con 2 decimales."
    static const QString kAboveMaximum; // "La cantidad ingresada supera el máximo permitido."
    static const QString kZeroPercent;  // "El Porcentaje no puede ser 0%."
    static const QString kBadRuc;       // "El RUC no es Válido."
    static const QString kDniLength;    // "El DNI debe ser de 8 dígitos."

    // A "dd/mm/yyyy" text as a date when every digit is typed and it exists.
    static QDate parseDate(const QString& text);
    // Decimals typed after the point.
    static int decimals(const QString& text);

signals:
    void fieldChanged(const QString& control);
    void focusRequested(const QString& control);
    void closed();

private:
    FieldState& mutableState(const QString& name);
    void fillCombos();
    void loadRow();
    void clearForNext();
    void fail(const Failure& failure);
    bool checkAndWrite();
    bool isDuplicate();
    void write();
    int nextCorrelative();
    void close();
    void changed(const QString& name);

    void openChildGrid();
    QString parentKey() const;

    const AnnexDef& m_def;
    AnnexContext m_context;
    app::FormRequest m_request;
    std::unique_ptr<AnnexChecks> m_checks;
    QHash<QString, FieldState> m_states;  // by control name
    QHash<QString, QVariant> m_loadedKey; // the row's key as loaded (action 2)
    int m_action = app::FormRequest::kAdd;
    bool m_modified = false;
    bool m_closed = false;
    QString m_focus;
    QString m_caption;
    std::optional<AnnexGridDef> m_childDef;
    std::unique_ptr<AnnexGridModel> m_childRows;
    std::unique_ptr<app::GridSource> m_childSource; // the inner grid as a script reads it
};

} // namespace qel::annexes
