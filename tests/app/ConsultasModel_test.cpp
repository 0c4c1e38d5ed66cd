#include "app/ConsultasModel.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace qel;
using app::ConsultasModel;

QStringList rows(const ConsultasModel& model) {
    QStringList result;
    for (int row = 0; row < model.rowCount(); ++row) {
        result.append(model.data(model.index(row, 0)).toString() + "=" + model.data(model.index(row, 1)).toString());
    }
    return result;
}

TEST(ConsultasModel, ListsBanksCountriesAndUitAsTheMenuShowsThem) {
    test::TempDatabase temp;
    auto& db = temp.db();
    db.run("DELETE FROM PARAM WHERE Numero IN ('004', '976', '404')").finish();
    db.run("INSERT INTO PARAM (Numero, Argumento, Funcion) VALUES ('004', '00', 'NO ES BANCO'), "
           "('004', '11', 'BANCO CONTINENTAL'), ('004', '02', 'BANCO DE CREDITO DEL PERU                   XX'), "
           "('976', '9589', 'PERU'), ('976', '9105', 'ARGENTINA'), ('976', '9249', 'CHILE'), "
           "('404', '20160101', '3950.00'), ('404', '20170101', '4050'), ('404', '20171231', '  4100.50   '), "
           "('404', '20180101', '4150')")
        .finish();

    const std::tuple<int, QString, QStringList> cases[] = {
        // list mode, caption, rows
        {1, "Bancos", {"02=BANCO DE CREDITO DEL PERU", "11=BANCO CONTINENTAL"}},
        {2, "Paises", {"9105=ARGENTINA", "9249=CHILE", "9589=PERU"}},
        // By the text dd/mm/yyyy, day first: the 31st of December comes before any 1st of January.
        {3, "UIT", {"31/12/2017=4100.5", "01/01/2018=4150", "01/01/2017=4050", "01/01/2016=3950"}},
    };
    for (const auto& [mode, caption, listed] : cases) {
        ConsultasModel model(db, mode);
        EXPECT_EQ(ConsultasModel::caption(mode), caption);
        EXPECT_EQ(rows(model), listed) << caption.toStdString();
        EXPECT_FALSE(model.flags(model.index(0, 0)).testFlag(Qt::ItemIsEditable));
    }
    EXPECT_EQ(ConsultasModel(db, 0).rowCount(), 0) << "list mode 0 has no list";
}

} // namespace
