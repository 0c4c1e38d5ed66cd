#pragma once

#include "catalogue/CasillaCatalog.h"
#include "catalogue/FormControls.h"
#include "store/DeclarationKey.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <functional>

namespace qel::app {
class Clock;
class FileChooser;
class FormOpener;
class GridSource;
class Prompter;
class UtilityComponent;
} // namespace qel::app

namespace qel::store {
class Database;
}

namespace qel::declaration {

enum class BoxColour { ButtonFace, White, Cyan, ScrollBar };

// One casilla box: what the window shows.
struct BoxState {
    QString text;
    // The text read as whole units and whether it is blank, kept beside it when
    // it changes: the calculation reads every dependent box on each keystroke,
    // and parses none of them.
    double number = 0;
    bool blank = true;
    bool enabled = true;
    bool locked = false;
    BoxColour colour = BoxColour::White;
    int maxLength = 17;
    bool focused = false;
};

struct ComboItem {
    QString text; // as shown: the description followed by its code, or as the
                  // list builds it
    QString code;
};

// A named control's state. Which members matter depends on the control's kind.
struct ControlState {
    bool enabled = true;
    bool visible = true;
    int value = -1;                // option group: the chosen index (-1 none); check box: 0 or 1
    QMap<int, int> memberValues;   // check arrays: 0 or 1 per index
    QMap<int, bool> memberEnabled; // buttons of an option group or command array, by index
    QString text;                  // text box, date box, label
    QList<ComboItem> items;        // combo box
    int current = -1;              // combo box: the chosen item (-1 none)
};

// The payment control: kind of payment ("C" cheque, "E" cash or "" not chosen),
// bank code (PARAM '004') and cheque number. Its values are stored as casillas
// 599, 012 and 015.
struct PaymentState {
    QString kind;
    QString bank;
    QString cheque;
    bool enabled = true;
};

// What the form needs from the process.
struct FormContext {
    store::Database& db;
    app::Prompter& prompter;
    const app::Clock& clock;
    app::UtilityComponent& utility;
    app::FormOpener& opener;
    QString periodo = QStringLiteral("2018");
    QString formulario = QStringLiteral("0588");
    QString sysUser;
    QString userKind = QStringLiteral("1");
    app::FileChooser* files = nullptr; // every file or folder the form asks the user for
};

// Everything the user can change on the form and undo: the boxes, the named
// controls, the payment control and the answers and values the form keeps
// beside them.
struct FormState {
    QHash<int, BoxState> boxes;
    QHash<QString, ControlState> controls;
    PaymentState payment;
    QMap<int, QString> answerSlots;
    QMap<int, QString> detailTable3;
    QMap<int, QString> keptCasillas;
    QString slot781;
    QString currentRate;
    QHash<int, QString> ruleFormulas;
};
// Whether two states show the user the same form (where the caret is does not
// count).
bool sameForm(const FormState& a, const FormState& b);

// Told where an edit as the user sees it begins and ends (the undo history).
class EditObserver {
public:
    virtual ~EditObserver() = default;
    virtual void boxEntered() = 0; // a casilla box is entered: its edit runs until it is left
    virtual void boxLeft() = 0;
    // A click or a choice on the form, with whatever the windows it opens change;
    // withTables: it may change the working tables.
    virtual void editBegins(bool withTables) = 0;
    virtual void editEnds() = 0;
};

// The outcome of a key typed into a box or a named text box.
enum class KeyResult {
    Inserted,     // the (possibly converted) character was added
    Removed,      // backspace removed the last character
    Dropped,      // the key filter refused it
    NextControl,  // Enter: the focus moves on, as with Tab
    OpenedWindow, // Enter in an assistant box opened its window
    Refused,      // the control is disabled or locked
};

// The declaration form Frm537 without its window: every control's state under
// the names the form uses, the key filters and masks, and the events the rules
// hook into. The window mirrors it; the batch mode and the tests drive it.
class DeclarationFormModel : public QObject {
    Q_OBJECT
public:
    enum class Mode { New = 0, Modify = 1 };

