#include "management/SentListScript.h"

#include "app/FormOpener.h"
#include "management/VersionRecovery.h"

namespace qel::management {

const QString SentListScript::kWindowName = QStringLiteral("FrmContAbrirEnv");

namespace {
const QString kLabel = QStringLiteral("lblMensaje");
const QString kGrid = QStringLiteral("grdContrib");
const QString kButtons = QStringLiteral("CmdOpciones");
constexpr int kRun = 0;
constexpr int kLeave = 1;
constexpr int kView = 2;
} // namespace

SentListScript::SentListScript(SentDeclarationList::Context context, SentDeclarationList::FormOpener openForm,
                               app::FormOpener& launcher)
    : m_list(std::move(context)) {
    m_list.pCargadatos();
    // The version in the form: the script goes on with the form, the list is done.
    m_list.setFormOpener([this, openForm = std::move(openForm)](int mode, const QVariantList& arguments) {
        if (openForm) {
            openForm(mode, arguments);
        }
        m_closed = true;
    });
    m_list.setRecoveryOpener([&launcher](const SentVersionRow& version) {
        app::FormRequest request;
        request.name = VersionRecovery::kWindowName;
        request.keyValues = VersionRecovery::keyValuesOf(version);
        launcher.open(request);
    });
}

QList<app::ControlInfo> SentListScript::controls() const {
    return {{kLabel, QStringLiteral("label")}, {kGrid, QStringLiteral("grid")}, {kButtons, QStringLiteral("command")}};
}

void SentListScript::requireControl(const QString& control) const {
    if (control != kLabel && control != kGrid && control != kButtons) {
        throw app::ScriptError{QStringLiteral("la ventana %1 no tiene el control %2").arg(kWindowName, control)};
    }
}

bool SentListScript::text(const QString& control, const QString&) {
    requireControl(control);
    throw app::ScriptError{QStringLiteral("%1 no es una caja de texto").arg(control)};
}

bool SentListScript::choose(const QString& control, const QString&) {
    requireControl(control);
    throw app::ScriptError{QStringLiteral("%1 no es una lista").arg(control)};
}

bool SentListScript::click(const QString& control, int index) {
    requireControl(control);
    if (control != kButtons) {
        throw app::ScriptError{QStringLiteral("%1 no es un botón").arg(control)};
    }
    switch (index) {
    case kRun:
        m_list.runOperation();
        return true;
    case kLeave:
        m_list.leave();
        m_closed = true;
        return true;
    case kView:
        m_list.view();
        return true;
    default:
        throw app::ScriptError{QStringLiteral("%1 no tiene el botón %2 (0 a 2)").arg(control).arg(index)};
    }
}

QString SentListScript::state(const QString& control) const {
    requireControl(control);
    if (control == kLabel) {
        return QLatin1Char('"') + m_list.labelCaption() + QLatin1Char('"');
    }
    if (control == kGrid) {
        return QString::number(rowCount()) +
               (m_list.isEmpty() ? QStringLiteral(" disabled") : QStringLiteral(" enabled"));
    }
    return QStringLiteral("{0,1,2}");
}

app::GridSource* SentListScript::grid(const QString& name) {
    return name == kGrid ? this : nullptr;
}

int SentListScript::rowCount() const {
    return static_cast<int>(m_list.rows().size());
}

QStringList SentListScript::rowTexts(int row) const {
    QStringList texts;
    for (int column = 0; column < SentDeclarationList::columnCaptions().size(); ++column) {
        texts.append(m_list.cell(row, column).trimmed());
    }
    return texts;
}

} // namespace qel::management
