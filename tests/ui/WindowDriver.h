#pragma once

// What the window tests share: controls found by name and driven as a user drives them (key
// by key, with the mouse, lists chosen with the keyboard), a modal window worked on while it is
// open, and the module's own form launcher over a test database.
#include "app/ProcessState.h"
#include "app/UtilityComponent.h"
#include "app/ui/FormLauncher.h"
#include "program/FormRegistry.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>

namespace qel::test {

template <typename T = QWidget> T* child(QWidget& window, const QString& name) {
    T* widget = window.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
}

// Key by key, as a keyboard sends them (Latin-1 key codes for the accented letters).
inline void typeKeys(QWidget* widget, const QString& keys) {
    widget->setFocus(Qt::TabFocusReason);
    for (const QChar typed : keys) {
        if (typed.unicode() < 128) {
            QTest::keyClick(widget, typed.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Click, widget, static_cast<Qt::Key>(typed.toUpper().unicode()), QString(typed),
                                Qt::NoModifier);
        }
    }
}

// Into a box over what it held, and out of it with Tab.
inline void type(QWidget& window, const QString& name, const QString& text) {
    auto* edit = child<QLineEdit>(window, name);
    ASSERT_NE(edit, nullptr);
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    typeKeys(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab);
}

inline void click(QWidget& window, const QString& name) {
    auto* button = child<QAbstractButton>(window, name);
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isVisible() && button->isEnabled()) << name.toStdString();
    QTest::mouseClick(button, Qt::LeftButton);
}

// Chooses an entry of a list with the keyboard, from no entry down.
inline void choose(QWidget& window, const QString& name, const QString& code) {
    auto* combo = child<QComboBox>(window, name);
    ASSERT_NE(combo, nullptr);
    const int index = combo->findData(code);
    ASSERT_GE(index, 0) << name.toStdString() << " " << code.toStdString();
    combo->setFocus();
    combo->setCurrentIndex(-1);
    for (int i = 0; i <= index; ++i) {
        QTest::keyClick(combo, Qt::Key_Down);
    }
    EXPECT_EQ(combo->currentData().toString(), code) << name.toStdString();
}

// Into a cell of a grid as a user types: the cell chosen, its editor typed into, then Enter.
inline void typeCell(QTableWidget& grid, int row, int column, const QString& text) {
    grid.setCurrentCell(row, column);
    auto* editor = qobject_cast<QLineEdit*>(grid.indexWidget(grid.currentIndex()));
    ASSERT_NE(editor, nullptr) << row << "," << column;
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
}

inline QString rowText(const QAbstractItemModel& rows, int row) {
    QStringList texts;
    for (int column = 0; column < rows.columnCount(); ++column) {
        texts.append(rows.index(row, column).data().toString());
    }
    return texts.join(QStringLiteral(" | "));
}

// Runs `inside` on the modal window of type W named `name` (any name when empty) that `trigger`
// brings up; the window is closed after it, so that a failed step cannot leave the test blocked.
template <typename W = QDialog>
void whileModal(const QString& name, const std::function<void()>& trigger, const std::function<void(W&)>& inside) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
        const QPointer<QWidget> modal = QApplication::activeModalWidget();
        auto* window = qobject_cast<W*>(modal.data());
        ran = true;
        if (window == nullptr || (!name.isEmpty() && window->objectName() != name)) {
            ADD_FAILURE() << name.toStdString() << " did not open, the window is "
                          << (modal ? modal->objectName().toStdString() : "none");
            return;
        }
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        inside(*window);
        if (modal && modal->isVisible()) {
            modal->close();
        }
        if (auto* dialog = qobject_cast<QDialog*>(modal.data()); dialog != nullptr && dialog->isVisible()) {
            dialog->done(QDialog::Rejected); // one that refuses to close must not block the test
        }
    });
    trigger();
    if (!ran) {
        QApplication::processEvents();
    }
    EXPECT_TRUE(ran);
}

// The pages a PDF file holds.
inline int pdfPageCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return -1;
    }
    return static_cast<int>(
        QString::fromLatin1(file.readAll()).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

// What a command-line tool (pdfinfo, pdftotext) writes, or nothing when it does not finish.
inline QString runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(60000) ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}

// The module's form launcher over a test database, as the main window has it.
struct ModuleForms {
    ModuleForms() {
        state.db = std::move(store::Database::open(database.path()).database);
        state.prompter = prompter.get();
        state.clock = &clock;
        state.utility = &utility;
        state.sysUser = kSupervisor;
        app::ui::registerModuleForms(forms, state, *prompter);
    }
    QString open(const QString& name, const QString& code = {}) {
        app::FormRequest request;
        request.name = name;
        request.code = code;
        return forms.open(request);
    }

    TempDatabase database;
    std::unique_ptr<app::ScriptedPrompter> prompter = makePrompter();
    app::FixedClock clock{filingDay()};
    app::UtilityComponent utility{*prompter, &database.db()};
    app::ProcessState state;
    app::ui::FormLauncher forms{*prompter};
};

} // namespace qel::test
