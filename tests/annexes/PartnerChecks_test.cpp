#include "AnnexFixture.h"
#include "annexes/checks/PartnerChecks.h"

#include <QSqlQuery>

namespace qel::annexes {
namespace {

using app::Button;
using app::Icon;
using Values = QList<std::pair<QString, QString>>;

const QString kWindow = QStringLiteral("frmDetalleSocios");
const QString kTable = QStringLiteral("TMPF535SOCIOS");

Values partner(const QString& ruc, const QString& share) {
    return {{QStringLiteral("tipo_socio"), QStringLiteral("02")},
            {QStringLiteral("tipo_doc_socio"), QStringLiteral("06")},
            {QStringLiteral("nro_doc_socio"), ruc},
            {QStringLiteral("des_nom_razon"), QStringLiteral("INVERSIONES SAC")},
            {QStringLiteral("fec_nac_socio"), QStringLiteral("15/03/1970")},
            {QStringLiteral("cod_pais"), QStringLiteral("9589")},
            {QStringLiteral("Porcentaje"), share},
            {QStringLiteral("fec_cosnt_socio"), QStringLiteral("01/02/1990")}};
}

class PartnerChecksTest : public testing::AnnexFixture {
protected:
    // Registers partners without the window, each with the share given.
    void addPartners(int count, double share, const QString& type = QStringLiteral("01")) {
        for (int i = 0; i < count; ++i) {
            test::insertRow(db(), kTable, key(),
                            {{QStringLiteral("tipo_socio"), type},
                             {QStringLiteral("tipo_doc_socio"), 1},
                             {QStringLiteral("nro_doc_socio"), QString::number(40000000 + i)},
                             {QStringLiteral("Porcentaje"), share}});
        }
    }
};

// Each case fills a valid partner, changes one field and saves: the first failing check's
// text shows and nothing is written.
TEST_F(PartnerChecksTest, EachCheckRefusesWithItsTextInOrder) {
    struct Case {
        const char* field;
        const char* value;
        const char* message;
    };
    const QList<Case> cases = {
        {"nro_doc_socio", "20100047219", "El RUC no es Válido."},
        {"des_nom_razon", "",
         "Debe consignar toda la información del principal socio, asociado, participacionista u "
         "otros."},
        {"cod_pais", "",
         "Debe consignar toda la información del principal socio, asociado, participacionista u "
         "otros."},
        {"fec_nac_socio", "31/02/1970", "La Forma de ingresar la fecha es incorrecta."},
        {"fec_nac_socio", "01/01/2020", "La Forma de ingresar la fecha es incorrecta."},
        {"fec_nac_socio", "31/12/1899", "La fecha de nacimiento registrada no es Válida."},
        {"fec_cosnt_socio", "01/01/2019", "La Fecha en que se constituye como socio no es Válida."},
        {"fec_cosnt_socio", "14/03/1970",
         "La Fecha en que se constituye como socio, asociado, participacionista u otro no puede ser menor que la "
         "fecha de nacimiento."},
        {"Porcentaje", "100.01", "La cantidad ingresada supera el máximo permitido."},
        {"Porcentaje", "0", "El Porcentaje no puede ser 0%."},
        {"Porcentaje", "", "El Porcentaje no puede ser 0%."},
        {"Porcentaje", "33.333", "El Porcentaje debe ser máximo con 2 decimales."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        open(kWindow);
        fill(partner(QStringLiteral("20100047218"), QStringLiteral("10")));
        model->setText(QString::fromUtf8(c.field), QString::fromUtf8(c.value));
        prompter->expectMessage(QString::fromUtf8(c.message), Icon::Critical, QString());
        EXPECT_FALSE(model->grabar());
        EXPECT_EQ(rows(kTable), 0);
        EXPECT_FALSE(model->isClosed());
    }
}

TEST_F(PartnerChecksTest, ADniMustHaveEightDigits) {
    open(kWindow);
    fill(partner(QStringLiteral("20100047218"), QStringLiteral("10")));
    model->choose(QStringLiteral("tipo_socio"), QStringLiteral("01"));
    model->choose(QStringLiteral("tipo_doc_socio"), QStringLiteral("01"));
    model->setText(QStringLiteral("nro_doc_socio"), QStringLiteral("1234567"));
    prompter->expectMessage(QStringLiteral("El DNI debe ser de 8 dígitos."), Icon::Critical);
    EXPECT_FALSE(model->grabar());
    EXPECT_EQ(model->focus(), QStringLiteral("txtNroDoc"));
}

TEST_F(PartnerChecksTest, ANewPartnerIsWrittenWithItsCodesAndTheWindowStaysOpenEmpty) {
    open(kWindow);
    fill(partner(QStringLiteral("20100047218"), QStringLiteral("33.33")));
    EXPECT_TRUE(model->isModified());
    EXPECT_TRUE(model->grabar());
    EXPECT_FALSE(model->isClosed());
    EXPECT_FALSE(model->isModified());
    EXPECT_TRUE(model->isEmpty(QStringLiteral("nro_doc_socio")));
    EXPECT_EQ(model->focus(), QStringLiteral("cboTipoSocio"));

    QSqlQuery row =
        db().run(QStringLiteral("SELECT tipo_socio, tipo_doc_socio, nro_doc_socio, fec_nac_socio, cod_pais, "
                                "Porcentaje, fec_cosnt_socio, cNumero FROM TMPF535SOCIOS"));
    ASSERT_TRUE(row.next());
    EXPECT_EQ(row.value(0).toString(), QStringLiteral("02"));
    EXPECT_EQ(row.value(1).toInt(), 6);
    EXPECT_EQ(row.value(2).toString(), QStringLiteral("20100047218"));
    EXPECT_EQ(row.value(3).toString(), QStringLiteral("1970-03-15"));
    EXPECT_EQ(row.value(4).toString(), QStringLiteral("9589"));
    EXPECT_DOUBLE_EQ(row.value(5).toDouble(), 33.33);
    EXPECT_EQ(row.value(6).toString(), QStringLiteral("1990-02-01"));
    EXPECT_EQ(row.value(7).toString(), QStringLiteral("000000"));

    // The same key again is refused and nothing more is written.
    fill(partner(QStringLiteral("20100047218"), QStringLiteral("5")));
    prompter->expectMessage(QStringLiteral("Ya se registró el dato."), Icon::Critical);
    EXPECT_FALSE(model->grabar());
    EXPECT_EQ(rows(kTable), 1);
}

TEST_F(PartnerChecksTest, TheSharesOfAllRowsMayNotExceedTheWholeExceptTheRowModified) {
    addPartners(2, 45);
    open(kWindow);
    fill(partner(QStringLiteral("20100047218"), QStringLiteral("10.01")));
    prompter->expectMessage(QStringLiteral("La cantidad ingresada supera el máximo permitido."), Icon::Critical);
    EXPECT_FALSE(model->grabar());
    model->setText(QStringLiteral("Porcentaje"), QStringLiteral("10"));
    EXPECT_TRUE(model->grabar());

    // Modifying a partner of 45 % to 55 % leaves its own 45 % out of the sum.
    open(kWindow, app::FormRequest::kModify, {QStringLiteral("01"), QStringLiteral("1"), QStringLiteral("40000000")});
    EXPECT_FALSE(model->state(QStringLiteral("nro_doc_socio")).enabled);
    EXPECT_EQ(model->value(QStringLiteral("Porcentaje")), QStringLiteral("45"));
    model->setText(QStringLiteral("Porcentaje"), QStringLiteral("35"));
    fill({{QStringLiteral("des_nom_razon"), QStringLiteral("PEREZ ÑAÑEZ JUAN")},
          {QStringLiteral("cod_pais"), QStringLiteral("9589")}});
    EXPECT_TRUE(model->grabar());
    EXPECT_TRUE(model->isClosed());
    EXPECT_EQ(column(kTable, QStringLiteral("Porcentaje")), QStringLiteral("35.0,45.0,10.0"));
    EXPECT_EQ(column(kTable, QStringLiteral("des_nom_razon"), QStringLiteral("rowid LIMIT 1")),
              QStringLiteral("PEREZ ÑAÑEZ JUAN"));
}

// The consolidated rest ("05") opens at 100 partners or 80 % of the capital.
TEST_F(PartnerChecksTest, TheConsolidatedRestNeedsAHundredPartnersOrEightyPercent) {
    struct Case {
        int partners;
        double share;
        bool open;
    };
    for (const Case& c : {Case{99, 0.5, false}, Case{4, 19.99, false}, Case{100, 0.1, true}, Case{4, 20, true}}) {
        SCOPED_TRACE(c.partners);
        db().run(QStringLiteral("DELETE FROM TMPF535SOCIOS")).finish();
        addPartners(c.partners, c.share);
        open(kWindow);
        if (!c.open) {
            prompter->expectMessage(PartnerChecks::kConsolidatedClosed, Icon::Information);
        }
        model->choose(QStringLiteral("tipo_socio"), QStringLiteral("05"));
        EXPECT_EQ(model->value(QStringLiteral("tipo_socio")), c.open ? QStringLiteral("05") : QString());
        EXPECT_EQ(model->state(QStringLiteral("des_nom_razon")).enabled, !c.open);
        if (c.open) {
            EXPECT_EQ(model->value(QStringLiteral("fec_nac_socio")), QStringLiteral("01/01/2018"));
            model->setText(QStringLiteral("Porcentaje"), QStringLiteral("0.5"));
            EXPECT_TRUE(model->grabar());
            EXPECT_EQ(rows(kTable), c.partners + 1);
        }
    }
}

TEST_F(PartnerChecksTest, ADomiciledCompanyOffersOnlyTheRuc) {
    open(kWindow);
    const int all = static_cast<int>(model->state(QStringLiteral("tipo_doc_socio")).items.size());
    EXPECT_GT(all, 1);
    model->choose(QStringLiteral("tipo_socio"), QStringLiteral("02"));
    ASSERT_EQ(model->state(QStringLiteral("tipo_doc_socio")).items.size(), 1);
    EXPECT_FALSE(model->choose(QStringLiteral("tipo_doc_socio"), QStringLiteral("01")));
    model->choose(QStringLiteral("tipo_socio"), QStringLiteral("01"));
    EXPECT_EQ(model->state(QStringLiteral("tipo_doc_socio")).items.size(), all);
}

TEST_F(PartnerChecksTest, TheCloseQuestionOnlyWhenSomethingWasTyped) {
    open(kWindow);
    model->salir();
    EXPECT_TRUE(model->isClosed());

    struct Case {
        Button answer;
        bool closed;
        int rows;
    };
    for (const Case& c : {Case{Button::Cancel, false, 0}, Case{Button::No, true, 0}, Case{Button::Yes, true, 1}}) {
        open(kWindow);
        fill(partner(QStringLiteral("20100047218"), QStringLiteral("20")));
        prompter->expectQuestion(QStringLiteral("¿El formulario ha sido modificado, desea guardar los cambios?"),
                                 c.answer, Icon::Question);
        model->salir();
        EXPECT_EQ(model->isClosed(), c.closed);
        EXPECT_EQ(rows(kTable), c.rows);
    }
    // Yes with a failing check keeps the window open.
    open(kWindow);
    fill(partner(QStringLiteral("20500000016"), QStringLiteral("0")));
    prompter->expectQuestion(QStringLiteral("¿El formulario ha sido modificado, desea guardar los cambios?"),
                             Button::Yes);
    prompter->expectMessage(QStringLiteral("El Porcentaje no puede ser 0%."), Icon::Critical);
    model->salir();
    EXPECT_FALSE(model->isClosed());
}

TEST_F(PartnerChecksTest, NameKeysKeepTheEnyeAndDropOtherSigns) {
    open(kWindow);
    struct Case {
        QChar typed;
        QChar kept;
    };
    for (const Case& c : {Case{QChar(0x00F1), QChar(0x00D1)}, Case{QChar(0x00D1), QChar(0x00D1)},
                          Case{QLatin1Char('a'), QLatin1Char('A')}, Case{QLatin1Char('\''), QChar()},
                          Case{QLatin1Char('-'), QChar()}, Case{QLatin1Char(' '), QLatin1Char(' ')}}) {
        EXPECT_EQ(model->filterKey(QStringLiteral("txtRazonSocial"), c.typed), c.kept) << int(c.typed.unicode());
    }
    EXPECT_EQ(model->filterKey(QStringLiteral("txtPorcentaje"), QLatin1Char('.')), QLatin1Char('.'));
    model->setText(QStringLiteral("txtPorcentaje"), QStringLiteral("1.5"));
    EXPECT_EQ(model->filterKey(QStringLiteral("txtPorcentaje"), QLatin1Char('.')), QChar());
}

} // namespace
} // namespace qel::annexes
