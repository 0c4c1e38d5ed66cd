#include "declaration/ui/TabRowStrip.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QMap>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace qel::declaration {

namespace {

// A page button as wide as it is when it is the current page (bold), so that choosing a page
// moves no button of the strip.
class PageButton : public QToolButton {
public:
    PageButton(const QString& caption, QWidget* parent) : QToolButton(parent) {
        setText(caption);
        QFont bold = font();
        bold.setBold(true);
        setFont(bold);
        m_width = QToolButton::sizeHint().width();
        bold.setBold(false);
        setFont(bold);
    }
    QSize sizeHint() const override {
        const QSize hint = QToolButton::sizeHint();
        return {std::max(hint.width(), m_width), hint.height()};
    }

private:
    int m_width = 0;
};

} // namespace

TabRowStrip::TabRowStrip(QTabWidget* tabs, int width, QWidget* parent)
    : QWidget(parent), m_tabs(tabs), m_buttons(new QButtonGroup(this)) {
    setObjectName(tabs->objectName() + QStringLiteral("_tabs"));
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(2);
    QList<QToolButton*> buttons;
    QMap<QString, QList<int>> pagesByKey;
    int total = 0;
    for (int i = 0; i < tabs->count(); ++i) {
        auto* button = new PageButton(tabs->tabText(i), this);
        button->setObjectName(tabs->objectName() + QStringLiteral("_tab%1").arg(i));
        button->setToolTip(tabs->tabToolTip(i));
        button->setCheckable(true);
        button->setFocusPolicy(Qt::NoFocus); // reached by mouse, access key or Ctrl+PgDn/PgUp
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        m_buttons->addButton(button, i);
        buttons.append(button);
        button->setShortcut(QKeySequence()); // the strip handles the access keys itself
        const QKeySequence accessKey = QKeySequence::mnemonic(tabs->tabText(i));
        if (!accessKey.isEmpty()) {
            pagesByKey[accessKey.toString()].append(i);
        }
        total += button->sizeHint().width() + rows->spacing();
    }
    // Rows of about equal width, none wider than the tab control.
    const int rowCount = std::max(1, (total + width - 1) / std::max(width, 1));
    const int target = total / rowCount;
    QHBoxLayout* row = nullptr;
    int used = 0;
    for (QToolButton* button : std::as_const(buttons)) {
        const int needed = button->sizeHint().width() + rows->spacing();
        if (row == nullptr || used + needed > width || (used >= target * 9 / 10 && used + needed / 2 > target)) {
            row = new QHBoxLayout;
            row->setSpacing(2);
            rows->addLayout(row);
            used = 0;
        }
        row->addWidget(button);
        used += needed;
    }
    // Access keys, alive while the strip shows. Two pages may share one ("Impuest&o ...",
    // "Información C&omplement."): the key then goes from one to the next.
    for (auto it = pagesByKey.cbegin(); it != pagesByKey.cend(); ++it) {
        auto* shortcut = new QShortcut(QKeySequence(it.key()), this);
        const QList<int> pages = it.value();
        auto select = [tabs, pages] {
            auto next =
                std::find_if(pages.cbegin(), pages.cend(), [tabs](int page) { return page > tabs->currentIndex(); });
            tabs->setCurrentIndex(next != pages.cend() ? *next : pages.first());
        };
        connect(shortcut, &QShortcut::activated, tabs, select);
        connect(shortcut, &QShortcut::activatedAmbiguously, tabs, select);
    }
    tabs->tabBar()->hide();
    // Like a tab, a button selects its page as soon as it is pressed (an access key too).
    connect(m_buttons, &QButtonGroup::idPressed, tabs, &QTabWidget::setCurrentIndex);
    connect(tabs, &QTabWidget::currentChanged, this, &TabRowStrip::showCurrent);
    showCurrent();
}

void TabRowStrip::showCurrent() {
    for (QAbstractButton* button : m_buttons->buttons()) {
        const bool current = m_buttons->id(button) == m_tabs->currentIndex();
        button->setChecked(current);
        QFont font = button->font();
        if (font.bold() != current) {
            font.setBold(current);
            button->setFont(font);
        }
    }
}

} // namespace qel::declaration
