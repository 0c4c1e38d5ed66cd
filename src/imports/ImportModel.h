#pragma once

#include "app/FormRequest.h"
#include "app/PresentationModel.h"
#include "imports/ImportKind.h"
#include "imports/Importer.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

namespace qel::app {
class Clock;
class FileChooser;
class FormOpener;
class Prompter;
class UtilityComponent;
} // namespace qel::app

namespace qel::store {
class Database;
}

namespace qel::imports {

// What an import window is made with.
struct ImportServices {
    store::Database& db;
    app::Prompter& prompter;
    const app::Clock& clock;
    app::FormOpener& opener;
    app::FileChooser* files;
    app::UtilityComponent& utility;
    QString sysUser;
    QString spoolFolder; // where the error reports go
};

// The import windows frmImportarSocios, frmImportarCasEF and frmImportarGastoPresent without
// their widgets: the folder, the files of the kind in it, "Transferir" that shows first what the
// file would do (rows to add, to modify, to reject with line and message), and "Aceptar" that
// writes it, counts and then says "Carga satisfactoria" or opens the error report.
class ImportModel : public QObject, public app::PresentationModel, private app::GridSource {
    Q_OBJECT
public:
    static const QString kNoFileChosen;    // "Debe seleccionar el archivo a importar"
    static const QString kNoFilesInFolder; // "En el directorio no existen archivos a importar."
    static const QString kFolderBox;       // txtCarpeta
    static const QString kFiles;           // lstArchivos
    static const QString kPreview;         // grdVistaPrevia

    // The kind of the window asked for: its own for the partner and balance windows, the
    // request's code for frmImportarGastoPresent. nullptr for an unknown one.
    static const ImportKind* kindFor(const app::FormRequest& request);

    ImportModel(ImportServices services, const ImportKind& kind, app::FormRequest request);

    const ImportKind& kind() const { return m_kind; }
    QString caption() const;
    QString folder() const { return m_folder; }
    // Shows the files of the kind in the folder (the message when there are none).
    void setFolder(const QString& folder);
    // Asks for the folder through the file chooser.
    void chooseFolder();
    const QStringList& files() const { return m_files; }
    int chosenFile() const { return m_chosen; }
    void chooseFile(int index);

    // "Transferir": the dry run of the chosen file. False when nothing could be shown (no file,
    // a structural fault, an unreadable file); the message was given.
    bool transfer();
    // The dry run's outcome, waiting for "Aceptar".
    const std::optional<ImportResult>& pending() const { return m_pending; }
    // The lines the preview grid shows: the dry run's, and once accepted what was written, so
    // that the rejected lines stay in view beside their report.
    int previewRowCount() const;
    QStringList previewRow(int row) const;
    // "Aceptar": writes what the dry run showed, then the counters, the message or the report.
    bool accept();
    // The counters of the last import written; empty again from the next dry run on.
    const QStringList& counters() const { return m_counters; }
    void close() { m_closed = true; }

    // PresentationModel
    QString windowName() const override { return m_kind.window; }
    QList<app::DeclaredControl> declaredControls() override;
    bool isClosed() const override { return m_closed; }

signals:
    void changed();

private:
    void showFolder(const QString& folder, bool sayWhenEmpty);
    // GridSource of the preview
    int rowCount() const override { return previewRowCount(); }
    QStringList rowTexts(int row) const override { return previewRow(row); }
    int currentRow() const override { return m_previewRow; }
    void setCurrentRow(int row) override { m_previewRow = row; }

    // The files of the folder as a one-column grid.
    class FileList : public app::GridSource {
    public:
        explicit FileList(ImportModel& model) : m_model(model) {}
        int rowCount() const override { return static_cast<int>(m_model.m_files.size()); }
        QStringList rowTexts(int row) const override { return {m_model.m_files.value(row)}; }
        int currentRow() const override { return m_model.m_chosen; }
        void setCurrentRow(int row) override { m_model.chooseFile(row); }

    private:
        ImportModel& m_model;
    };

    std::optional<QByteArray> readChosen();
    ImportResult runImport(const QByteArray& bytes, bool write);
    const ImportResult* shown() const;
    // Another folder, file or dry run: nothing of the previous file stays on show.
    void forgetRun();
    void writeReport(const ImportResult& result);
    QString casilla() const;

    ImportServices m_services;
    const ImportKind& m_kind;
    app::FormRequest m_request;
    QString m_folder;
    QStringList m_files;
    int m_chosen = -1;
    std::optional<QByteArray> m_pendingBytes;
    std::optional<ImportResult> m_pending;
    std::optional<ImportResult> m_written; // the accepted run, shown until the next dry run
    int m_previewRow = -1;
    QStringList m_counters;
    bool m_closed = false;
    FileList m_fileList{*this};
};

} // namespace qel::imports
