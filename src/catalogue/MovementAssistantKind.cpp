#include "catalogue/MovementAssistantKind.h"

namespace qel::annexes {

namespace {

using Role = MovementColumn::Role;

MovementColumn col(const char* column, const char* heading, Role role) {
    return {QString::fromLatin1(column), QString::fromUtf8(heading), role};
}

QList<MovementAssistantKind> build() {
    MovementAssistantKind cost;
    cost.window = QStringLiteral("FrmAnexo317A");
    cost.casillas = {317, 380, 381, 382};
    cost.table = QStringLiteral("TMPF535MOV_IME");
    cost.importKind = QStringLiteral("6");
    cost.title = QStringLiteral("Movimiento de Inmuebles, Maquinaria y Equipo");
    cost.columns = {col("saldoini", "", Role::Opening),
                    col("AdiCompMej", "Adiciones por compras y mejoras", Role::Addition),
                    col("AdiAportes", "Adiciones por aportes", Role::Addition),
                    col("AdiCosto", "Adiciones al costo", Role::Addition),
                    col("AdiIncMayorVal", "Incremento por mayor valor", Role::Addition),
                    col("AdiIncRevVol", "Incremento por revaluación voluntaria", Role::Addition),
                    col("AdiOtras", "Otras adiciones", Role::Addition),
                    col("RetVentas", "Retiros por ventas", Role::Retirement),
                    col("RetOtros", "Otros retiros", Role::Retirement),
                    col("saldofin", "", Role::Closing)};

    MovementAssistantKind depreciation;
    depreciation.window = QStringLiteral("FrmAnexo328B");
    depreciation.casillas = {328, 383};
    depreciation.table = QStringLiteral("TMPF535MOVDA_IME");
    depreciation.importKind = QStringLiteral("7");
    depreciation.title = QStringLiteral("Movimiento de la Depreciación Acumulada");
    depreciation.columns = {col("saldoini", "", Role::Opening),
                            col("AdiDepEjer", "Depreciación del ejercicio", Role::Addition),
                            col("AdiDepRevVol", "Depreciación de la revaluación voluntaria", Role::Addition),
                            col("AdiOtras", "Otras adiciones", Role::Addition),
                            col("RetVentas", "Retiros por ventas", Role::Retirement),
                            col("RetOtros", "Otros retiros", Role::Retirement),
                            col("AjuAdiciones", "Ajustes por adiciones", Role::Addition),
                            col("AjuRetiros", "Ajustes por retiros", Role::Retirement),
                            col("saldofin", "", Role::Closing),
                            col("porc_dep", "Porcentaje de depreciación", Role::Rate)};
    return {cost, depreciation};
}

} // namespace

const QList<MovementAssistantKind>& MovementAssistantKind::all() {
    static const QList<MovementAssistantKind> kinds = build();
    return kinds;
}

const MovementAssistantKind* MovementAssistantKind::find(const QString& window) {
    for (const MovementAssistantKind& kind : all()) {
        if (kind.window.compare(window.trimmed(), Qt::CaseInsensitive) == 0) {
            return &kind;
        }
    }
    return nullptr;
}

const QStringList& MovementAssistantKind::lineLabels() {
    static const QStringList labels = {QStringLiteral("Terrenos"),
                                       QStringLiteral("Edificaciones"),
                                       QStringLiteral("Maquinarias y equipos de explotación"),
                                       QStringLiteral("Unidades de transporte"),
                                       QStringLiteral("Muebles y enseres"),
                                       QStringLiteral("Equipos diversos"),
                                       QStringLiteral("Herramientas y unidades de reemplazo"),
                                       QStringLiteral("Unidades por recibir"),
                                       QStringLiteral("Construcciones y obras en curso")};
    return labels;
}

QString MovementAssistantKind::heading(int column, const QString& periodo) const {
    const MovementColumn& c = columns.at(column);
    switch (c.role) {
    case MovementColumn::Role::Opening:
        return QStringLiteral("SALDOS INICIALES al  01/01/") + periodo;
    case MovementColumn::Role::Closing:
        return QStringLiteral("SALDOS FINALES al 31/12/") + periodo;
    default:
        return c.heading;
    }
}

int MovementAssistantKind::closingColumn() const {
    for (int i = 0; i < columns.size(); ++i) {
        if (columns.at(i).role == MovementColumn::Role::Closing) {
            return i;
        }
    }
    return -1;
}

} // namespace qel::annexes