    explicit DeclarationFormModel(FormContext context, QObject* parent = nullptr);
    // The colour a box takes when the form opens and when a section switches it
    // on again.
    static BoxColour colourAtStart(const CasillaDef& def);
    ~DeclarationFormModel() override;

    FormContext& context() { return m_context; }
    const CasillaCatalog& casillas() const { return CasillaCatalog::instance(); }

    // --- The opening of the form
    // ----------------------------------------------------------
    Mode mode = Mode::New;
    QString openRuc; // modify mode: the declaration to open
    QString openName;
    bool historyView = false; // a sent version opened from the history tables
    QString correl;           // its correlative
    QString versionControl;   // its control number
    // The declaration the form shows: the RUC chosen in CmbRuc, the period and
    // the form code.
    store::DeclarationKey key() const;
    QString ruc() const;

    // --- Viewing a declaration another session holds
    // ------------------------------------------
    // Read-only: the declaration is shown, not changed. No box accepts typing and no control
    // changes anything; "&Validar" checks what is shown, "&Grabar" is refused with
    // kReadOnlySave (nothing is stored) and "&Salir" closes without writing anything. Once set,
    // it stays for the life of the form.
    bool readOnly() const { return m_readOnly; }
    void setReadOnly();
    static const QString kReadOnlySave;
    // Every box locked and every control but `stillActive`, the grids and the labels disabled,
    // the payment control included: a form that shows a declaration only.
    void showOnly(const QStringList& stillActive);

    // --- Casilla boxes
    // -----------------------------------------------------------------------
    bool hasBox(int n) const;
    const BoxState& box(int n) const; // an unknown casilla is a programming error
    QString text(int n) const;
    double value(int n) const; // whole units: separators and parentheses read, empty as 0
    bool isEmpty(int n) const; // no text (blanks count as empty)
    // Writes a box; when its text changes the change event fires (and the rules
    // run).
    void setText(int n, const QString& text);
    // Puts back a text the declaration stored, without running the rules: the box
    // shows what was saved, whatever the rules computed while the declaration was
    // being read.
    void restoreText(int n, const QString& text);
    void setValue(int n, double value, const QString& mask);
    void setEnabled(int n, bool enabled);
    void setLocked(int n, bool locked);
    void setColour(int n, BoxColour colour);
    // Enabled, white, unlocked: the user may type.
    void Habcasilla(int n);
    // Emptied, disabled, button-face, locked.
    void Descasilla(int n);
    // "0", enabled but locked, button-face.
    void fixAtZero(int n);
    // Empties each of the boxes.
    void clearBoxes(std::initializer_list<int> numbers);
    // While set, every casilla number asked of the model (hasBox, box) is added
    // to `asked`: the checks across the catalogues walk the rules with it to find
    // numbers the catalogue lacks.
    void recordAskedCasillas(QSet<int>* asked) { m_asked = asked; }

    // Typing, as the window forwards it and the batch mode drives it.
    void focusIn(int n);  // the bare editing text
    void focusOut(int n); // the display mask; the leave event fires
    QChar filterKey(int n, QChar typed) const;
    KeyResult typeKey(int n, QChar typed);
    // A click on the box: assistant boxes open their detail window, as Enter
    // does.
    bool clickBox(int n);
    int focusedBox() const { return m_focused; }

    // --- Named controls
    // ------------------------------------------------------------------
    bool hasControl(const QString& name) const;
    const ControlDef& controlDef(const QString& name) const;
    const ControlState& control(const QString& name) const;
    ControlState& controlState(const QString& name); // for the rules; call changed(name) after

    int option(const QString& name) const; // -1 when no button is chosen
    bool isOption(const QString& name, int index) const { return option(name) == index; }
    // Selects a button without firing the click (loading, rules undoing a
    // choice).
    void setOption(const QString& name, int index);
    // A user's click on a button: selects it and fires the control's event.
    bool clickOption(const QString& name, int index);

    int check(const QString& name, int index = -1) const;
    void setCheck(const QString& name, int value, int index = -1);
    bool clickCheck(const QString& name, int index = -1); // toggles and fires

