#include "catalogue/MonthAssistantKind.h"

namespace qel::annexes {

namespace {

const QString kPaymentMonth = QStringLiteral("Mes en que efectuó el Pago");

QString casillaTotal(int casilla) {
    return QStringLiteral("Total Casilla %1 :").arg(casilla);
}

QList<MonthAssistantKind> build() {
    QList<MonthAssistantKind> kinds;

    MonthAssistantKind payments;
    payments.window = QStringLiteral("FrmAnexo128");
    payments.casilla = 128;
    payments.type = QStringLiteral("4");
    payments.columns = {QStringLiteral("saluti"), QStringLiteral("compen"),    QStringLiteral("otrcre"),
                        QStringLiteral("pago_r"), QStringLiteral("pago_iean"), QStringLiteral("pago_iean_r")};
    payments.captions = {QStringLiteral("Aplicación del\nsaldo a favor"),
                         QStringLiteral("Compensaciones"),
                         QStringLiteral("Otros\ncréditos"),
                         QStringLiteral("Pagos"),
                         QStringLiteral("Compensación\ncon el ITAN"),
                         QStringLiteral("Compensación\npor ley")};
    payments.monthCaption = QStringLiteral("Periodo");
    payments.frameCaption = QStringLiteral("Pagos a cuenta mensuales del Impuesto a la Renta");
    payments.totalCaption = casillaTotal(128);
    payments.rowTotals = true;
    payments.importKind = QStringLiteral("8");
    kinds.append(payments);

    MonthAssistantKind withholdings;
    withholdings.window = QStringLiteral("FrmAnexo130");
    withholdings.casilla = 130;
    withholdings.type = QStringLiteral("8");
    withholdings.columns = {QStringLiteral("saluti")};
    withholdings.captions = {QStringLiteral("Monto de la Retención")};
    withholdings.monthCaption = QStringLiteral("Mes en que efectuó la Retención");
    withholdings.frameCaption = QStringLiteral("Retenciones de renta de tercera categoría");
    withholdings.totalCaption = casillaTotal(130);
    kinds.append(withholdings);

    MonthAssistantKind itan;
    itan.window = QStringLiteral("FrmAnexo131");
    itan.casilla = 131;
    itan.type = QStringLiteral("9");
    itan.columns = {QStringLiteral("saluti")};
    itan.captions = {QStringLiteral("Pago  (No incluye intereses)")};
    itan.monthCaption = kPaymentMonth;
    itan.frameCaption = QStringLiteral("Pagos del ITAN :");
    itan.totalCaption = casillaTotal(131);
    itan.importKind = QStringLiteral("9");
    kinds.append(itan);

    // The ITAN used as credit; the same window serves casilla 131 when it is opened for it.
    MonthAssistantKind credit = itan;
    credit.window = QStringLiteral("FrmAnexo126");
    credit.casilla = 126;
    credit.type = QStringLiteral("7");
    credit.captions = {QStringLiteral("Pago (No incluye intereses)")};
    credit.totalCaption = casillaTotal(126);
    credit.importKind = QStringLiteral("10");
    kinds.append(credit);

    return kinds;
}

} // namespace

const QList<MonthAssistantKind>& MonthAssistantKind::all() {
    static const QList<MonthAssistantKind> kinds = build();
    return kinds;
}

const MonthAssistantKind* MonthAssistantKind::find(const QString& window, int casilla) {
    QString name = window.trimmed();
    if (name.compare(QStringLiteral("FrmAnexo126"), Qt::CaseInsensitive) == 0 && casilla == 131) {
        name = QStringLiteral("FrmAnexo131");
    }
    for (const MonthAssistantKind& kind : all()) {
        if (kind.window.compare(name, Qt::CaseInsensitive) == 0) {
            return &kind;
        }
    }
    return nullptr;
}

} // namespace qel::annexes
