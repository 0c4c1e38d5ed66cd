#include "annexes/ui/AnnexDetailWindow.h"

#include "catalogue/AnnexControls.h"
#include "declaration/ui/GuardedLineEdit.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace qel::annexes::ui {

namespace {

using declaration::GuardedLineEdit;

// Fields beyond this number are laid out in two columns.
constexpr int kOneColumn = 10;

} // namespace

AnnexDetailWindow::AnnexDetailWindow(const AnnexDef& def, AnnexContext context, const app::FormRequest& request,
                                     QWidget* parent)
    : AnnexDetailWindow(std::make_unique<AnnexDetailModel>(def, context, request), parent) {}

AnnexDetailWindow::AnnexDetailWindow(std::unique_ptr<AnnexDetailModel> model, QWidget* parent)
    : QDialog(parent), m_model(std::move(model)) {
    const AnnexDef& def = m_model->def();
    setObjectName(def.window);
    setWindowTitle(m_model->caption());
    setModal(true);
    build();
    connect(m_model.get(), &AnnexDetailModel::fieldChanged, this, &AnnexDetailWindow::refresh);
    connect(m_model.get(), &AnnexDetailModel::focusRequested, this, &AnnexDetailWindow::focusControl);
    connect(m_model.get(), &AnnexDetailModel::closed, this, [this] { QDialog::accept(); });
    for (const AnnexField& f : def.fields) {
        refresh(f.control);
    }
}

void AnnexDetailWindow::build() {
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    const QList<AnnexField>& fields = m_model->def().fields;
    const int perColumn = fields.size() > kOneColumn ? static_cast<int>((fields.size() + 1) / 2) : kOneColumn;
    for (int i = 0; i < fields.size(); ++i) {
        const AnnexField& f = fields.at(i);
        auto* label = new QLabel(f.label, this);
        label->setObjectName(QStringLiteral("lbl_") + f.control);
        QWidget* control = makeControl(f);
        label->setBuddy(control);
        const int row = i % perColumn;
        const int column = (i / perColumn) * 2;
        grid->addWidget(label, row, column);
        grid->addWidget(control, row, column + 1);
    }
    layout->addLayout(grid);
    if (m_model->childRows() != nullptr) {
        buildChildGrid(layout);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (const auto& [window, caption] : m_model->def().opens) {
        auto* button = new QPushButton(caption, this);
        const QString command = AnnexDetailModel::commandOf(window);
        button->setObjectName(command);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, command] { m_model->click(command); });
        buttons->addWidget(button);
    }
    const QList<std::pair<int, QString>> actions = {{0, QStringLiteral("&Grabar")}, {1, QStringLiteral("&Salir")}};
    for (const auto& [index, caption] : actions) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QStringLiteral("cmdAccion_%1").arg(index));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this,
                [this, index = index] { m_model->click(controls::kActions, index); });
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
}

// The rows that belong to this window's row, with their own add, modify and delete buttons.
void AnnexDetailWindow::buildChildGrid(QVBoxLayout* layout) {
    const AnnexGridDef& def = *m_model->childGrid();
    AnnexGridModel* rows = m_model->childRows();
    auto* view = new QTableView(this);
    view->setObjectName(def.grid);
    view->setModel(rows);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->verticalHeader()->hide();
    view->setMinimumHeight(120);
    view->setMinimumWidth(760);
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [rows](const QModelIndex& current) { rows->select(current.isValid() ? current.row() : -1); });
    connect(rows, &QAbstractItemModel::modelReset, view, [view, rows] {
        view->resizeColumnsToContents();
        if (rows->current() >= 0) {
            view->selectRow(rows->current());
        }
    });
    view->resizeColumnsToContents();
    layout->addWidget(view);
    auto* buttons = new QHBoxLayout;
    const QList<std::pair<int, QString>> actions = {
        {0, QStringLiteral("&Nuevo")}, {1, QStringLiteral("&Modificar")}, {2, QStringLiteral("&Eliminar")}};
    for (const auto& [index, caption] : actions) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QStringLiteral("%1_%2").arg(def.array).arg(index));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, index = index] { m_model->clickChild(index); });
        buttons->addWidget(button);
    }
    buttons->addStretch();
    layout->addLayout(buttons);
}

