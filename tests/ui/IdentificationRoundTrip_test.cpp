// What a user types into the identification data of the window comes back in the window
// when the declaration is opened again, and saving it again stores the same rows.
#include "declaration/ui/Frm537.h"
#include "management/DeclarationFormSession.h"
#include "ui/WindowDriver.h"

namespace qel::management {
namespace {

using namespace qel::test;

const QString kRuc = QStringLiteral("20100070970");
const QString kName = QStringLiteral("EMPRESA DE PRUEBA S.A.C.");

// The lists chosen and the boxes typed on the identification page, in the order a user fills them.
const QList<std::pair<const char*, const char*>> kChosen = {{"cboTipDocRepLegal", "01"}, {"cboContador", "01"}};
const QList<std::pair<const char*, const char*>> kTyped = {
    {"txtValor_226", "41234567"},      {"txtApellidoRL", "QUISPE MAMANI"}, {"txtNombreRL", "LUIS"},
    {"txtValor_207", "09876543"},      {"TxtNombreA", "HUAMAN TORRES"},    {"TxtNombreN", "CARMEN"},
    {"txtTelCon", "4251234"},          {"txtTelCon2", "987654321"},        {"txtmail", "conta@empresa.pe"},
    {"txtcorreo", "conta@empresa.pe"}, {"txtmail2", "chuaman@estudio.pe"}, {"txtmail3", "lquispe@empresa.pe"}};

class IdentificationRoundTrip : public ::testing::Test {
protected:
    void SetUp() override { registerTaxpayer(database.db(), kRuc, kName); }

    // A new declaration (mode 0) or the taxpayer's stored one (mode 1) in the window.
    declaration::Frm537& open(int mode) {
        window.reset();
        session.reset();
        const QVariantList arguments = mode == 1 ? QVariantList{kRuc, kName, false} : QVariantList{};
        session = std::make_unique<DeclarationFormSession>(formContext(database.db(), prompter, clock, utility, opener),
                                                           DeclarationFormArguments::fromList(mode, arguments));
        session->load();
        window = std::make_unique<declaration::Frm537>(session->model());
        window->show();
        QApplication::processEvents();
        return *window;
    }

    // What the identification page shows, as the user reads it.
    QStringList shown() {
        QStringList values;
        for (const auto& [name, typed] : kTyped) {
            values.append(QString::fromLatin1(name) + u'=' +
                          child<QLineEdit>(*window, QString::fromLatin1(name))->text());
        }
        for (const auto& [name, code] : kChosen) {
            values.append(QString::fromLatin1(name) + u'=' +
                          child<QComboBox>(*window, QString::fromLatin1(name))->currentData().toString());
        }
        return values;
    }

    TempDatabase database;
    SilentPrompter prompter;
    app::FixedClock clock{filingDay()};
    app::UtilityComponent utility{prompter, &database.db()};
    RecordingOpener opener;
    std::unique_ptr<DeclarationFormSession> session;
    std::unique_ptr<declaration::Frm537> window;
};

TEST_F(IdentificationRoundTrip, TheIdentificationDataComeBackInTheWindow) {
    declaration::Frm537& form = open(0);
    choose(form, QStringLiteral("CmbRuc"), kRuc);
    click(form, QStringLiteral("OptITF_0"));
    click(form, QStringLiteral("OptPlan_1"));
    form.showPage(QStringLiteral("info.general"));
    for (const auto& [name, code] : kChosen) {
        choose(form, QString::fromLatin1(name), QString::fromLatin1(code));
    }
    for (const auto& [name, text] : kTyped) {
        type(form, QString::fromLatin1(name), QString::fromLatin1(text));
    }
    const QStringList typed = shown();
    EXPECT_TRUE(typed.contains(QStringLiteral("txtTelCon=4251234"))) << typed.join(u' ').toStdString();
    click(form, QStringLiteral("cmdGrabar"));
    const QStringList firstSave = declarationRows(database.db(), demoKey(kRuc));
    ASSERT_FALSE(firstSave.isEmpty());

    open(1).showPage(QStringLiteral("info.general"));
    EXPECT_EQ(shown(), typed);
    click(*window, QStringLiteral("cmdGrabar"));
    EXPECT_EQ(declarationRows(database.db(), demoKey(kRuc)), firstSave);
}

} // namespace
} // namespace qel::management
