// Control names are declared once: by the catalogues (the form's controls, the annex windows and
// grids, the assistants' boxes), by each window model's declared controls and by the main
// window's menus. Code that spells a name anywhere else must spell one of those, so that a
// misspelt "txtNroCheqe" fails here instead of doing nothing in a script or a window.

#include "annexes/AssistantCatalog.h"
#include "annexes/TrialBalancePage.h"
#include "app/MainCommands.h"
#include "app/UtilityComponent.h"
#include "app/WindowRegistry.h"
#include "batch/BatchContext.h"
#include "batch/BatchWindows.h"
#include "catalogue/AnnexCatalog.h"
#include "catalogue/AssistantLists.h"
#include "catalogue/CasillaCatalog.h"
#include "catalogue/CasillaListCatalog.h"
#include "catalogue/FormControls.h"
#include "catalogue/FormWindows.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"
#include "windows/ModuleWindows.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace qel {
namespace {

// Literals that look like control names and are not: each is the start of a name the code
// completes with a number or a casilla.
const QSet<QString> kNotControls = {
    QStringLiteral("lbl_"),       // the caption beside a control: "lbl_" + its name
    QStringLiteral("fra_"),       // the frame of a control's buttons: "fra_" + its name
    QStringLiteral("cmdDetalle"), // an assistant box's detail button: "cmdDetalle" + casilla
    QStringLiteral("txtCasilla"), // an assistant box: "txtCasilla" + casilla
    QStringLiteral("txtAnio"),    // an assistant box of a year: "txtAnio" + year
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
            names.insert(
                QStringLiteral("%1_%2").arg(QLatin1String(declaration::controls::kCasillaBox)).arg(casilla.number));
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
    for (const char* name : declaration::controls::kPaymentBox) {
        names.insert(QString::fromLatin1(name));
    }
    for (const char* name : declaration::controls::kHelpBoxes) {
        names.insert(QString::fromLatin1(name));
    }
    for (const char* name : declaration::controls::kEditMenu) {
        names.insert(QString::fromLatin1(name));
    }
    for (const char* menu : app::menus::kAll) {
        names.insert(QString::fromLatin1(menu));
    }
    return names;
}

// What the windows declare when they are opened: each model of the window registry, and every
// window and menu the batch mode can open, through the controls it offers a script.
QSet<QString> windowNames() {
    test::TempDatabase database;
    test::SilentServices silent(database.db());
    const app::WindowServices services{.db = database.db(),
                                       .prompter = silent.prompter,
                                       .clock = silent.clock,
                                       .opener = silent.opener,
                                       .utility = &silent.utility,
                                       .periodo = QStringLiteral("2018"),
                                       .formulario = QStringLiteral("0588"),
                                       .sysUser = test::kSupervisor,
                                       .userKind = QStringLiteral("0"),
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
        open(window, QStringLiteral("1"));
    }
    // A list window handed a text instead of a code shows it as a prompt.
    for (const annexes::CasillaListDef& list : annexes::CasillaListCatalog::lists()) {
        open(list.window, QStringLiteral("Elija una fila"));
    }

    batch::BatchWindows scripted;
    batch::registerBatchWindows(scripted);
    batch::BatchContext context(silent.context());
    context.reportFolder = database.folder();
    const auto addControls = [&names](const std::unique_ptr<app::ScriptableWindow>& window) {
        if (window) {
            for (const app::ControlInfo& control : window->controls()) {
                insertControl(names, control.name);
            }
        }
    };
    QStringList windows = declaration::FormWindows::names();
    windows << annexes::TrialBalancePage::kTransferWindow;
    for (const QString& window : windows) {
        if (const batch::BatchWindows::WindowFactory* factory = scripted.window(window)) {
            app::FormRequest request;
            request.name = window;
            request.key = test::demoKey();
            request.code = QStringLiteral("1");
            try {
                addControls((*factory)(context, request));
            } catch (const app::ScriptError&) {
                // a window that needs more than a plain request declares its names elsewhere
            }
        }
    }
    for (const char* menu : app::menus::kAll) {
        if (const batch::BatchWindows::MenuFactory* factory = scripted.menu(QString::fromLatin1(menu))) {
            try {
                addControls((*factory)(context));
            } catch (const app::ScriptError&) {
            }
        }
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

QStringList readLines(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')) : QStringList();
}

// The widgets the Designer forms declare by name, by the folder of the form.
QHash<QString, QSet<QString>> formWidgetNames(const QString& sourceRoot) {
    static const QRegularExpression widget(QStringLiteral(R"re(<widget [^>]*name="([^"]+)")re"));
    QHash<QString, QSet<QString>> names;
    const QDir root(sourceRoot);
    QDirIterator forms(sourceRoot, {QStringLiteral("*.ui")}, QDir::Files, QDirIterator::Subdirectories);
    while (forms.hasNext()) {
        const QString path = forms.next();
        QSet<QString>& folder = names[QFileInfo(root.relativeFilePath(path)).path()];
        for (const QString& line : readLines(path)) {
            auto matches = widget.globalMatch(line);
            while (matches.hasNext()) {
                folder.insert(matches.next().captured(1));
            }
        }
    }
    return names;
}

// Every control-like string literal (a prefix of a control kind, either case, then a capital or
// a digit: "txtNroCheque", "OptTipoCont", "CmbRuc") under `sourceRoot` that neither `names` nor a Designer form
// of the file's folder declares. A view may name a label or a frame of its own that no model
// knows (a title, a panel's captions): the name it gives with setObjectName counts in that
// file only. Not read:
// the catalogue folder, which holds the declarations, the launcher, a program of its own whose
// window no catalogue describes, and comments.
std::vector<Spelling> undeclaredSpellings(const QString& sourceRoot, const QSet<QString>& names) {
    static const QRegularExpression literal(QStringLiteral(
        R"re("((?:[tT]xt|[cC]bo|[cC]md|[cC]hk|[oO]pt|[lL]bl|[gG]rd|[lL]st|[fF]ra|[dD]tp|[tT]ab|[mM]nu|Cmb|Op)[A-Z0-9_][A-Za-z0-9_]*)")re"));
    static const QRegularExpression ownWidget(
        QStringLiteral(R"re(setObjectName\((?:QStringLiteral\()?"((?:lbl|fra)[^"]*)")re"));
    const QHash<QString, QSet<QString>> formWidgets = formWidgetNames(sourceRoot);
    std::vector<Spelling> found;
    const QDir root(sourceRoot);
    QDirIterator files(sourceRoot, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        const QString relative = root.relativeFilePath(path);
        if (relative.startsWith(QLatin1String("catalogue/")) || relative.startsWith(QLatin1String("launcher/"))) {
            continue;
        }
        const QStringList lines = readLines(path);
        const QSet<QString> forms = formWidgets.value(QFileInfo(relative).path());
        QSet<QString> own;
        if (relative.contains(QLatin1String("ui/"))) {
            for (const QString& line : lines) {
                auto matches = ownWidget.globalMatch(line);
                while (matches.hasNext()) {
                    own.insert(matches.next().captured(1));
                }
            }
        }
        for (int i = 0; i < lines.size(); ++i) {
            QString code = lines[i];
            if (code.trimmed().startsWith(QLatin1String("//"))) {
                continue;
            }
            // A trailing comment starts at a "//" outside any string.
            for (int at = code.indexOf(QLatin1String("//")); at >= 0; at = code.indexOf(QLatin1String("//"), at + 2)) {
                if (code.left(at).count(QLatin1Char('"')) % 2 == 0) {
                    code.truncate(at);
                    break;
                }
            }
            auto matches = literal.globalMatch(code);
            while (matches.hasNext()) {
                const QString name = matches.next().captured(1);
                if (!declared(name, names) && !forms.contains(name) && !own.contains(name)) {
                    found.push_back({relative, i + 1, name});
                }
            }
        }
    }
    return found;
}

TEST(ControlNames, EveryNameTheCodeSpellsIsDeclared) {
    QSet<QString> names = catalogueNames();
    names.unite(windowNames());
    ASSERT_GT(names.size(), 300);
    for (const Spelling& s : undeclaredSpellings(QStringLiteral(QEL_SOURCE_DIR "/src"), names)) {
        ADD_FAILURE() << s.file.toStdString() << ':' << s.line << ": " << s.name.toStdString()
                      << " is declared by no catalogue and no window";
    }
}

// The scanner finds a misspelt name, so that the test above cannot pass by reading nothing.
TEST(ControlNames, ScannerReportsAMisspeltName) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto write = [&](const QString& relative, const QByteArray& text) {
        QDir(dir.path()).mkpath(QFileInfo(dir.path() + QLatin1Char('/') + relative).path());
        QFile file(dir.path() + QLatin1Char('/') + relative);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    };
    write(QStringLiteral("catalogue/Data.cpp"), "{\"txtNroCheqe\", ControlKind::TextBox},\n");
    write(QStringLiteral("annexes/Model.cpp"), "click(QStringLiteral(\"cmdGrabar\"));\n"
                                               "click(QStringLiteral(\"cmdAccion_2\"));\n"
                                               "// \"cmdGrabr\" in a comment\n"
                                               "text(\"txtNroCheqe\", x); // \"txtNroCheque\"\n"
                                               "find(\"lblTitulo\");\n"
                                               "si(\"OptTipoCnt\") && si(\"OptTipoCont\");\n");
    write(QStringLiteral("declaration/ui/Window.h"), "const char* a = \"lbl_\", *b = \"mnuImprimr\";\n");
    write(QStringLiteral("declaration/ui/Window.ui"), "<widget class=\"QLineEdit\" name=\"txtOtro\"/>\n");
    write(QStringLiteral("declaration/ui/Window.cpp"), "label->setObjectName(QStringLiteral(\"lblTitulo\"));\n"
                                                       "findChild<QLabel*>(QStringLiteral(\"lblTitulo\"));\n"
                                                       "findChild<QLineEdit*>(QStringLiteral(\"txtOtro\"));\n"
                                                       "button->setObjectName(QStringLiteral(\"cmdGrabr\"));\n");
    write(QStringLiteral("printing/ui/Other.cpp"), "findChild<QLineEdit*>(QStringLiteral(\"txtOtro\"));\n");
    write(QStringLiteral("launcher/ui/Launcher.cpp"), "button(QStringLiteral(\"cmdIniciar\"));\n");

    const QSet<QString> names = {QStringLiteral("cmdGrabar"), QStringLiteral("cmdAccion"),
                                 QStringLiteral("txtNroCheque"), QStringLiteral("mnuImprimir"),
                                 QStringLiteral("OptTipoCont")};
    QStringList seen;
    for (const Spelling& s : undeclaredSpellings(dir.path(), names)) {
        seen << QStringLiteral("%1:%2 %3").arg(s.file).arg(s.line).arg(s.name);
    }
    seen.sort();
    // A view's own label is its own and a form's widgets are its folder's: another file spelling
    // them is not covered; a view's own command must be declared.
    EXPECT_EQ(seen, QStringList({QStringLiteral("annexes/Model.cpp:4 txtNroCheqe"),
                                 QStringLiteral("annexes/Model.cpp:5 lblTitulo"),
                                 QStringLiteral("annexes/Model.cpp:6 OptTipoCnt"),
                                 QStringLiteral("declaration/ui/Window.cpp:4 cmdGrabr"),
                                 QStringLiteral("declaration/ui/Window.h:1 mnuImprimr"),
                                 QStringLiteral("printing/ui/Other.cpp:1 txtOtro")}));
}

} // namespace
} // namespace qel
