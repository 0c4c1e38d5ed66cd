#include "annexes/CasillaScripts.h"

#include "annexes/CasillaListScript.h"
#include "annexes/MonthAssistantScript.h"
#include "annexes/PriorBalanceScript.h"

namespace qel::annexes {

namespace {
// Casilla 127 opens the window by this name; the window's own name (the owner of 202-204) opens it too.
const QString kPriorBalance = QStringLiteral("frmAnexo127");
const QString kPriorBalanceWindow = QStringLiteral("frmSaldoFavorEjercAnt");
} // namespace

QStringList CasillaScripts::names() {
    QStringList list;
    for (const int casilla : {126, 128, 130, 131}) {
        list.append(QStringLiteral("frmAnexo%1").arg(casilla));
    }
    list.append(kPriorBalance);
    list.append(kPriorBalanceWindow);
    for (const CasillaListDef& def : CasillaListCatalog::lists()) {
        for (const QString& name : {def.launcherName, def.window}) {
            if (!name.isEmpty() && !list.contains(name, Qt::CaseInsensitive)) {
                list.append(name);
            }
        }
    }
    return list;
}

std::unique_ptr<app::ScriptableWindow> CasillaScripts::create(const QString& name, store::Database& db,
                                                              app::Prompter& prompter, app::FormOpener* opener,
                                                              const app::FormRequest& request) {
    const store::DeclarationKey key = request.key.value_or(store::DeclarationKey{});
    if (const CasillaListDef* named = CasillaListCatalog::find(name)) {
        const int casilla = request.casilla.value_or(named->captions.isEmpty() ? 0 : named->captions.firstKey());
        const CasillaListDef* list = CasillaListCatalog::find(name, casilla);
        auto model = std::make_unique<CasillaListModel>(*list, db, prompter, opener, key, casilla, request.readOnly);
        model->setPrompt(CasillaListModel::promptFrom(request.code));
        return std::make_unique<CasillaListScript>(std::move(model));
    }
    if (name.compare(kPriorBalance, Qt::CaseInsensitive) == 0 ||
        name.compare(kPriorBalanceWindow, Qt::CaseInsensitive) == 0) {
        auto model = std::make_unique<PriorBalanceModel>(db, prompter, key, request.readOnly, request.keyValues);
        model->load();
        return std::make_unique<PriorBalanceScript>(std::move(model));
    }
    const int fallback = name.right(3).toInt();
    if (const MonthAssistantKind* kind = MonthAssistantKind::find(name, request.casilla.value_or(fallback))) {
        auto model = std::make_unique<MonthAssistantModel>(db, prompter, key, *kind, request.readOnly, opener);
        model->load();
        return std::make_unique<MonthAssistantScript>(std::move(model), kind->window);
    }
    return nullptr;
}

} // namespace qel::annexes
