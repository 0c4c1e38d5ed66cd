#include "declaration/ui/frmUbigeo.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qel::declaration {

namespace {

constexpr int kCodeColumn = 1;
constexpr int kRoleRow = Qt::UserRole; // the item's row in the model

} // namespace

frmUbigeo::frmUbigeo(store::Database& db, app::Prompter& prompter, const QString& zone, const QString& current,
                     QWidget* parent)
    : frmUbigeo(std::make_unique<UbigeoModel>(db, prompter, zone, current), parent) {}

frmUbigeo::frmUbigeo(std::unique_ptr<UbigeoModel> model, QWidget* parent) : QDialog(parent), m_model(std::move(model)) {
    setObjectName(UbigeoModel::kWindowName);
    setWindowTitle(m_model->title());

    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("Seleccione el departamento, la provincia y el distrito :"), this);
    layout->addWidget(label);

    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("trvUbigeo"));
    m_tree->setColumnCount(2);
    m_tree->setHeaderLabels({QStringLiteral("Departamento / Provincia / Distrito"), QStringLiteral("Ubigeo")});
    m_tree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_tree->header()->setSectionResizeMode(kCodeColumn, QHeaderView::ResizeToContents);
    m_tree->header()->setStretchLastSection(false);
    layout->addWidget(m_tree, 1);

    auto* buttons = new QDialogButtonBox(this);
    auto* accept = buttons->addButton(QStringLiteral("&Aceptar"), QDialogButtonBox::AcceptRole);
    accept->setObjectName(QStringLiteral("cmdAceptar"));
    accept->setDefault(true);
    auto* cancel = buttons->addButton(QStringLiteral("&Cancelar"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdCancelar"));
    layout->addWidget(buttons);

    fill();
    connect(accept, &QPushButton::clicked, this, &frmUbigeo::aceptar);
    connect(cancel, &QPushButton::clicked, this, [this] {
        m_model->cancel();
        reject();
    });
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        m_model->setCurrent(item != nullptr ? item->data(0, kRoleRow).toInt() : -1);
    });
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (item != nullptr && item->childCount() == 0) {
            aceptar();
        }
    });

    resize(460, 480);
}

// The model's rows in order become the tree: each row hangs under the last row one level up.
void frmUbigeo::fill() {
    QList<QTreeWidgetItem*> parents;
    const QList<UbigeoPicker::Place>& places = m_model->places();
    for (int row = 0; row < places.size(); ++row) {
        const int depth = m_model->depth(row);
        parents.resize(depth);
        const QStringList texts{places.at(row).name, places.at(row).code};
        auto* item =
            parents.isEmpty() ? new QTreeWidgetItem(m_tree, texts) : new QTreeWidgetItem(parents.last(), texts);
        item->setData(0, kRoleRow, row);
        parents.append(item);
    }
    showCurrent();
}

void frmUbigeo::showCurrent() {
    const QString code = m_model->current() >= 0 ? m_model->places().at(m_model->current()).code : QString();
    const QList<QTreeWidgetItem*> found =
        code.isEmpty() ? QList<QTreeWidgetItem*>()
                       : m_tree->findItems(code, Qt::MatchExactly | Qt::MatchRecursive, kCodeColumn);
    if (found.isEmpty()) {
        return;
    }
    QTreeWidgetItem* item = found.first();
    for (QTreeWidgetItem* parent = item->parent(); parent != nullptr; parent = parent->parent()) {
        parent->setExpanded(true);
    }
    m_tree->setCurrentItem(item);
    m_tree->scrollToItem(item);
}

bool frmUbigeo::selectCode(const QString& code) {
    const int row = m_model->rowOf(code);
    if (row < 0) {
        return false;
    }
    m_model->setCurrent(row);
    showCurrent();
    return true;
}

void frmUbigeo::aceptar() {
    m_model->accept();
    if (m_model->isClosed()) {
        accept();
    }
}

} // namespace qel::declaration
