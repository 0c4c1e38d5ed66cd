#include "app/HelpTopics.h"

#include <QHash>

namespace qel::app {

const QString HelpTopics::kContents = QStringLiteral("contenido");

QString HelpTopics::forWindow(const QString& windowName) {
    static const QHash<QString, QString> topics = {
        {QStringLiteral("frmQEL"), QStringLiteral("antes")},
        {QStringLiteral("MDIFrm"), QStringLiteral("ventana")},
        {QStringLiteral("Dialog_Inicial"), QStringLiteral("crear")},
        {QStringLiteral("FrmContAbrir"), QStringLiteral("modificar")},
        {QStringLiteral("FrmContAbrirEnv"), QStringLiteral("enviadas")},
        {QStringLiteral("FrmConsist"), QStringLiteral("validar")},
        {QStringLiteral("FrmConsultas"), QStringLiteral("consultas")},
        {QStringLiteral("frmAcercade"), QStringLiteral("consultas")},
        {QStringLiteral("FrmTipPrnR"), QStringLiteral("imprimir")},
        {QStringLiteral("frmUbigeo"), QStringLiteral("pag-identificacion")},
        {QStringLiteral("frmListDetInverAmazonia"), QStringLiteral("pag-identificacion")},
        {QStringLiteral("frmDetalleInverAmazonia"), QStringLiteral("pag-identificacion")},
    };
    return topics.value(windowName);
}

QString HelpTopics::forPage(const QString& pageId) {
    // The help describes each main page once; a nested page opens its main page's topic.
    static const QHash<QString, QString> topics = {
        {QStringLiteral("ident"), QStringLiteral("pag-identificacion")},
        {QStringLiteral("eeff"), QStringLiteral("pag-estados")},
        {QStringLiteral("renta"), QStringLiteral("pag-renta")},
        {QStringLiteral("creditos"), QStringLiteral("pag-creditos")},
        {QStringLiteral("deuda"), QStringLiteral("pag-deuda")},
        {QStringLiteral("info"), QStringLiteral("pag-complementaria")},
        {QStringLiteral("itf"), QStringLiteral("pag-itf")},
    };
    if (pageId == QStringLiteral("eeff.balance")) {
        return QStringLiteral("balance");
    }
    return topics.value(pageId.section(QLatin1Char('.'), 0, 0), QStringLiteral("paginas"));
}

QString HelpTopics::forCasilla(int casilla) {
    return QStringLiteral("casilla-%1").arg(casilla);
}

} // namespace qel::app
