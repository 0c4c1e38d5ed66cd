#pragma once

#include <QString>
#include <QStringList>

namespace qel::declaration {

class CalculationRules;
class DeclarationFormModel;

// The consistency check of the whole declaration, in two modes:
//  - report-all (any mode text but "2", the validate command's "0"): every rule runs, each
//    failure is one line of the report file "Mens.txt" in the module's folder (recreated on
//    each run) and sets the inconsistency flag; the check ends with the taxpayer test;
//  - stop-at-first ("2", saving): the first failing rule ends the check; nothing is written.
class ConsistencyCheck {
public:
    enum class Outcome {
        Consistent,   // no rule failed
        Inconsistent, // some rule failed
        NotRun,       // report-all without a taxpayer: the form asks for one instead
    };

    static const QString kReportFile;  // "Mens.txt"
    static const QString kStopAtFirst; // "2"

    ConsistencyCheck(DeclarationFormModel& model, const CalculationRules& calculation);

    Outcome run(const QString& mode);

    // The report file of the form: the module's folder (the current folder when the form was
    // given none) and "Mens.txt".
    static QString reportPath(const DeclarationFormModel& model);
    // The lines of a report file; none when it is missing.
    static QStringList readReport(const QString& path);

    // The message of the rule being reported.
    const QString& currentMessage() const { return m_currentMessage; }
    // The rules the last run evaluated, in order.
    const QStringList& evaluated() const { return m_evaluated; }

private:
    DeclarationFormModel& m_model;
    const CalculationRules& m_calculation;
    QString m_currentMessage;
    QStringList m_evaluated;
};

} // namespace qel::declaration
