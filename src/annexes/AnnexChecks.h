#pragma once

#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

namespace qel::annexes {

class AnnexDetailModel;

// A refused save: the message shown (critical icon) and the field that takes the focus.
struct Failure {
    QString field; // control name
    QString message;
};

// The rules of one annex that are not field rules of the catalogue: the order of its checks,
// the checks against the other rows, what a choice in a combo does. The default runs the
// catalogue's field rules and nothing else. An annex with particular rules derives from it
// and is registered under its window's name in forWindow().
class AnnexChecks {
public:
    virtual ~AnnexChecks() = default;

    // The checks of the window named; the default checks when it has no particular ones.
    static std::unique_ptr<AnnexChecks> forWindow(const QString& window);

    // After the window is filled (its row loaded, or emptied for the next row).
    virtual void prepare(AnnexDetailModel& model);
    // A user's choice in a combo or option group (the field's column).
    virtual void chosen(AnnexDetailModel& model, const QString& column);
    // The field checks in the annex's order; the first failure stops.
    virtual std::optional<Failure> validate(AnnexDetailModel& model);
    // The checks against the other rows of the working table, after the duplicate look-up.
    virtual std::optional<Failure> crossRows(AnnexDetailModel& model);
    // A last question before the row is written; false leaves the window as it is.
    virtual bool confirm(AnnexDetailModel& model);
    // The value written for a column (the model's reading of the field by default).
    virtual QVariant stored(AnnexDetailModel& model, const QString& column, const QVariant& value);
    // A command button of the window other than "&Grabar" and "&Salir" (the sub-windows).
    virtual void clicked(AnnexDetailModel& model, const QString& command);
};

} // namespace qel::annexes
