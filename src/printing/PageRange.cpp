#include "printing/PageRange.h"

namespace qel::printing {

const QString PageRange::kTitle = QStringLiteral("Imprimir por Páginas");

PageRangeCheck PageRangeCheck::check(const QString& from, const QString& to, int totalPages) {
    const auto fail = [](const char* text) { return PageRangeCheck{std::nullopt, QString::fromUtf8(text)}; };
    bool fromOk = false;
    bool toOk = false;
    const int first = from.trimmed().toInt(&fromOk);
    const int last = to.trimmed().toInt(&toOk);
    if (from.trimmed().isEmpty() || !fromOk) {
        return fail("Ingrese página de inicio.");
    }
    if (first < 1) {
        return fail("Página inicial debe ser a partir de 1.");
    }
    if (to.trimmed().isEmpty() || !toOk) {
        return fail("Ingrese página de Fin.");
    }
    if (first > last) {
        return fail("Página de Inicio debe ser mayor a página de Fin.");
    }
    if (first > totalPages) {
        return fail("Página inicial no debe ser mayor a total de páginas del reporte.");
    }
    return PageRangeCheck{PageRange{first, std::min(last, totalPages)}, {}};
}

} // namespace qel::printing
