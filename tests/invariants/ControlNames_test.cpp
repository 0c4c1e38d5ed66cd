// Control names are declared once: by the catalogues (the form's controls, the annex windows and
// grids, the assistants' boxes), by each window model's declared controls and by the main
// window's menus. Code that spells a name anywhere else must spell one of those, so that a
// misspelt "txtNroCheqe" fails here instead of doing nothing in a script or a window.

#include "SourceFiles.h"
#include "annexes/AssistantCatalog.h"
#include "app/MainCommands.h"
#include "app/ScriptableWindow.h"
#include "app/UtilityComponent.h"
#include "app/WindowRegistry.h"
#include "catalogue/AnnexCatalog.h"
#include "catalogue/AssistantLists.h"
#include "catalogue/CasillaCatalog.h"
#include "catalogue/CasillaListCatalog.h"
#include "catalogue/FormControls.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"
#include "windows/ModuleWindows.h"

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qel {
namespace {

// Literals that look like control names and are not: each is the start of a name the code
// completes with a number or a casilla.
const QSet<QString> kNotControls = {
    u"lbl_"_s,       // the caption beside a control: "lbl_" + its name
    u"fra_"_s,       // the frame of a control's buttons: "fra_" + its name
    u"cmdDetalle"_s, // an assistant box's detail button: "cmdDetalle" + casilla
    u"txtCasilla"_s, // an assistant box: "txtCasilla" + casilla
    u"txtAnio"_s,    // an assistant box of a year: "txtAnio" + year
};

// A control and, for a member of a control array ("txtSaldoIni(0)", "cmdAccion_1"), the array.
void insertControl(QSet<QString>& names, const QString& name) {
    static const QRegularExpression member(QStringLiteral(R"(^(.+?)(?:_\d+|\(\d+\))$)"));
    names.insert(name);
    const QRegularExpressionMatch match = member.match(name);
    if (match.hasMatch()) {
        names.insert(match.captured(1));
    }
}

void addFields(QSet<QString>& names, const QList<annexes::AnnexDef>& windows) {
    for (const annexes::AnnexDef& window : windows) {
        for (const annexes::AnnexField& field : window.fields) {
            names.insert(field.control);
        }
    }
}

// Every name a catalogue declares, read from the catalogues themselves.
QSet<QString> catalogueNames() {
    QSet<QString> names;
    for (const declaration::ControlDef& control : declaration::FormControls::instance().all()) {
        names.insert(control.name);
    }
    for (const declaration::CasillaDef& casilla : declaration::CasillaCatalog::instance().all()) {
        if (casilla.hasBox) {
            names.insert(u"%1_%2"_s.arg(QLatin1String(declaration::controls::kCasillaBox)).arg(casilla.number));
        }
    }
    const annexes::AnnexCatalog& annexes = annexes::AnnexCatalog::instance();
    addFields(names, annexes.windows());
    addFields(names, annexes::CasillaListCatalog::detailWindows());
    addFields(names, annexes::AssistantLists::details());
    for (const annexes::AnnexGridDef& grid : annexes.grids()) {
        names << grid.array << grid.grid;
    }
    for (const annexes::AnnexSectionDef& section : annexes.sections()) {
        names.insert(section.option);
    }
    for (const annexes::AssistantDef& assistant : annexes::AssistantCatalog::instance().all()) {
        for (const annexes::AssistantField& field : assistant.fields) {
            names.insert(field.boxName());
            if (!field.opens.isEmpty()) {
                names.insert(field.detailButton());
            }
        }
    }
    const auto addAll = [&names](const auto& list) {
        for (const char* name : list) {
            names.insert(QString::fromLatin1(name));
        }
    };
    addAll(declaration::controls::kPaymentBox);
    addAll(declaration::controls::kHelpBoxes);
    addAll(declaration::controls::kEditMenu);
    addAll(app::menus::kAll);
    return names;
}

// What the windows declare when they are opened: each model of the window registry, which the
// batch mode drives too.
QSet<QString> windowNames() {
    test::TempDatabase database;
    test::SilentServices silent(database.db());
    const app::WindowServices services{.db = database.db(),
                                       .prompter = silent.prompter,
                                       .clock = silent.clock,
                                       .opener = silent.opener,
                                       .utility = &silent.utility,
                                       .periodo = u"2018"_s,
                                       .formulario = u"0588"_s,
                                       .sysUser = test::kSupervisor,
                                       .userKind = u"0"_s,
                                       .reportFolder = database.folder(),
                                       .moduleFolder = database.folder()};
    QSet<QString> names;
    const app::WindowRegistry& registry = windows::moduleWindows();
    const auto open = [&](const QString& window, const QString& code) {
        app::FormRequest request;
        request.name = window;
        request.key = test::demoKey();
        request.code = code;
        try {
            if (auto model = registry.create(window, services, request)) {
                for (const app::DeclaredControl& control : model->declaredControls()) {
                    insertControl(names, control.name);
                }
            }
        } catch (const app::ScriptError&) {
            // a window that needs more than a plain request declares its names elsewhere
        }
    };
    for (const QString& window : registry.names()) {
        open(window, u"1"_s);
    }
    // A list window handed a text instead of a code shows it as a prompt.
    for (const annexes::CasillaListDef& list : annexes::CasillaListCatalog::lists()) {
        open(list.window, u"Elija una fila"_s);
    }
    return names;
}

struct Spelling {
    QString file;
    int line = 0;
    QString name;
};

bool declared(const QString& name, const QSet<QString>& names) {
    if (names.contains(name) || kNotControls.contains(name)) {
        return true;
    }
    // A member of a control array: "cmdAccion_1", "txtSaldoIni_0".
    static const QRegularExpression member(QStringLiteral(R"(^(.+)_\d+$)"));
    const QRegularExpressionMatch match = member.match(name);
    return match.hasMatch() && (names.contains(match.captured(1)) || kNotControls.contains(match.captured(1) + '_'));
}

// The widgets the Designer forms declare by name, by the folder of the form.
QHash<QString, QSet<QString>> formWidgetNames(const QString& sourceRoot) {
    static const QRegularExpression widget(uR"re(<widget [^>]*name="([^"]+)")re"_s);
    QHash<QString, QSet<QString>> names;
    test::forEachFile(sourceRoot, {u"*.ui"_s}, [&](const QString& relative, const QString& text) {
        QSet<QString>& folder = names[QFileInfo(relative).path()];
        for (auto matches = widget.globalMatch(text); matches.hasNext();) {
            folder.insert(matches.next().captured(1));
        }
    });
    return names;
}

// Every control-like string literal (a prefix of a control kind, either case, then a capital or
// a digit: "txtNroCheque", "OptTipoCont", "CmbRuc") under `sourceRoot` that neither `names` nor a
// Designer form of the file's folder declares. A view may name a label or a frame of its own
// that no model knows (a title, a panel's captions): the name it gives with setObjectName counts
// in that file only. Not read: the catalogue folder, which holds the declarations, the launcher,
// a program of its own whose window no catalogue describes, and comments.
std::vector<Spelling> undeclaredSpellings(const QString& sourceRoot, const QSet<QString>& names, int& seen) {
    static const QRegularExpression literal(
        uR"re("((?:[tT]xt|[cC]bo|[cC]md|[cC]hk|[oO]pt|[lL]bl|[gG]rd|[lL]st|[fF]ra|[dD]tp|[tT]ab|[mM]nu|Cmb|Op)[A-Z0-9_][A-Za-z0-9_]*)")re"_s);
    static const QRegularExpression ownWidget(uR"re(setObjectName\((?:QStringLiteral\()?"((?:lbl|fra)[^"]*)")re"_s);
    const QHash<QString, QSet<QString>> formWidgets = formWidgetNames(sourceRoot);
    std::vector<Spelling> found;
    test::forEachFile(sourceRoot, {u"*.h"_s, u"*.cpp"_s}, [&](const QString& relative, const QString& text) {
        if (relative.startsWith(u"catalogue/"_s) || relative.startsWith(u"launcher/"_s)) {
            return;
        }
        QSet<QString> known = formWidgets.value(QFileInfo(relative).path());
        if (relative.contains(u"ui/"_s)) {
            for (auto matches = ownWidget.globalMatch(text); matches.hasNext();) {
                known.insert(matches.next().captured(1));
            }
        }
        const QStringList lines = text.split(u'\n');
        for (int i = 0; i < lines.size(); ++i) {
            QString code = lines[i];
            if (code.trimmed().startsWith(u"//"_s)) {
                continue;
            }
            // A trailing comment starts at a "//" outside any string.
            for (qsizetype at = code.indexOf(u"//"_s); at >= 0; at = code.indexOf(u"//"_s, at + 2)) {
                if (code.left(at).count(u'"') % 2 == 0) {
                    code.truncate(at);
                    break;
                }
            }
            for (auto matches = literal.globalMatch(code); matches.hasNext();) {
                const QString name = matches.next().captured(1);
                ++seen;
                if (!declared(name, names) && !known.contains(name)) {
                    found.push_back({relative, i + 1, name});
                }
            }
        }
    });
    return found;
}

TEST(ControlNames, EveryNameTheCodeSpellsIsDeclared) {
    QSet<QString> names = catalogueNames();
    names.unite(windowNames());
    ASSERT_GT(names.size(), 300);
    int seen = 0;
    for (const Spelling& s : undeclaredSpellings(QStringLiteral(QEL_SOURCE_DIR "/src"), names, seen)) {
        ADD_FAILURE() << s.file.toStdString() << ':' << s.line << ": " << s.name.toStdString()
                      << " is declared by no catalogue and no window";
    }
    EXPECT_GT(seen, 400) << "the scanner reads the names the code spells";
}

} // namespace
} // namespace qel
