#include "catalogue/AnnexCatalog.h"
#include "catalogue/FormControls.h"
#include "catalogue/FormPages.h"
#include "store/TableCatalog.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// What the annex catalogue names must exist where the other catalogues keep it: the tables in
// the table catalogue, the grids and buttons on the form.
namespace qel::annexes {
namespace {

using declaration::ControlDef;
using declaration::ControlKind;
using declaration::FormControls;

const AnnexCatalog& catalog() {
    return AnnexCatalog::instance();
}

// "TMPF535SOCIOS" -> "F535SOCIOS".
QString baseName(const QString& working) {
    return working.startsWith(u"TMP"_s, Qt::CaseInsensitive) ? working.mid(3) : QString();
}

// The rows an annex window or grid edits are kept, sent and numbered: permanent, working and
// history copies, with the check code. The rows that only go with them (the detail of a
// non-domiciled provider's expenses, the vehicle casillas) may live in the working copy alone.
void expectDeclarationTable(const QString& working, const QStringList& columns, const std::string& who,
                            bool kept = true) {
    const QString base = baseName(working);
    ASSERT_FALSE(base.isEmpty()) << who << ": " << working.toStdString() << " is not a working table";
    const store::TableDef* def = store::TableCatalog::instance().find(base);
    ASSERT_NE(def, nullptr) << who << ": " << base.toStdString() << " is not in the table catalogue";
    EXPECT_TRUE(def->working && def->declaration) << who << ": " << base.toStdString() << " has no working copy";
    if (kept) {
        EXPECT_TRUE(def->permanent && def->history && def->checked)
            << who << ": " << base.toStdString() << " lacks one of its three checked copies";
    }
    const store::TableLayout layout = store::TableCatalog::instance().layout(base, store::Copy::Working);
    for (const QString& column : columns) {
        if (!column.isEmpty()) {
            EXPECT_TRUE(layout.hasColumn(column))
                << who << ": " << working.toStdString() << " has no column " << column.toStdString();
        }
    }
}

TEST(AnnexCatalogInvariants, EveryTableHasItsThreeCopiesAndTheColumnsNamed) {
    for (const AnnexDef& def : catalog().windows()) {
        QStringList columns = def.keyColumns;
        for (const AnnexField& field : def.fields) {
            columns.append(field.column);
        }
        columns << def.codeColumn << def.correlative;
        for (const auto& fixed : def.fixedValues) {
            columns << fixed.first;
        }
        expectDeclarationTable(def.table, columns, def.window.toStdString());
    }
    for (const AnnexGridDef& def : catalog().grids()) {
        expectDeclarationTable(def.table, def.keyFields + QStringList{def.parentColumn}, def.array.toStdString());
        for (const auto& [table, dependantColumns] : def.dependants) {
            expectDeclarationTable(table, dependantColumns, def.array.toStdString(), false);
        }
    }
    for (const AnnexSectionDef& def : catalog().sections()) {
        for (const AnnexRows& rows : def.alsoDeletes) {
            expectDeclarationTable(rows.table, {}, def.option.toStdString(), false);
        }
    }
}

// A grid of the form is shown with its command array on the form; one inside a detail window
// belongs to a window of the catalogue.
TEST(AnnexCatalogInvariants, EveryFormGridAndArrayIsOnTheForm) {
    const FormControls& form = FormControls::instance();
    for (const AnnexGridDef& def : catalog().grids()) {
        const std::string who = def.array.toStdString();
        if (!def.parentColumn.isEmpty()) {
            EXPECT_TRUE(form.find(def.array) == nullptr) << who;
            ASSERT_NE(catalog().window(def.window), nullptr) << who;
            continue;
        }
        const ControlDef* array = form.find(def.array);
        const ControlDef* grid = form.find(def.grid);
        ASSERT_NE(array, nullptr) << who;
        ASSERT_NE(grid, nullptr) << def.grid.toStdString();
        EXPECT_EQ(array->kind, ControlKind::CommandArray) << who;
        EXPECT_EQ(grid->kind, ControlKind::Grid) << who;
        EXPECT_EQ(array->page, grid->page) << who;
        EXPECT_EQ(grid->table.compare(def.table, Qt::CaseInsensitive), 0) << who;
        EXPECT_EQ(array->windows.contains(3), !def.importWindow.isEmpty()) << who;
        if (!def.switchOption.isEmpty()) {
            const ControlDef* option = form.find(def.switchOption);
            ASSERT_NE(option, nullptr) << def.switchOption.toStdString();
            EXPECT_EQ(option->kind, ControlKind::OptionGroup) << who;
        }
    }
}

// A section's buttons start disabled under its question, on its page or one nested in it;
// the buttons it switches are among the array's.
TEST(AnnexCatalogInvariants, EverySectionOpensGridsUnderItsQuestion) {
    const FormControls& form = FormControls::instance();
    QSet<QString> options;
    for (const AnnexSectionDef& def : catalog().sections()) {
        const std::string who = def.option.toStdString();
        EXPECT_FALSE(options.contains(def.option)) << who << " twice";
        options.insert(def.option);
        const ControlDef* option = form.find(def.option);
        ASSERT_NE(option, nullptr) << who;
        EXPECT_NE(option->answerCasilla, 0) << who;
        const QList<const AnnexGridDef*> grids = catalog().gridsOf(def.option);
        ASSERT_FALSE(grids.isEmpty()) << who;
        EXPECT_FALSE(catalog().sectionRows(def.option).isEmpty()) << who;
        for (const AnnexGridDef* grid : grids) {
            const ControlDef* array = form.find(grid->array);
            ASSERT_NE(array, nullptr) << grid->array.toStdString();
            EXPECT_FALSE(array->enabledAtStart) << grid->array.toStdString();
            for (const int index : def.buttons) {
                EXPECT_TRUE(array->members.contains(index)) << grid->array.toStdString() << " " << index;
            }
            const declaration::PageDef* page = declaration::FormPages::find(array->page);
            ASSERT_NE(page, nullptr) << grid->array.toStdString();
            EXPECT_TRUE(page->id == option->page || page->parentId == option->page) << grid->array.toStdString();
        }
    }
}

} // namespace
} // namespace qel::annexes
