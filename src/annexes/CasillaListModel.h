#pragma once

#include "app/PresentationModel.h"
#include "catalogue/CasillaListCatalog.h"
#include "store/DeclarationKey.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace qel::app {
class FormOpener;
class Prompter;
} // namespace qel::app

namespace qel::store {
class Database;
}

namespace qel::annexes {

class AnnexGridModel;

// A list window of a casilla without its window: the grid grdDetalleCasilla over the annex's
// working rows, its total, the buttons cmdAccion(0..3) "&Nuevo", "&Modificar", "&Eliminar" and
// "&Salir", and the total handed back to the casilla. Every list of the catalogue is this
// class with its catalogue entry. A list that imports has cmdImportar too, and a casilla's
// prompt shows as lblDetalle.
class CasillaListModel : public app::PresentationModel, private app::GridSource {
public:
    static const QString kTotalMask;    // "##,###,###,###,##0"
    static const QStringList kCaptions; // "&Nuevo", "&Modificar", "&Eliminar", "&Salir"
    static const QString kGrid;         // "grdDetalleCasilla"
    // The donation reminders, by the donation types present.
    static QString reminderFor(const QString& donationType);

    CasillaListModel(const CasillaListDef& def, store::Database& db, app::Prompter& prompter, app::FormOpener* opener,
                     store::DeclarationKey key, int casilla, bool readOnly);
    ~CasillaListModel();

    const CasillaListDef& def() const { return m_def; }
    QString caption() const { return m_def.captionFor(m_casilla); }
    int casilla() const { return m_casilla; }
    bool readOnly() const { return m_readOnly; }
    AnnexGridModel& grid() { return *m_grid; }

    // Reads the rows and the total again, keeping the selected row where it still is.
    void refresh();
    double total() const { return m_total; }
    QString totalText() const;

    // cmdAccion(index): 0 new, 1 modify, 2 delete, 3 leave.
    void click(int index);
    void nuevo();
    void modificar();
    void eliminar();
    void salir();
    // "&Importar" of a list that imports (the counterpart balances): the import window of its
    // kind for this casilla, then the rows again. False when the list imports nothing.
    bool importRows();
    bool imports() const { return !m_def.importWindow.isEmpty(); }

    // The line the casilla asks the user to detail ("Ingrese el Detalle de Clientes : ").
    void setPrompt(const QString& prompt) { m_prompt = prompt; }
    // The code a casilla opens its list with is a prompt unless it is the casilla's number.
    static QString promptFrom(const QString& code);
    QString prompt() const { return m_prompt; }

    // PresentationModel
    QString windowName() const override { return m_def.window; }
    QList<app::DeclaredControl> declaredControls() override;
    bool isClosed() const override { return m_closed; }
    QString result() const override { return m_result; }

private:
    // GridSource of grdDetalleCasilla
    int rowCount() const override;
    QStringList rowTexts(int row) const override;
    int currentRow() const override;
    void setCurrentRow(int row) override;

    QString openDetail(int action, const QStringList& keyValues);
    void showReminders();

    const CasillaListDef& m_def;
    store::Database& m_db;
    app::Prompter& m_prompter;
    app::FormOpener* m_opener;
    store::DeclarationKey m_key;
    int m_casilla;
    bool m_readOnly;
    std::unique_ptr<AnnexGridModel> m_grid;
    double m_total = 0;
    bool m_closed = false;
    QString m_result;
    QString m_prompt;
};

} // namespace qel::annexes