QWidget* AnnexDetailWindow::makeControl(const AnnexField& f) {
    const QString name = f.control;
    QWidget* control = nullptr;
    switch (f.kind) {
    case FieldKind::Combo:
    case FieldKind::DocType: {
        auto* combo = new QComboBox(this);
        combo->setMinimumContentsLength(30);
        connect(combo, &QComboBox::activated, this, [this, combo, name](int index) {
            if (!m_refreshing) {
                m_model->choose(name, combo->itemData(index).toString());
            }
        });
        control = combo;
        break;
    }
    case FieldKind::Option: {
        auto* holder = new QWidget(this);
        auto* row = new QHBoxLayout(holder);
        row->setContentsMargins(0, 0, 0, 0);
        auto* group = new QButtonGroup(holder);
        for (const AnnexItem& item : m_model->state(name).items) {
            auto* button = new QRadioButton(item.text, holder);
            button->setObjectName(name + QLatin1Char('_') + item.code);
            button->setProperty("code", item.code);
            group->addButton(button);
            row->addWidget(button);
        }
        row->addStretch();
        connect(group, &QButtonGroup::buttonClicked, this, [this, name](QAbstractButton* button) {
            if (!m_refreshing) {
                m_model->choose(name, button->property("code").toString());
            }
        });
        m_groups.insert(name, group);
        control = holder;
        break;
    }
    case FieldKind::Check: {
        auto* check = new QCheckBox(this);
        connect(check, &QCheckBox::clicked, this,
                [this, name](bool on) { m_model->choose(name, on ? QStringLiteral("1") : QStringLiteral("0")); });
        control = check;
        break;
    }
    default: {
        auto* edit = new GuardedLineEdit(this);
        if (f.kind == FieldKind::Date) {
            edit->setInputMask(QStringLiteral("99/99/9999;_"));
        } else {
            edit->setKeyFilter([this, name](QChar typed) { return m_model->filterKey(name, typed); });
        }
        if (f.kind == FieldKind::Amount || f.kind == FieldKind::Percentage) {
            edit->setAlignment(Qt::AlignRight);
        }
        // A description or a name shows up to 40 characters without scrolling.
        if (f.kind == FieldKind::Text && f.maxLength > 15) {
            edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * std::min(f.maxLength, 40) + 12);
        }
        connect(edit, &QLineEdit::textEdited, this, [this, name](const QString& text) {
            if (!m_refreshing) {
                m_model->setText(name, text);
            }
        });
        connect(edit, &GuardedLineEdit::enterPressed, this, [this] { focusNextChild(); });
        control = edit;
        break;
    }
    }
    control->setObjectName(name);
    m_controls.insert(name, control);
    return control;
}

void AnnexDetailWindow::refresh(const QString& control) {
    QWidget* widget = m_controls.value(control);
    if (widget == nullptr) {
        return;
    }
    const FieldState& s = m_model->state(control);
    m_refreshing = true;
    widget->setEnabled(s.enabled);
    if (auto* label = findChild<QLabel*>(QStringLiteral("lbl_") + control)) {
        label->setText(s.label);
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        bool same = combo->count() == s.items.size();
        for (int i = 0; same && i < s.items.size(); ++i) {
            same = combo->itemData(i).toString() == s.items.at(i).code;
        }
        if (!same) {
            combo->clear();
            for (const AnnexItem& item : s.items) {
                combo->addItem(item.text, item.code);
            }
        }
        combo->setCurrentIndex(s.code.isEmpty() ? -1 : combo->findData(s.code));
    } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
        check->setChecked(s.code == QStringLiteral("1"));
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        QString shown = edit->text();
        if (!edit->inputMask().isEmpty()) {
            shown.remove(QLatin1Char('_')).remove(QLatin1Char(' '));
            if (shown == QStringLiteral("//")) {
                shown.clear();
            }
        }
        if (shown != s.text) {
            edit->setText(s.text);
        }
    } else if (QButtonGroup* group = m_groups.value(control)) {
        group->setExclusive(false);
        for (QAbstractButton* button : group->buttons()) {
            button->setChecked(button->property("code").toString() == s.code);
        }
        group->setExclusive(true);
    }
    m_refreshing = false;
}

void AnnexDetailWindow::focusControl(const QString& control) {
    if (QWidget* widget = m_controls.value(control)) {
        widget->setFocus();
    }
}

void AnnexDetailWindow::reject() {
    m_model->salir();
}

void AnnexDetailWindow::closeEvent(QCloseEvent* event) {
    if (!m_model->isClosed()) {
        m_model->salir();
    }
    if (m_model->isClosed()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void AnnexDetailWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    focusControl(m_model->focus());
}

} // namespace qel::annexes::ui
