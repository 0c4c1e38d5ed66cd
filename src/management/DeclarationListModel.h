#pragma once

#include "app/FormRequest.h"
#include "app/PresentationModel.h"
#include "app/ScriptableWindow.h"
#include "management/DeclarationList.h"
#include "management/SentDeclarationList.h"

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <memory>
#include <optional>

namespace qel::app {
class FormOpener;
}

namespace qel::management {

// The two list windows of the period's declarations, one model for both: FrmContAbrir over
// the stored declarations (modify or delete one) and FrmContAbrirEnv over the sent versions
// (register an order number, delete a version, recover one, view one). Their controls are the
// same: the label lblMensaje, the grid grdContrib and the buttons CmdOpciones (0 the list's
// operation, 1 "&Salir", 2 "&Visualizar" in the sent list). The window shows it; the batch mode
// drives it through its generic adapter.
class DeclarationListModel : public app::PresentationModel, public app::GridSource {
public:
    enum class Which { Stored, Sent };

    static const QString kStoredWindow; // "FrmContAbrir"
    static const QString kSentWindow;   // "FrmContAbrirEnv"
    // The request's code says what button 0 does: "1" modify (the stored list) or register the
    // order number (the sent list), "3" delete, "R" recover a sent version.
    static const QString kModifyCode;
    static const QString kDeleteCode;
    static const QString kRecoverCode;

    struct Context {
        store::Database& db;
        app::Prompter& prompter;
        app::StatusDisplay* status = nullptr; // the main window's status bar, when there is one
        QString periodo;
        QString formulario;
        QString userKind; // "0" sees every taxpayer
        QString sysUser;
    };

    // Opens the declaration form on a declaration (mode and arguments as OpenDeclarationForm
    // takes them). Answers true when the form has closed again, so that the list reloads and
    // stays; false when the form stays open for its caller, so that the list closes (the batch
    // mode's script goes on with the form).
    using FormOpener = std::function<bool(int mode, const QVariantList& arguments)>;

    // `windows` opens the recovery window of the sent list; it may be null for the stored list.
    DeclarationListModel(Which which, const Context& context, const QString& code, FormOpener formOpener,
                         app::FormOpener* windows);
    ~DeclarationListModel() override;

    // The list a window name stands for; nothing for any other name.
    static std::optional<Which> listNamed(const QString& windowName);
    // The declaration form's request for a mode and its arguments (RUC, name, sent flag, ...).
    static app::FormRequest formRequest(int mode, const QVariantList& arguments, const QString& periodo,
                                        const QString& formulario);

    Which which() const { return m_which; }
    QString windowCaption() const;
    QString frameCaption() const;
    QString labelCaption() const;
    int buttonCount() const { return m_which == Which::Sent ? 3 : 2; }
    QString buttonCaption(int index) const;
    QStringList columnCaptions() const;
    // Columns whose whole text must show: every one but the business name.
    static constexpr int kNameColumn = 1;
    // The sent list disables its grid while it is empty.
    bool gridEnabled() const;
    bool isEmpty() const;

    // The rows read again; the position kept. An engine error is shown and leaves the list as
    // it was.
    void reload();
    // CmdOpciones(index): 0 the operation on the selected row, 1 "&Salir", 2 "&Visualizar".
    // Answers false when nothing was done.
    bool press(int index);

    // GridSource: the rows as the grid shows them.
    int rowCount() const override;
    QStringList rowTexts(int row) const override;
    int currentRow() const override;
    void setCurrentRow(int row) override;

    // PresentationModel
    QString windowName() const override;
    QList<app::DeclaredControl> declaredControls() override;
    bool isClosed() const override { return m_closed; }

private:
    bool openForm(int mode, const QVariantList& arguments);
    void openRecovery(const SentVersionRow& version);

    Which m_which;
    app::Prompter& m_prompter;
    FormOpener m_openForm;
    app::FormOpener* m_windows;
    std::unique_ptr<DeclarationList> m_stored;
    std::unique_ptr<SentDeclarationList> m_sent;
    bool m_closed = false;
};

} // namespace qel::management
