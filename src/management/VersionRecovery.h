#pragma once

#include "management/SentVersionRow.h"

#include <QString>
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
// the period again, marked inconsistent until it is saved through the declaration form.
class VersionRecovery {
public:
    struct Context {
        store::Database& db;
        app::Prompter& prompter;
        QString periodo;
        QString formulario;
    };

    // Told after each table copied: how many of how many.
    using Progress = std::function<void(int done, int total)>;

    static const QString kCaption;           // "Recuperar Declaración"
    static const QString kOverwriteQuestion; // the active declaration would be replaced
    static const QString kRecovered;
    static const QString kNotRecovered;

    VersionRecovery(Context context, SentVersionRow source);

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

private:
    void tell(int done, int total);

    Context m_context;
    SentVersionRow m_source;
    Progress m_progress;
    int m_done = 0;
    int m_total = 0;
};

} // namespace qel::management
