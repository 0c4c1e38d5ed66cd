#include "declaration/rules/ConsistencyCheck.h"

#include "base/Prompter.h"
#include "declaration/model/DeclarationFormModel.h"
#include "declaration/rules/ConsistencyRules.h"
#include "declaration/rules/InconsistencyReport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

namespace qel::declaration {

const QString ConsistencyCheck::kReportFile = QStringLiteral("Mens.txt");
const QString ConsistencyCheck::kStopAtFirst = QStringLiteral("2");

namespace {

const QString kIncomeShortText =
    QStringLiteral("Sus ingresos superan las 1700 UIT, usted debe declarar en el Régimen General.");
const QString kNoTaxpayer = QStringLiteral("Debe seleccionar un Contribuyente.");

} // namespace

ConsistencyCheck::ConsistencyCheck(DeclarationFormModel& model, const CalculationRules& calculation)
    : m_model(model), m_calculation(calculation) {}

QString ConsistencyCheck::reportPath(const DeclarationFormModel& model) {
    const QString folder = model.moduleFolder.isEmpty() ? QDir::currentPath() : model.moduleFolder;
    return QDir(folder).filePath(kReportFile);
}

QStringList ConsistencyCheck::readReport(const QString& path) {
    return InconsistencyReport::fromFile(path).lines();
}

ConsistencyCheck::Outcome ConsistencyCheck::run(const QString& mode) {
    const bool stopAtFirst = mode == kStopAtFirst;
    m_model.inconsistencyFlag = 0;
    m_currentMessage.clear();
    m_evaluated.clear();

    // Report-all: the report of the previous run goes; the lines of this one are kept until
    // the rules have run and then written in one go.
    QStringList report;
    QStringList controls; // what each line is about, for the report window to go there
    const ConsistencyRules rules(m_model, m_calculation);
    for (const ConsistencyRules::Rule& rule : ConsistencyRules::declarationRules()) {
        if (stopAtFirst && rule.reportOnly) {
            continue;
        }
        m_evaluated.append(rule.name);
        const QStringList failures = rules.evaluate(rule);
        for (const QString& failure : failures) {
            m_currentMessage = failure;
            if (stopAtFirst) {
                if (rule.name == ConsistencyRules::kIncomeRule) {
                    m_model.context().prompter.message(kIncomeShortText, m_model.caption, app::Icon::Critical);
                }
                return Outcome::Inconsistent;
            }
            report.append(failure);
            controls.append(rule.control);
            m_model.inconsistencyFlag = 1;
        }
    }
    if (stopAtFirst) {
        return Outcome::Consistent;
    }
    m_model.reportControls = controls;

    const QString path = reportPath(m_model);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    bool written = false;
    if (file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        QTextStream out(&file);
        out.setEncoding(QStringConverter::Utf8);
        for (const QString& line : report) {
            out << line << '\n';
        }
        out.flush();
        written = file.commit();
    }
    if (!written) {
        m_model.context().prompter.message(QStringLiteral("No se pudo crear el archivo ") +
                                               QDir::toNativeSeparators(path),
                                           QStringLiteral("Error"), app::Icon::Critical);
    }

    if (!rules.hasTaxpayer()) {
        m_model.context().prompter.message(kNoTaxpayer, m_model.caption, app::Icon::Critical);
        m_model.showPage(QStringLiteral("ident.general"), QStringLiteral("CmbRuc"));
        return Outcome::NotRun;
    }
    return report.isEmpty() ? Outcome::Consistent : Outcome::Inconsistent;
}

} // namespace qel::declaration
