#pragma once

#include "declaration/ui/FormWidgets.h"

#include <QList>
#include <QString>
#include <QStringList>

class QGridLayout;
class QTabWidget;
class QBoxLayout;
class QWidget;

namespace qel::declaration {

class DeclarationFormModel;
struct CasillaDef;
struct ControlDef;
struct PageDef;

// Builds the pages of the declaration form from the page, casilla and control catalogues:
// the tab controls with their pages, on each page its frames (sections) and in each frame,
// line by line, the named controls and the casilla boxes with their numbers and labels.
// It only makes widgets; the window binds them to the model.
class FormPageBuilder {
public:
    FormPageBuilder(DeclarationFormModel& model, FormWidgets& widgets);

    // The main tab control SSTab1 with every page and nested tab control (in a widget that
    // also holds its rows of tabs when they do not fit in one).
    QWidget* build(QWidget* parent);

    // Controls the window places itself rather than on a page.
    static bool isFormCommand(const QString& name); // cmdValidar, cmdGrabar, cmdSalir
    static bool isHelpBox(const QString& name);     // TxtAyuda, TxtAyuda1
    // CmbRuc, txtNumRUC, TxtRazon: above the nested identification pages.
    static bool isTaxpayerField(const QString& name);

private:
    struct Entry {
        QString section;
        int row = 0;
        int order = 0;
        const CasillaDef* box = nullptr;
        const ControlDef* control = nullptr;
    };

    QWidget* buildTabControl(const QString& name, int width, QWidget* parent);
    QWidget* buildPage(const PageDef& page, int width, QWidget* parent);
    QList<Entry> entriesOf(const QString& pageId) const;
    static QStringList sectionOrder(const QList<Entry>& entries);
    // Adds the sections of the entries to a column layout.
    void addSections(const QList<Entry>& entries, QBoxLayout* column, QWidget* parent);
    // Each answers the number of grid rows it took.
    int addLine(const QList<Entry>& line, QGridLayout* grid, int gridRow, int slotCount, QWidget* parent);
    void addBox(const CasillaDef& def, QGridLayout* grid, int gridRow, int column, QWidget* parent);
    static bool onlyCommands(const QList<Entry>& line);
    int addCommandLine(const QList<Entry>& line, QGridLayout* grid, int gridRow, int slotCount, QWidget* parent);
    int addControl(const ControlDef& def, QGridLayout* grid, int gridRow, int column, int span, QWidget* parent);
    QWidget* buildPayment(QWidget* parent);

    DeclarationFormModel& m_model;
    FormWidgets& m_widgets;
    bool m_frameHasGrid = false;
    bool m_pageHasGrid = false;
};

} // namespace qel::declaration
