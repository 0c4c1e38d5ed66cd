#pragma once

#include "store/DeclarationKey.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace qel::store {
class DeclarationLock;
struct LockHolder;
} // namespace qel::store

namespace qel::declaration {

class DeclarationFormModel;

// The opening of the declaration form: the pages prepared for the period, the taxpayer list,
// and the declaration of the chosen taxpayer read into the form (casilla boxes, answers,
// identification data, payment, in-memory detail tables) with its working copies refreshed.
// It works on the presentation model only, so the window, the batch mode and the tests share
// it. Engine errors are shown through the form's prompter and end the step that met them.
class FormLoader {
public:
    // Hooks the taxpayer choice of CmbRuc; the loader must live as long as the model.
    explicit FormLoader(DeclarationFormModel& model);
    ~FormLoader();
    FormLoader(const FormLoader&) = delete;
    FormLoader& operator=(const FormLoader&) = delete;

    // The form load: prepares every page and, when the form opens a stored declaration
    // (modify mode, or a sent version in history view), opens model.openRuc. False when the
    // form must not open: its declaration is held by another session and the user would not
    // view it read-only, or its lock could not be asked for.
    bool load();

    // A taxpayer chosen in CmbRuc. In new-declaration mode a taxpayer whose declaration of
    // the period exists is refused (existence mark "N") and false is answered; otherwise
    // the taxpayer's declaration (possibly none) fills the form. The form holds the
    // declaration's lock from then on; a declaration another session holds is shown
    // read-only when the user says so, and otherwise the form stays as it was.
    bool chooseTaxpayer(const QString& ruc);

    // Whether the form holds the lock of the declaration it shows.
    bool holdsLock() const { return m_lock != nullptr; }
    // The question when another session holds the declaration of `ruc`, and the message when
    // its lock could not be asked for.
    static QString heldQuestion(const QString& ruc, const std::optional<store::LockHolder>& holder);
    static QString lockFailedText(const QString& ruc, const QString& error);

    // Removes the working rows this form filled (the form closes). Throws DatabaseError.
    void emptyWorkingCopies();

    // Puts one stored casilla value where the form keeps it. The casilla is the stored text
    // ("012", "101"), the value as read (already trimmed where it must be).
    void dispatchCasilla(const QString& casilla, const QString& value);

    // The trial-balance question of the period: the threshold is 300 UIT of the period.
    static QString trialBalanceQuestion(const QString& periodo, const QString& uit);
    // The fixed items of the document-type lists of the representative and the accountant.
    static QStringList documentTypeItems();
    // The caption of the form for a form code and a period.
    static QString formCaption(const QString& formulario, const QString& periodo);
    static const QString kAlreadyExists;

    // The four column sums of the trial balance shown in casillas 240-243, from the
    // working table.
    static const QStringList kTrialBalanceTotalColumns;

private:
    // Steps of the form load, in their order.
    void clearValidationState();
    void fillDocumentTypeLists();
    void setCaption();
    void putPeriodIntoQuestions();
    void buildTrialBalanceQuestion();
    void putPeriodIntoHeadings();
    void fillCodeLists();
    void resetPaymentAndTaxpayerList();
    void openDeclarationOfForm();
    bool openedRucAllowed();

    // The taxpayer choice and what follows it.
    bool openTaxpayer(const QString& ruc);
    enum class Access { Held, ReadOnly, Refused };
    Access takeLock(const QString& ruc);
    bool refuseExistingDeclaration(const QString& ruc);
    void resetDeclarationState();
    void putTaxpayerName(const QString& ruc);
    bool loadCasillas();
    void loadPaymentFromHeader();
    void showStoredBoxes();
    void emptyBoxesWithoutRows();
    void applyAnswers();
    void refreshWorkingCopiesAndTrialBalance();
    void seedTrialBalance();
    void showTrialBalanceTotals();
    void loadDetailTables();
    void prepareOrderNumber();
    void disableWindowBoxes();

    // Pieces of the dispatcher.
    bool dispatchToControl(int number, const QString& value);
    void showInBox(int number, const QString& value);
    void setControlTextQuietly(const QString& name, const QString& text);
    void fillCombo(const QString& name, const QString& numero, const QList<int>& leftOut = {});

    // The declaration read: the key, and the correlative of a sent version in history view.
    store::DeclarationKey key() const;
    std::optional<QString> version() const;
    QString table(const QString& base) const; // base or H + base in history view
    store::SqlFilter filter() const;

    DeclarationFormModel& m_model;
    QHash<QString, QString> m_taxpayerNames; // RUC -> NOMBRE of the taxpayer list
    bool m_choosing = false;
    std::optional<store::DeclarationKey> m_workingKey; // whose working rows this form filled
    std::optional<QHash<int, QString>> m_storedBoxes;  // the boxes as the stored rows showed them
    std::unique_ptr<store::DeclarationLock> m_lock;    // held while the form shows its declaration
    std::optional<store::DeclarationKey> m_lockedKey;
    bool m_lockRefused = false; // the declaration to open was not opened: see load()
};

} // namespace qel::declaration