    void setComboItems(const QString& name, const QList<ComboItem>& items);
    QString comboCode(const QString& name) const; // "" when nothing is chosen
    QString comboText(const QString& name) const;
    void setComboCode(const QString& name, const QString& code); // without firing
    void setComboIndex(const QString& name,
                       int index); // without firing (-1 clears)
    bool chooseCombo(const QString& name,
                     const QString& code); // a user's choice: fires

    QString controlText(const QString& name) const;
    void setControlText(const QString& name,
                        const QString& text); // fires the change event
    QChar filterControlKey(const QString& name, QChar typed) const;
    KeyResult typeControlKey(const QString& name, QChar typed);

    bool clickCommand(const QString& name, int index);
    void setControlEnabled(const QString& name, bool enabled);
    void setMemberEnabled(const QString& name, int index, bool enabled);
    void changed(const QString& name); // tells the window a control's state changed
    // A label that shows a total of a working table (the partners' shares, the income tax of
    // the mining and hydrocarbon annexes): the total as it reads now, with its mask.
    QString labelTotal(const QString& name) const;

    PaymentState& payment() { return m_payment; }
    void paymentChanged();

    // --- Events the rules hook into
    // --------------------------------------------------------
    using CasillaHandler = std::function<void(int casilla)>;
    using ControlHandler = std::function<void(int index)>;
    void onCasillaChanged(CasillaHandler handler);
    void onCasillaLeft(CasillaHandler handler);
    void onCasillaEntered(CasillaHandler handler);                   // the user entered a box, before any key
    void onCasillaClicked(std::function<bool(int casilla)> handler); // answers whether it opened a window
    // A click or a change of a named control (option button, check box, combo
    // choice, command button, text change); the index is the member's, or -1.
    void onControl(const QString& name, ControlHandler handler);

    // While the form loads a declaration, rules that must not react test this
    // flag.
    bool loading() const { return m_loading; }
    void setLoading(bool loading) { m_loading = loading; }

    // --- Form state filled by the load and read by validation and saving
    // ---------------
    QMap<int, QString> answerSlots;  // answer casillas as stored ("0", "1", "2", a
                                     // letter, a text)
    QString existenceMark;           // "S" declaration exists, "N" blocked choice in new mode
    QMap<int, QString> detailTable3; // casillas 676-699: the assistant rows of
                                     // the detail windows
    QMap<int, QString> keptCasillas; // DET-only values without a control, as
                                     // loaded (510-519 untrimmed)
    QString slot781;                 // the application-wide answer of casilla 781
    QString currentRate;             // the income-tax rate of Calcular113 ("29.5", "10.0" ...)
    QString acceptedMark;            // "A" once the report was accepted or skipped
    int formState = 0;               // 2 validated, 1 consistent save, 3 inconsistent save or cancel
    int inconsistencyFlag = 0;
    QStringList reportControls; // the box or question each line of the last
                                // report is about
    // The formula line a rule applied the last time it ran, by target, where the
    // formula depends on the answers or on a branch (111, 113, 610); empty: left
    // to the user.
    QHash<int, QString> ruleFormulas;
    // The help lines of a casilla as the calculation rules give them (the help
    // window lists them).
    std::function<std::pair<QString, QString>(int)> casillaHelp;
    bool dirty = false; // the user changed something since the last save
    QString currentPage = QStringLiteral("ident.general");
    QString caption;      // the window caption, also the title of its messages
    QString moduleFolder; // the module's own folder (sysPath + form code): the
                          // report file goes there
    QString helpText;     // TxtAyuda
    QString helpText2;    // TxtAyuda1
    // The form's grids by control name (annex grids, the trial balance),
    // registered by the code that fills them; the batch mode's rows and select
    // read them.
    QHash<QString, app::GridSource*> grids;

    // Asks the window to show a page and put the focus on a control (messages use
    // it).
    void showPage(const QString& pageId, const QString& focusTarget = {});

