#include "declaration/ui/frmUbigeo.h"

#include "base/Prompter.h"
#include "declaration/model/UbigeoPicker.h"
#include "store/DatabaseError.h"
#include "store/ExecuteSql.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qel::declaration {

namespace {

constexpr int kCodeColumn = 1;

} // namespace

frmUbigeo::frmUbigeo(store::Database& db, app::Prompter& prompter, const QString& zone, const QString& current,
                     QWidget* parent)
    : QDialog(parent), m_db(db), m_prompter(prompter), m_zone(zone.trimmed()) {
    setObjectName(QStringLiteral("frmUbigeo"));
    setWindowTitle(UbigeoPicker::title(m_zone));

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

    connect(accept, &QPushButton::clicked, this, &frmUbigeo::aceptar);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (item != nullptr && item->childCount() == 0) {
            aceptar();
        }
    });

    resize(460, 480);
    fill(current);
}

void frmUbigeo::fill(const QString& current) {
    QList<UbigeoPicker::Department> departments;
    try {
        departments = UbigeoPicker(m_db).places(m_zone);
    } catch (const store::DatabaseError& error) {
        store::showDatabaseError(m_prompter, error);
    }
    const auto item = [](QTreeWidgetItem* parent, const UbigeoPicker::Place& place) {
        auto* node = new QTreeWidgetItem(parent, {place.name, place.code});
        node->setData(0, Qt::UserRole, place.code);
        return node;
    };
    for (const UbigeoPicker::Department& department : departments) {
        auto* top = new QTreeWidgetItem(m_tree, {department.place.name, department.place.code});
        top->setData(0, Qt::UserRole, department.place.code);
        for (const UbigeoPicker::Province& province : department.provinces) {
            QTreeWidgetItem* middle = item(top, province.place);
            for (const UbigeoPicker::Place& district : province.districts) {
                item(middle, district);
            }
        }
    }
    if (!current.trimmed().isEmpty()) {
        selectCode(current.trimmed());
    }
}

bool frmUbigeo::selectCode(const QString& code) {
    const QList<QTreeWidgetItem*> found = m_tree->findItems(code, Qt::MatchExactly | Qt::MatchRecursive, kCodeColumn);
    if (found.isEmpty()) {
        return false;
    }
    QTreeWidgetItem* item = found.first();
    for (QTreeWidgetItem* parent = item->parent(); parent != nullptr; parent = parent->parent()) {
        parent->setExpanded(true);
    }
    m_tree->setCurrentItem(item);
    m_tree->scrollToItem(item);
    return true;
}

QString frmUbigeo::selectedCode() const {
    const QTreeWidgetItem* item = m_tree->currentItem();
    return item != nullptr && item->isSelected() ? item->data(0, Qt::UserRole).toString() : QString();
}

void frmUbigeo::aceptar() {
    const QString code = selectedCode();
    if (UbigeoPicker(m_db).confirm(m_zone, code, m_prompter)) {
        m_result = code;
        accept();
    }
}

} // namespace qel::declaration
