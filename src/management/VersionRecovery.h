#pragma once

#include "app/PresentationModel.h"
#include "management/SentVersionRow.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace qel::app {
class Prompter;
}

namespace qel::store {
class Database;
}

namespace qel::management {

// The recovery window FrmRecuperar without its window: the source data of the chosen sent
// version, its progress and "&Recuperar", which makes that version the active declaration of
// the period again, marked inconsistent until it is saved through the declaration form. Its
// controls: the read-only boxes of the source version (txtRuc, txtRazonSocial, txtNroOrden,
// txtFechaEnvio), the progress bar ProgressBar1 ("DONE/TOTAL"), cmdRecuperar and cmdSalir.
class VersionRecovery : public app::PresentationModel {
public:
    struct Context {
        store::Database& db;
        app::Prompter& prompter;
        QString periodo;
        QString formulario;
        QString sysUser; // who the declaration is held for while the version is copied
    };

    // Told after each table copied: how many of how many.
    using Progress = std::function<void(int done, int total)>;

    static const QString kWindowName;        // "FrmRecuperar"
    static const QString kCaption;           // "Recuperar Declaración"
    static const QString kOverwriteQuestion; // the active declaration would be replaced
    static const QString kRecovered;
    static const QString kNotRecovered;

    VersionRecovery(Context context, SentVersionRow source);

    // What the window is opened with: the version's RUC, name, order number, send date, check
    // code and correlative, as the form launcher's key values.
    static QStringList keyValuesOf(const SentVersionRow& version);
    static SentVersionRow versionOf(const QStringList& keyValues);

    const SentVersionRow& source() const { return m_source; }
    void setProgress(Progress progress) { m_progress = std::move(progress); }
    int progressValue() const { return m_done; }
    int progressMaximum() const { return m_total; }

    // RecoverVersion: asks before replacing an active declaration, then in one transaction
    // replaces the declaration's rows of every table envio_t lists by the version's rows
    // (CAB with ESTADO 9). Answers true when the version was copied; anything else (No, an
    // engine error, a version no longer there) leaves every table as it was.
    bool RecoverVersion(const QString& formulario, const QString& ruc, const QString& periodo, const QString& correl);

    // "&Recuperar": RecoverVersion for the source version, then its message.
    bool recover();
    // "&Salir".
    void leave() { m_closed = true; }

    // PresentationModel
    QString windowName() const override { return kWindowName; }
    QList<app::DeclaredControl> declaredControls() override;
    bool isClosed() const override { return m_closed; }

private:
    void tell(int done, int total);

    Context m_context;
    SentVersionRow m_source;
    Progress m_progress;
    int m_done = 0;
    int m_total = 0;
    bool m_closed = false;
};

} // namespace qel::management
