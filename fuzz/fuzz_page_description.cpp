// A report file may be damaged or edited by hand: any content must read without crashing,
// and the commands read, written again, read back as the same commands.
#include "printing/PageDescription.h"
#include "printing/ReportDocument.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using qel::printing::PageDescription;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const PageDescription::ReadResult first = PageDescription::read(text);
    const qel::printing::ReportDocument document = qel::printing::ReportDocument::fromCommands(first.commands);
    if (document.pageCount() < 1 || document.pageCount() > qel::printing::ReportDocument::kMaxPages) {
        std::abort();
    }
    // What the preview reads: a refused file has one empty page and its reason; a read one
    // keeps every page within the command limit.
    using qel::printing::ReportDocument;
    const ReportDocument bounded =
        ReportDocument::fromText(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (bounded.pageCount() < 1 || bounded.pageCount() > ReportDocument::kMaxPages) {
        std::abort();
    }
    if (!bounded.problem().isEmpty() && (bounded.pageCount() != 1 || !bounded.page(0).texts.isEmpty())) {
        std::abort();
    }
    for (const ReportDocument::Page& page : bounded.pages()) {
        if (page.texts.size() + page.boxes.size() > ReportDocument::kMaxCommandsPerPage) {
            std::abort();
        }
    }
    QList<qel::printing::PageCommand> expected = first.commands;
    for (auto& command : expected) {
        command.text = PageDescription::sanitise(command.text);
    }
    const PageDescription::ReadResult second = PageDescription::read(PageDescription::writeAll(first.commands));
    if (second.rejected != 0 || second.commands.size() != expected.size()) {
        std::abort();
    }
    for (qsizetype i = 0; i < expected.size(); ++i) {
        // Numbers are written with twelve digits: a value read from a hand-made file with more
        // may come back rounded, so only what the writer itself produces is compared exactly.
        const auto& a = second.commands.at(i);
        const auto& b = expected.at(i);
        if (a.kind != b.kind || a.bold != b.bold || a.size != b.size || a.page != b.page) {
            std::abort();
        }
    }
    return 0;
}
