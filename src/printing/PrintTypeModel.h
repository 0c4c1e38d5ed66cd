#pragma once

#include "app/PresentationModel.h"
#include "printing/SpoolRegistry.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace qel::app {
class Clock;
class Prompter;
} // namespace qel::app

namespace qel::store {
class Database;
}

namespace qel::printing {

// FrmTipPrnR: the list of the declarations that can be printed (the registered ones, or the
// sent versions when printing sent declarations), the choice with or without annexes
// (ChkAnexo), and the print command, which writes the report into the spool and opens it in
// the preview.
class PrintTypeModel : public app::PresentationModel, private app::GridSource {
public:
    static const QString kWindowName; // "FrmTipPrnR"
    static const QString kGrid;       // "grdDeclaraciones"
    // The code the window is opened with to list the sent versions (the print of sent
    // declarations); any other lists the registered ones.
    static const QString kSentCode; // "1"

    struct Context {
        store::Database& db;
        app::Prompter& prompter;
        const app::Clock& clock;
        QString sysUser;
        QString userKind; // "0" sees every taxpayer
        QString periodo;
        QString formulario;
        QString spoolFolder;
        bool sent = false;
    };

    struct Row {
        QString ruc;
        QString nombre;
        QString periodo;
        QString formulario;
        QString norden;
        QString fecEnv;
        QString control;
        QString correl;
        int estado = 0;
    };

    struct Printed {
        SpoolEntry entry;
        int pages = 0;
    };
    // Opens the preview on a report file (the window's frmPreview, the batch runner's own).
    using PreviewOpener = std::function<void(const QString& path)>;

    PrintTypeModel(Context context, PreviewOpener openPreview);
    void setPreviewOpener(PreviewOpener openPreview) { m_openPreview = std::move(openPreview); }
    app::Prompter& prompter() { return m_context.prompter; }

    // "Declaraciones Enviadas" or "Declaraciones Registradas".
    QString caption() const;
    QStringList columnCaptions() const;
    QStringList cells(int row) const;

    // Reads the list again; a failed read is shown and leaves it empty.
    void load();
    const QList<Row>& rows() const { return m_rows; }
    int current() const { return m_current; }
    void select(int row);

    bool withAnnexes() const { return m_withAnnexes; }
    void setWithAnnexes(bool with) { m_withAnnexes = with; }

    // The name a PDF of the selected declaration's report is offered under: form, RUC, period
    // and report code ("0588_20601000106_2018_RPJ098.pdf"); empty without a selection.
    QString pdfName() const;

    // Writes the selected declaration's report into the spool, announces its pages
    // ("Impresión de n páginas") and opens the preview; nothing without a selection.
    std::optional<Printed> print();
    // "&Salir".
    void close() { m_closed = true; }

    // PresentationModel
    QString windowName() const override { return kWindowName; }
    QList<app::DeclaredControl> declaredControls() override;
    bool isClosed() const override { return m_closed; }

private:
    int rowCount() const override { return static_cast<int>(m_rows.size()); }
    QStringList rowTexts(int row) const override { return cells(row); }
    int currentRow() const override { return m_current; }
    void setCurrentRow(int row) override { select(row); }

    Context m_context;
    PreviewOpener m_openPreview;
    QList<Row> m_rows;
    int m_current = -1;
    bool m_withAnnexes = false;
    bool m_closed = false;
};

} // namespace qel::printing
