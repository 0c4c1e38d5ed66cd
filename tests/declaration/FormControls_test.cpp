#include "catalogue/CasillaCatalog.h"
#include "catalogue/FormControls.h"
#include "catalogue/FormPages.h"
#include "support/TestSupport.h"

#include <QRegularExpression>
#include <QSet>
#include <QSqlRecord>
#include <gtest/gtest.h>

namespace qel::declaration {
namespace {

const FormControls& controls() {
    return FormControls::instance();
}

QSet<QString> names(const char* list) {
    QSet<QString> result;
    for (const QString& name : QString::fromUtf8(list).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        result.insert(name);
    }
    return result;
}

// The controls that store their value in a casilla.
QSet<QString> controlsOf(int casilla) {
    QSet<QString> result;
    for (const ControlDef& c : controls().all()) {
        if (c.answerCasilla == casilla || c.moreCasillas.contains(casilla) ||
            std::find(c.memberCasillas.cbegin(), c.memberCasillas.cend(), casilla) != c.memberCasillas.cend()) {
            result.insert(c.name);
        }
    }
    return result;
}

TEST(FormControls, EachAnswerCasillaIsSavedFromItsControls) {
    const std::pair<int, const char*> table[] = {
        {801, "TxtRazon"},
        {805, "OptRectifica"},
        {802, "OptBeneficiosTrib"},
        {199, "cboBeneficiosTrib"},
        {803, "OptTipoCont"},
        {210, "cboBaseLegalExonera"},
        {804, "OptConvEstab"},
        {807, "OptDomiciliado"},
        {809, "OptUbicAmazonia"},
        {810, "OptLeyAmazonia"},
        {860, "OptDomFiscal"},
        {811, "OptZona"},
        {812, "TxtUbigeo"},
        {821, "OptActEco"},
        {217, "OptInafectacion"},
        {221, "cboBaseLegalInafecta"},
        {819, "OptDonaciones"},
        {813, "OptContMonExt"},
        {816, "OptDecPagMonExt"},
        {822, "OptMineria"},
        {820, "OptHidrocarburos"},
        {823, "OptReorganizacion"},
        {233, "cboTipoReorganizacion"},
        {239, "mkeFechaReorganiza"},
        {580, "txtmail"},
        {581, "txtmail2"},
        {582, "txtmail3"},
        {824, "OptItan"},
        {825, "OptItanAnexo"},
        {826, "chkItanPagos"},
        {828, "chkItanPagos"},
        {874, "OptMermas"},
        {873, "OptDesmedros"},
        {875, "OptRegalias"},
        {218, "OptOperFinAdmin"},
        {219, "OptOperAdminFin"},
        {827, "OptPerdidaExtraord"},
        {830, "optDesuso"},
        {829, "OptAlquileres"},
        {840, "optRentasInternacionales"},
        {444, "optArrastreMin optArrastreHid"},
        {780, "Opttecno"},
        {781, "Opttecno"},
        {878, "OptITF"},
        {870, "OptPlan"},
        {292, "OptColab"},
        {293, "Optmetodo"},
        {880, "OptArrastre2005"},
        {280, "TxtOfReg"},
        {281, "TxtFicha"},
        {282, "TxtFolio"},
        {283, "TxtAsiento"},
        {223, "TxtActFijAmazonia"},
        {815, "TxtNombreA"},
        {814, "TxtNombreN"},
        {817, "txtApellidoRL"},
        {818, "txtNombreRL"},
        {895, "optAutos"},
        {661, "optIns"},
        {662, "optSistema"},
        {871, "ChkITF"},
        {5, "ChkRenta"},
    };
    for (const auto& [casilla, expected] : table) {
        EXPECT_EQ(controlsOf(casilla), names(expected)) << "casilla " << casilla;
        EXPECT_NE(controls().answeredIn(casilla), nullptr) << "casilla " << casilla;
    }
    // Every casilla a control stores into is a casilla of the catalogue; only the off-screen
    // box of the income-tax check box has a box.
    for (const ControlDef& c : controls().all()) {
        QList<int> stored = c.moreCasillas + c.memberCasillas.values();
        if (c.answerCasilla != 0) {
            stored.append(c.answerCasilla);
        }
        for (const int n : stored) {
            const CasillaDef* def = CasillaCatalog::instance().find(n);
            ASSERT_NE(def, nullptr) << c.name.toStdString() << " stores into unknown casilla " << n;
            EXPECT_EQ(def->hasBox, n == 5) << c.name.toStdString() << " casilla " << n;
        }
    }
}

TEST(FormControls, NamesPagesCaptionsAndMembers) {
    const QSet<QString> formCommands = names("cmdValidar cmdGrabar cmdSalir");
    // Option groups whose buttons are not the "Si" / "No" pair.
    const QSet<QString> ownCaptions = names("OpRegRenta OptDomiciliado OptPlan OptZona OptDecPagMonExt Optmetodo "
                                            "optSistema OptArrastre2005 optArrastreMin optArrastreHid");
    const QRegularExpression placeholder(QStringLiteral("\\{([^}]*)\\}"));
    QSet<QString> seen;
    for (const ControlDef& c : controls().all()) {
        const std::string name = c.name.toStdString();
        EXPECT_FALSE(seen.contains(c.name)) << name << " twice";
        seen.insert(c.name);
        EXPECT_EQ(controls().find(c.name), &c);
        if (formCommands.contains(c.name)) {
            EXPECT_TRUE(c.page.isEmpty()) << name;
        } else {
            EXPECT_NE(FormPages::find(c.page), nullptr) << name << " on page '" << c.page.toStdString() << "'";
        }
        QStringList texts = {c.caption};
        for (const GridColumn& column : c.columns) {
            texts.append(column.heading);
        }
        for (const QString& text : texts) {
            for (auto it = placeholder.globalMatch(text); it.hasNext();) {
                const QString key = it.next().captured(1);
                EXPECT_TRUE(key == QStringLiteral("periodo") || key == QStringLiteral("monto")) << name;
            }
        }
        if (c.kind == ControlKind::OptionGroup) {
            EXPECT_FALSE(c.caption.trimmed().isEmpty()) << name;
            EXPECT_NE(c.answerCasilla, 0) << name;
            if (!ownCaptions.contains(c.name)) {
                const QMap<int, QString> yesNo = {{1, QStringLiteral("Si")}, {0, QStringLiteral("No")}};
                EXPECT_EQ(c.members, yesNo) << name;
            }
            if (!c.answerLetters.isEmpty()) {
                EXPECT_EQ(c.answerLetters.size(), c.members.size()) << name;
            }
        }
        if (c.kind == ControlKind::CommandArray) {
            for (auto it = c.windows.cbegin(); it != c.windows.cend(); ++it) {
                EXPECT_TRUE(c.members.contains(it.key())) << name << " opens a window from a missing button";
            }
        }
    }
    const QMap<int, QString> regime = {{1, QStringLiteral("Régimen General")}, {2, QStringLiteral("Régimen MYPE")}};
    EXPECT_EQ(controls().find(QStringLiteral("OpRegRenta"))->members, regime);
    const QMap<int, QString> zones = {{0, QStringLiteral("Zona 1")}, {1, QStringLiteral("Zona 2")}};
    EXPECT_EQ(controls().find(QStringLiteral("OptZona"))->members, zones);
    EXPECT_EQ(controls().find(QStringLiteral("Optmetodo"))->answerLetters, QStringLiteral("AB"));
    EXPECT_EQ(controls().find(QStringLiteral("optSistema"))->answerLetters, QStringLiteral("AB"));
}

// The windows both catalogues ask the form launcher for; each must be registered.
TEST(FormControls, WindowNamesAreTheRegisteredOnes) {
    const QSet<QString> registered = names(
        "frmAnexo103 frmAnexo105 frmAnexo108 frmAnexo123 frmAnexo126 frmAnexo127 frmanexo128 frmAnexo130 "
        "frmAnexo131 frmAnexo136 frmAnexo227 frmAnexo278 frmanexo317A frmanexo328B frasiscasillasef frmVehiculos "
        "frmcostos frmpergan frmpergan2015 frmSaldoFavorEjercAnt "
        "frmDetalleAlquileres frmImportarGastoPresent frmcabEmpresarial frmDetalleDesmedros frmDetalleMermas "
        "frmDetalleDesuso frmOperacFinancieras frmPerdidasExtraord frmDetalleRegalias frmDetalleSocios "
        "frmImportarSocios frmDetVehiculos frmImportarU41 frmDetalleDirecto frmrentaInternacional "
        "frmDetalleExportaciones frmDetalleGastoPresentacion frmDetalleMineras frmDetalleHidrocarburos frmNoDomic "
        "frmDetalleBalance frmTransferencia frmUbigeo frmInverExtranjero frmFideicomiso frmAsistGastosSujRet");
    QSet<QString> used;
    for (const CasillaDef& c : CasillaCatalog::instance().all()) {
        if (!c.window.isEmpty()) {
            used.insert(c.window);
        }
    }
    for (const ControlDef& c : controls().all()) {
        for (const QString& window : c.windows) {
            used.insert(window);
        }
    }
    for (const QString& window : used - registered) {
        ADD_FAILURE() << "window " << window.toStdString() << " is not in the registered list";
    }
    for (const QString& window : registered - used) {
        ADD_FAILURE() << "window " << window.toStdString() << " is no longer used";
    }
}

TEST(FormControls, GridAndTotalQueriesRunOnAFreshDatabase) {
    test::TempDatabase temp;
    int grids = 0;
    for (const ControlDef& c : controls().all()) {
        if (c.query.isEmpty()) {
            continue;
        }
        const std::string name = c.name.toStdString();
        QSqlQuery query;
        try {
            query = temp.db().run(c.query);
        } catch (const std::exception& e) {
            ADD_FAILURE() << name << ": " << e.what();
            continue;
        }
        const QSqlRecord record = query.record();
        for (const GridColumn& column : c.columns) {
            EXPECT_GE(record.indexOf(column.field), 0) << name << " has no field " << column.field.toStdString();
        }
        if (c.kind == ControlKind::Grid) {
            ++grids;
            EXPECT_FALSE(c.columns.isEmpty()) << name;
            EXPECT_TRUE(c.query.contains(c.table, Qt::CaseInsensitive)) << name;
        }
    }
    EXPECT_EQ(grids, 20);
}

} // namespace
} // namespace qel::declaration
