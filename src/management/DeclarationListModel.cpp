#include "management/DeclarationListModel.h"

#include "app/FormOpener.h"
#include "management/VersionRecovery.h"
#include "store/DeclarationKey.h"
#include "store/ExecuteSql.h"

namespace qel::management {

const QString DeclarationListModel::kStoredWindow = QStringLiteral("FrmContAbrir");
const QString DeclarationListModel::kSentWindow = QStringLiteral("FrmContAbrirEnv");
const QString DeclarationListModel::kModifyCode = QStringLiteral("1");
const QString DeclarationListModel::kDeleteCode = QStringLiteral("3");
const QString DeclarationListModel::kRecoverCode = QStringLiteral("R");

namespace {

const QString kLabel = QStringLiteral("lblMensaje");
const QString kGrid = QStringLiteral("grdContrib");
const QString kButtons = QStringLiteral("CmdOpciones");
constexpr int kRun = 0;
constexpr int kLeave = 1;
constexpr int kView = 2;

const QString kDeclarationForm = QStringLiteral("Frm537");

QString quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

DeclarationListModel::DeclarationListModel(Which which, const Context& context, const QString& code,
                                           FormOpener formOpener, app::FormOpener* windows)
    : m_which(which), m_prompter(context.prompter), m_openForm(std::move(formOpener)), m_windows(windows) {
    const QString kind = code.trimmed();
    if (which == Which::Stored) {
        m_stored = std::make_unique<DeclarationList>(
            DeclarationList::Context{context.db, context.prompter, context.status, context.periodo, context.formulario,
                                     context.userKind, context.sysUser},
            kind == kDeleteCode ? DeclarationList::Delete : DeclarationList::Modify,
            [this](int mode, const QVariantList& arguments) { openForm(mode, arguments); });
    } else {
        m_sent = std::make_unique<SentDeclarationList>(SentDeclarationList::Context{
            context.db, context.prompter, context.status, context.periodo, context.formulario, context.userKind,
            context.sysUser, kind == kDeleteCode ? 3 : 1, kind.compare(kRecoverCode, Qt::CaseInsensitive) == 0});
        m_sent->setFormOpener([this](int mode, const QVariantList& arguments) { openForm(mode, arguments); });
        m_sent->setRecoveryOpener([this](const SentVersionRow& version) { openRecovery(version); });
    }
    reload();
}

DeclarationListModel::~DeclarationListModel() = default;

std::optional<DeclarationListModel::Which> DeclarationListModel::listNamed(const QString& windowName) {
    if (windowName.compare(kStoredWindow, Qt::CaseInsensitive) == 0) {
        return Which::Stored;
    }
    if (windowName.compare(kSentWindow, Qt::CaseInsensitive) == 0) {
        return Which::Sent;
    }
    return std::nullopt;
}

app::FormRequest DeclarationListModel::formRequest(int mode, const QVariantList& arguments, const QString& periodo,
                                                   const QString& formulario) {
    app::FormRequest form;
    form.name = kDeclarationForm;
    form.key = store::DeclarationKey{arguments.value(0).toString(), periodo, formulario};
    form.action = mode == 1 ? app::FormRequest::kModify : app::FormRequest::kAdd;
    for (const QVariant& value : arguments) {
        form.keyValues.append(value.toString());
    }
    return form;
}

QString DeclarationListModel::windowCaption() const {
    return m_stored ? m_stored->windowCaption() : m_sent->windowCaption();
}

QString DeclarationListModel::frameCaption() const {
    return m_stored ? QStringLiteral("Declaraciones Registradas") : SentDeclarationList::kFrameCaption;
}

QString DeclarationListModel::labelCaption() const {
    return m_stored ? m_stored->labelCaption() : m_sent->labelCaption();
}

QString DeclarationListModel::buttonCaption(int index) const {
    switch (index) {
    case kRun:
        return m_stored ? m_stored->buttonCaption() : m_sent->buttonCaption();
    case kLeave:
        return QStringLiteral("&Salir");
    case kView:
        return m_sent ? QStringLiteral("&Visualizar") : QString();
    default:
        return {};
    }
}

QStringList DeclarationListModel::columnCaptions() const {
    if (m_sent) {
        return SentDeclarationList::columnCaptions();
    }
    return {QStringLiteral("RUC"), QStringLiteral("Razón Social"), QStringLiteral("Periodo"),
            QStringLiteral("Formulario"), QStringLiteral("Estado")};
}

bool DeclarationListModel::gridEnabled() const {
    return m_stored || !m_sent->isEmpty();
}

bool DeclarationListModel::isEmpty() const {
    return m_stored ? m_stored->isEmpty() : m_sent->isEmpty();
}

void DeclarationListModel::reload() {
    try {
        if (m_stored) {
            m_stored->pCargadatos();
        } else {
            m_sent->pCargadatos();
        }
    } catch (const store::DatabaseError& error) {
        store::showDatabaseError(m_prompter, error);
    }
}

bool DeclarationListModel::press(int index) {
    if (index == kLeave) {
        if (m_stored) {
            m_stored->leave();
        } else {
            m_sent->leave();
        }
        m_closed = true;
        return true;
    }
    try {
        if (index == kView && m_sent) {
            return m_sent->view();
        }
        return m_stored ? m_stored->runOperation() : m_sent->runOperation();
    } catch (const store::DatabaseError& error) {
        store::showDatabaseError(m_prompter, error);
        return false;
    }
}

bool DeclarationListModel::openForm(int mode, const QVariantList& arguments) {
    const bool formClosed = m_openForm ? m_openForm(mode, arguments) : true;
    if (!formClosed) {
        m_closed = true;
    }
    return formClosed;
}

// The recovery window on the version; the list reloads once it has closed.
void DeclarationListModel::openRecovery(const SentVersionRow& version) {
    if (m_windows == nullptr) {
        return;
    }
    app::FormRequest request;
    request.name = VersionRecovery::kWindowName;
    request.keyValues = VersionRecovery::keyValuesOf(version);
    m_windows->open(request);
}

int DeclarationListModel::rowCount() const {
    return static_cast<int>(m_stored ? m_stored->rows().size() : m_sent->rows().size());
}

QStringList DeclarationListModel::rowTexts(int row) const {
    if (row < 0 || row >= rowCount()) {
        return {};
    }
    QStringList texts;
    if (m_stored) {
        const DeclarationRow& r = m_stored->rows().at(row);
        texts = {r.ruc, r.nombre, r.periodo, r.formulario, DeclarationList::estadoText(r.estado)};
    } else {
        for (int column = 0; column < SentDeclarationList::columnCaptions().size(); ++column) {
            texts.append(m_sent->cell(row, column));
        }
    }
    for (QString& text : texts) {
        text = text.trimmed();
    }
    return texts;
}

int DeclarationListModel::currentRow() const {
    return m_stored ? m_stored->current() : m_sent->current();
}

void DeclarationListModel::setCurrentRow(int row) {
    if (m_stored) {
        m_stored->setCurrent(row);
    } else {
        m_sent->setCurrent(row);
    }
}

QString DeclarationListModel::windowName() const {
    return m_stored ? kStoredWindow : kSentWindow;
}

QList<app::DeclaredControl> DeclarationListModel::declaredControls() {
    app::DeclaredControl label(kLabel, QStringLiteral("label"));
    label.state = [this] { return quoted(labelCaption()); };

    app::DeclaredControl grid(kGrid, QStringLiteral("grid"));
    grid.grid = this;
    grid.state = [this] {
        return QString::number(rowCount()) + (gridEnabled() ? QStringLiteral(" enabled") : QStringLiteral(" disabled"));
    };

    app::DeclaredControl buttons(kButtons, QStringLiteral("command"));
    buttons.click = [this](int index) {
        const int last = buttonCount() - 1;
        if (index < 0 || index > last) {
            throw app::ScriptError{
                QStringLiteral("%1 no tiene el botón %2 (0 a %3)").arg(kButtons).arg(index).arg(last)};
        }
        press(index);
        return true;
    };
    buttons.state = [this] { return m_sent ? QStringLiteral("{0,1,2}") : QStringLiteral("{0,1}"); };

    return {label, grid, buttons};
}

} // namespace qel::management