    // --- What the window tells the model and asks of it
    // -------------------------------------- The user selected a page (pageId as
    // in FormPages); the handlers run with its id.
    void selectPage(const QString& pageId);
    void onPageSelected(std::function<void(const QString& pageId)> handler);
    // The user selected a row of a grid (-1 none); rules read it as
    // control(name).current, the row's position in the grid's query.
    void selectGridRow(const QString& name, int row);
    // The values of the row selected in a grid (column name -> value) as the
    // window read them from the row; a new row position forgets them. Empty when
    // the window did not say.
    void setSelectedRowValues(const QString& grid, const QVariantMap& values);
    QVariantMap selectedRowValues(const QString& grid) const;
    // Asks the window to re-read a grid from its working table (an empty name:
    // every grid).
    void refreshGrid(const QString& name = {});
    // Asks the window to close (the end of the cancel command).
    void requestClose();
    // The help box (TxtAyuda, TxtAyuda1).
    void setHelpText(const QString& text, const QString& text2 = {});
    // The caption of a named control (question, label) as the load set it with
    // the period; the catalogue's caption until then. Option groups, check boxes
    // and labels keep it as their state text.
    QString controlCaption(const QString& name) const;
    void setControlCaption(const QString& name, const QString& text);
    // After the load applied the stored answers to the controls (without firing
    // their events), the section switches bring the dependent sections in line.
    void onAnswersApplied(std::function<void()> handler);
    // The mouse over a casilla box: its help goes to TxtAyuda.
    void onBoxPointed(std::function<void(int casilla)> handler);
    void pointAt(int casilla);
    void notifyAnswersApplied();
    // The undo history's view: the state of the form, put back without running
    // the rules (the window is told of every box and control that changed), and
    // the edits as they happen.
    FormState state() const;
    void restoreState(const FormState& state);
    void setEditObserver(EditObserver* observer) { m_editObserver = observer; }
    // Whether a rule handles the events of a control.
    bool hasControlHandler(const QString& name) const;
    // The statement layout in use (CasillaDef::chart): 1 for the revised chart
    // (casillas 300-358), 2 for the business chart (359-426), chosen with
    // OptPlan; the business chart until one is chosen.
    int statementChart() const;

signals:
    void boxChanged(int casilla);
    void controlChanged(const QString& name);
    void paymentStateChanged();
    void pageRequested(const QString& pageId, const QString& focusTarget);
    void gridRefreshRequested(const QString& name);
    void closeRequested();
    void answersApplied();
    void helpTextChanged();
    void readOnlyChanged();

private:
    BoxState& boxState(int n);
    void fireControl(const QString& name, int index);
    static void storeText(BoxState& state, const QString& text);
    void fireChanged(int n); // the change event of a box whose text just changed
    EditObserver* editObserver() const { return m_loading ? nullptr : m_editObserver; }

    FormContext m_context;
    QHash<int, BoxState> m_boxes;
    QSet<int>* m_asked = nullptr;
    // The value and mask each box's text was last formatted from by setValue:
    // writing the same value with the same mask again changes nothing, so it is
    // neither formatted nor compared. A box written any other way drops out of
    // it.
    struct Formatted {
        double value = 0;
        QString mask;
    };
    QHash<int, Formatted> m_formatted;
    QHash<QString, ControlState> m_controls;
    PaymentState m_payment;
    QList<CasillaHandler> m_changedHandlers;
    QList<CasillaHandler> m_leftHandlers;
    QList<CasillaHandler> m_enteredHandlers;
    QList<std::function<bool(int)>> m_clickHandlers;
    QHash<QString, QList<ControlHandler>> m_controlHandlers;
    QList<std::function<void(const QString&)>> m_pageHandlers;
    QList<std::function<void()>> m_answerHandlers;
    QList<std::function<void(int)>> m_pointHandlers;
    QHash<QString, QString> m_captions;
    QHash<QString, QVariantMap> m_selectedRows;
    bool m_loading = false;
    bool m_readOnly = false;
    EditObserver* m_editObserver = nullptr;
    int m_focused = 0;
    int m_eventDepth = 0;
};

} // namespace qel::declaration
