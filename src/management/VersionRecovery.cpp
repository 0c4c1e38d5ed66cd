#include "management/VersionRecovery.h"

#include "base/Prompter.h"
#include "store/Database.h"
#include "store/DeclarationLock.h"
#include "store/ExecuteSql.h"
#include "store/SentVersions.h"
#include "store/WorkingCopies.h"

namespace qel::management {

const QString VersionRecovery::kWindowName = QStringLiteral("FrmRecuperar");
const QString VersionRecovery::kCaption = QStringLiteral("Recuperar Declaración");
const QString VersionRecovery::kOverwriteQuestion =
    QStringLiteral("Periodo destino ya tiene una declaración activa. ¿Desea sobreescribirla?");
const QString VersionRecovery::kRecovered =
    QStringLiteral("Se termino de recuperar la información satisfactoriamente.");
const QString VersionRecovery::kNotRecovered = QStringLiteral("No se recupero la información.");

namespace {
const QString kCab = QStringLiteral("CAB");
constexpr int kInconsistent = 9;
} // namespace

VersionRecovery::VersionRecovery(Context context, SentVersionRow source)
    : m_context(std::move(context)), m_source(std::move(source)) {}

bool VersionRecovery::RecoverVersion(const QString& formulario, const QString& ruc, const QString& periodo,
                                     const QString& correl) {
    store::Database& db = m_context.db;
    const store::DeclarationKey key{ruc.trimmed(), periodo, formulario};
    try {
        // A version deleted since the list was read would leave the period with nothing.
        if (!store::VersionExists(db, key, correl)) {
            return false;
        }
        const store::SqlFilter active = key.filter();
        const bool hasActive =
            db.scalar(QStringLiteral("SELECT count(*) FROM CAB") + active.text, active.values).toInt() > 0;
        if (hasActive && !m_context.prompter.askYesNo(kOverwriteQuestion, QStringLiteral("Recuperar"), app::Button::No,
                                                      app::Icon::Question)) {
            return false;
        }
    } catch (const store::DatabaseError& error) {
        store::showDatabaseError(m_context.prompter, error);
        return false;
    }
    const auto held = store::DeclarationLock::forChange(db, m_context.prompter, key, m_context.sysUser, kCaption);
    if (!held) {
        return false;
    }

    return store::runAtomically(db, m_context.prompter, [&] {
        const QStringList tables = store::SentTables(db, formulario);
        if (tables.isEmpty()) {
            throw store::DatabaseError(
                -1, QStringLiteral("La tabla envio_t no lista las tablas del formulario %1.").arg(formulario));
        }
        const int total = static_cast<int>(tables.size());
        tell(0, total);
        for (int i = 0; i < total; ++i) {
            const QString& table = tables.at(i);
            store::DeleteDeclarationRows(db, table, key);
            const bool header = table.compare(kCab, Qt::CaseInsensitive) == 0;
            store::CopyVersionToPermanent(db, table, key, correl,
                                          header ? QVariantMap{{QStringLiteral("ESTADO"), kInconsistent}}
                                                 : QVariantMap{});
            tell(i + 1, total);
        }
        store::announceChange(db, key.ruc);
    });
}

bool VersionRecovery::recover() {
    const bool recovered =
        RecoverVersion(m_context.formulario, m_source.ruc, m_context.periodo, m_source.correl.trimmed());
    m_context.prompter.message(recovered ? kRecovered : kNotRecovered, kCaption, app::Icon::Exclamation);
    return recovered;
}

QStringList VersionRecovery::keyValuesOf(const SentVersionRow& version) {
    return {version.ruc, version.nombre, version.norden, version.fecEnv, version.control, version.correl};
}

SentVersionRow VersionRecovery::versionOf(const QStringList& keyValues) {
    SentVersionRow version;
    version.ruc = keyValues.value(0);
    version.nombre = keyValues.value(1);
    version.norden = keyValues.value(2);
    version.fecEnv = keyValues.value(3);
    version.control = keyValues.value(4);
    version.correl = keyValues.value(5);
    return version;
}

QList<app::DeclaredControl> VersionRecovery::declaredControls() {
    QList<app::DeclaredControl> controls;
    const QList<std::pair<QString, const QString*>> boxes = {{QStringLiteral("txtRuc"), &m_source.ruc},
                                                             {QStringLiteral("txtRazonSocial"), &m_source.nombre},
                                                             {QStringLiteral("txtNroOrden"), &m_source.norden},
                                                             {QStringLiteral("txtFechaEnvio"), &m_source.fecEnv}};
    for (const auto& entry : boxes) {
        const QString* text = entry.second;
        app::DeclaredControl box(entry.first, QStringLiteral("text"));
        box.type = [](const QString&) { return false; }; // read-only
        box.state = [text] { return QLatin1Char('"') + text->trimmed() + QStringLiteral("\" disabled"); };
        controls.append(box);
    }
    app::DeclaredControl progress(QStringLiteral("ProgressBar1"), QStringLiteral("label"));
    progress.state = [this] { return QStringLiteral("\"%1/%2\"").arg(m_done).arg(m_total); };
    controls.append(progress);
    app::DeclaredControl recoverButton(QStringLiteral("cmdRecuperar"), QStringLiteral("command"));
    recoverButton.click = [this](int) {
        recover();
        return true;
    };
    recoverButton.state = [] { return QStringLiteral("{0}"); };
    controls.append(recoverButton);
    app::DeclaredControl leaveButton(QStringLiteral("cmdSalir"), QStringLiteral("command"));
    leaveButton.click = [this](int) {
        leave();
        return true;
    };
    leaveButton.state = [] { return QStringLiteral("{0}"); };
    controls.append(leaveButton);
    return controls;
}

void VersionRecovery::tell(int done, int total) {
    m_done = done;
    m_total = total;
    if (m_progress) {
        m_progress(done, total);
    }
}

} // namespace qel::management
