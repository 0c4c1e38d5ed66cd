#pragma once

#include "app/ScriptableWindow.h"
#include "management/SentDeclarationList.h"

namespace qel::app {
class FormOpener;
}

namespace qel::management {

// The list of sent declarations FrmContAbrirEnv as a script drives it: the label lblMensaje,
// the grid grdContrib and the buttons CmdOpciones(0..2). "&Registrar" and "&Visualizar" open
// the version in the declaration form and close the list, so that the script goes on with the
// form; "&Recuperar" opens FrmRecuperar through the form launcher; "&Eliminar" asks and
// deletes, and the list stays open.
class SentListScript : public app::ScriptableWindow, public app::GridSource {
public:
    static const QString kWindowName; // "FrmContAbrirEnv"

    SentListScript(SentDeclarationList::Context context, SentDeclarationList::FormOpener openForm,
                   app::FormOpener& launcher);

    SentDeclarationList& list() { return m_list; }

    QString name() const override { return kWindowName; }
    QList<app::ControlInfo> controls() const override;
    bool text(const QString& control, const QString& value) override;
    bool choose(const QString& control, const QString& code) override;
    bool click(const QString& control, int index) override;
    QString state(const QString& control) const override;
    app::GridSource* grid(const QString& name) override;
    bool isClosed() const override { return m_closed; }

    int rowCount() const override;
    QStringList rowTexts(int row) const override;
    int currentRow() const override { return m_list.current(); }
    void setCurrentRow(int row) override { m_list.setCurrent(row); }

private:
    void requireControl(const QString& control) const;

    SentDeclarationList m_list;
    bool m_closed = false;
};

} // namespace qel::management
