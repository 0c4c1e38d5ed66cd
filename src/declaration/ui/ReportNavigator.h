#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>

class QDialog;
class QPlainTextEdit;

namespace qel::declaration {

class Frm537;

// Takes the declaration form to what a line of the inconsistency report is about: a double
// click or Enter on a line selects the page, the nested page and the box or question of that
// line. The report window then stays open beside the form, without blocking it, while the user
// works through the lines; accepting it marks the report as accepted in the form.
class ReportNavigator : public QObject {
    Q_OBJECT
public:
    // The dialog property FormLauncher reads to show a window without blocking the others.
    static const char* const kModelessProperty;

    // Attaches to a report window (its lines in the box txtConsist), with the control of each
    // line. Without an open declaration form the window stays as it was (modal, nothing to go to).
    static void attach(QDialog& report, const QStringList& controls);
    // The declaration form on screen, if any.
    static Frm537* openForm();

    ReportNavigator(QDialog& report, QPlainTextEdit& lines, const QStringList& controls, Frm537& form);

    // Goes to the box or question of a line (0-based); false when it has no place.
    bool goToLine(int line);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeBesideForm();
    void markCurrentLine();

    QDialog& m_report;
    QPlainTextEdit& m_lines;
    // Kept apart: the filter still sees events while the text box is being destroyed, when it
    // can no longer be asked for its viewport.
    QObject* m_viewport = nullptr;
    QStringList m_controls;
    QPointer<Frm537> m_form;
};

} // namespace qel::declaration
