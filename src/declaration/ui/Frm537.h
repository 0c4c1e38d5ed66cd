#pragma once

#include "declaration/ui/FormWidgets.h"

#include <QDialog>
#include <QHash>
#include <QStringList>
#include <memory>
#include <vector>

class QAction;
class QTabWidget;

namespace qel::declaration {

class DeclarationFormModel;
class ExplainModel;
class ExplainPanel;
class FormHistory;
class GuardedLineEdit;

// The declaration form: the pages of casilla boxes and named controls built from the
// catalogues, mirroring the presentation model and handing every user action to it. It
// holds no state of its own and decides nothing.
class Frm537 : public QDialog {
    Q_OBJECT
public:
    explicit Frm537(DeclarationFormModel& model, QWidget* parent = nullptr);
    ~Frm537() override;

    DeclarationFormModel& model() { return m_model; }
    // The box of a casilla, or null when the form shows none.
    GuardedLineEdit* box(int casilla) const;
    QTabWidget* tabControl(const QString& name) const;
    // Selects a page and the pages holding it, as clicks on their tabs would.
    void showPage(const QString& pageId);
    // The innermost page shown.
    QString currentPageId() const;
    // Every page in the order of the tabs (a page before its nested pages).
    static QStringList pageIds();
    // The explanation panel beside the pages and the Edit menu (undo, redo) over the
    // session's explanations and undo history.
    void attach(ExplainModel& explanations, FormHistory& history);
    ExplainPanel* explainPanel() const { return m_explainPanel; }
    // Goes to the box of a casilla: its page and the focus.
    void goToCasilla(int casilla);
    // What the title bar adds to the caption while the form only shows its declaration.
    static inline const QString kReadOnlyTitle = QStringLiteral(" - Solo consulta");

public slots:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    void bindBoxes();
    void bindControls();
    void bindModel();

    void refreshAll();
    void refreshBox(int casilla);
    void refreshControl(const QString& name);
    void refreshGrid(const QString& name);
    void refreshGridRows(const QString& name);
    FormAnnexGrid* gridRows(const QString& name);
    void refreshTotals();
    void refreshHelp();
    void refreshFrames();
    void refreshChart();
    void refreshCaption();
    void refreshExplanation();
    void refreshEditMenu();

    void selectPageChain(const QString& pageId);
    void pageChangedByUser(QTabWidget* tabs);
    void onPageRequested(const QString& pageId, const QString& focusTarget);
    QWidget* focusTarget(const QString& target) const;
    void advanceFocus(QWidget* from);
    void movePage(int step);
    int regionOf(const QWidget* widget) const;
    QWidget* firstField(QWidget* region) const;
    bool isField(QWidget* widget, QWidget* within) const;
    void ensureVisible(QWidget* widget);

    void salir();
    void closeForm();

    DeclarationFormModel& m_model;
    FormWidgets m_widgets;
    QTabWidget* m_tabs = nullptr;
    bool m_syncingPage = false;
    bool m_syncingGrid = false;
    std::vector<std::unique_ptr<FormAnnexGrid>> m_ownGrids; // grids no rule reads (the trial balance)
    bool m_closing = false;
    QHash<QString, QString> m_totals; // labels showing a total, by name
    ExplainModel* m_explanations = nullptr;
    FormHistory* m_history = nullptr;
    ExplainPanel* m_explainPanel = nullptr;
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
};

} // namespace qel::declaration
