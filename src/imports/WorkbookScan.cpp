#include "imports/WorkbookScan.h"

#include <QList>
#include <QSet>
#include <algorithm>

namespace qel::imports {

namespace {

constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr int kDirectoryEntry = 128;

quint32 u32(const QByteArray& b, qsizetype at) {
    if (at < 0 || at + 4 > b.size()) {
        return 0;
    }
    const auto* p = reinterpret_cast<const unsigned char*>(b.constData() + at);
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<quint32>(p[3]) << 24);
}

quint16 u16(const QByteArray& b, qsizetype at) {
    if (at < 0 || at + 2 > b.size()) {
        return 0;
    }
    const auto* p = reinterpret_cast<const unsigned char*>(b.constData() + at);
    return static_cast<quint16>(p[0] | (p[1] << 8));
}

// The compound file's sectors and its allocation table.
class CompoundFile {
public:
    explicit CompoundFile(const QByteArray& file) : m_file(file) {
        static const QByteArray signature = QByteArray::fromHex("d0cf11e0a1b11ae1");
        if (!file.startsWith(signature)) {
            return;
        }
        const int shift = u16(file, 0x1E);
        if (shift != 9 && shift != 12) {
            return;
        }
        m_sectorSize = 1 << shift;
        QList<quint32> fatSectors;
        const quint32 fatCount = u32(file, 0x2C);
        for (int i = 0; i < 109 && static_cast<quint32>(fatSectors.size()) < fatCount; ++i) {
            fatSectors.append(u32(file, 0x4C + 4 * i));
        }
        quint32 difat = u32(file, 0x44);
        QSet<quint32> seen;
        while (difat < kEndOfChain && static_cast<quint32>(fatSectors.size()) < fatCount && !seen.contains(difat)) {
            seen.insert(difat);
            const qsizetype at = offset(difat);
            const int entries = m_sectorSize / 4 - 1;
            for (int i = 0; i < entries && static_cast<quint32>(fatSectors.size()) < fatCount; ++i) {
                fatSectors.append(u32(file, at + 4 * i));
            }
            difat = u32(file, at + 4 * entries);
        }
        for (const quint32 sector : fatSectors) {
            m_fat.append(sector < kEndOfChain ? file.mid(offset(sector), m_sectorSize) : QByteArray());
        }
        m_fatBytes = m_fat.join();
        m_valid = true;
    }

    bool valid() const { return m_valid; }

    // The bytes of a chain of sectors, cut to `size` when given.
    QByteArray chain(quint32 sector, qint64 size = -1) const {
        QByteArray bytes;
        QSet<quint32> seen;
        while (sector < kEndOfChain && !seen.contains(sector) && (size < 0 || bytes.size() < size)) {
            seen.insert(sector);
            const qsizetype at = offset(sector);
            if (at + m_sectorSize > m_file.size()) {
                break;
            }
            bytes.append(m_file.constData() + at, m_sectorSize);
            sector = u32(m_fatBytes, 4 * static_cast<qsizetype>(sector));
        }
        return size >= 0 ? bytes.left(size) : bytes;
    }

    // The stream of the workbook: "Workbook" (or "Book" of older files) in regular sectors.
    QByteArray workbook() const {
        const QByteArray directory = chain(u32(m_file, 0x30));
        const quint32 cutoff = u32(m_file, 0x38);
        for (qsizetype at = 0; at + kDirectoryEntry <= directory.size(); at += kDirectoryEntry) {
            const int nameBytes = u16(directory, at + 0x40);
            if (nameBytes < 2 || nameBytes > 64 || directory.at(at + 0x42) != 2) {
                continue;
            }
            const QString name =
                QString::fromUtf16(reinterpret_cast<const char16_t*>(directory.constData() + at), nameBytes / 2 - 1);
            const quint32 size = u32(directory, at + 0x78);
            if ((name == QStringLiteral("Workbook") || name == QStringLiteral("Book")) && size >= cutoff) {
                return chain(u32(directory, at + 0x74), size);
            }
        }
        return {};
    }

private:
    qsizetype offset(quint32 sector) const { return (static_cast<qsizetype>(sector) + 1) * m_sectorSize; }

    const QByteArray& m_file;
    int m_sectorSize = 512;
    QList<QByteArray> m_fat;
    QByteArray m_fatBytes;
    bool m_valid = false;
};

struct Record {
    quint16 type = 0;
    qsizetype data = 0; // where its data begins in the stream
    int size = 0;
};

// The shared strings' lengths: the SST record and its CONTINUE records, read as the format
// splits them (a string's characters that go on in a CONTINUE record start with a new flags
// byte there).
class SharedStrings {
public:
    SharedStrings(const QByteArray& stream, const QList<Record>& records) : m_stream(stream), m_records(records) {}

    QList<int> lengths() {
        QList<int> lengths;
        if (m_records.isEmpty()) {
            return lengths;
        }
        m_at = m_records.first().data;
        m_end = m_at + m_records.first().size;
        read32();                       // cstTotal: the cells that use the strings
        const quint32 count = read32(); // cstUnique: the strings of the table
        for (quint32 i = 0; i < count && !m_broken; ++i) {
            const int characters = read16();
            const int flags = read8();
            const int runs = (flags & 0x08) != 0 ? read16() : 0;
            const quint32 extension = (flags & 0x04) != 0 ? read32() : 0;
            bool wide = (flags & 0x01) != 0;
            int left = characters;
            while (left > 0 && !m_broken) {
                if (m_at >= m_end && !nextRecord()) {
                    break;
                }
                if (m_continued) {
                    wide = (read8() & 0x01) != 0; // the characters go on with their own width
                    m_continued = false;
                }
                const int width = wide ? 2 : 1;
                const int here = std::min<qsizetype>(left, (m_end - m_at) / width);
                m_at += static_cast<qsizetype>(here) * width;
                left -= here;
                if (left > 0) {
                    m_at = m_end;
                }
            }
            skip(static_cast<qint64>(runs) * 4 + extension);
            lengths.append(characters);
        }
        return lengths;
    }

private:
    bool nextRecord() {
        if (++m_index >= m_records.size()) {
            m_broken = true;
            return false;
        }
        m_at = m_records.at(m_index).data;
        m_end = m_at + m_records.at(m_index).size;
        m_continued = true;
        return true;
    }
    void skip(qint64 bytes) {
        while (bytes > 0 && !m_broken) {
            if (m_at >= m_end && !nextRecord()) {
                return;
            }
            m_continued = false;
            const qint64 here = std::min<qint64>(bytes, m_end - m_at);
            m_at += here;
            bytes -= here;
        }
    }
    int read8() {
        if (m_at >= m_end && !nextRecord()) {
            return 0;
        }
        m_continued = false;
        return static_cast<unsigned char>(m_stream.at(m_at++));
    }
    int read16() { return read8() | (read8() << 8); }
    quint32 read32() { return static_cast<quint32>(read16()) | (static_cast<quint32>(read16()) << 16); }

    const QByteArray& m_stream;
    const QList<Record>& m_records;
    int m_index = 0;
    qsizetype m_at = 0;
    qsizetype m_end = 0;
    bool m_continued = false;
    bool m_broken = false;
};

QString cellName(int row, int column) {
    return WorkbookScan::columnName(column) + QString::number(row + 1);
}

} // namespace

QString WorkbookScan::columnName(int column) {
    QString letters;
    for (int c = column + 1; c > 0; c = (c - 1) / 26) {
        letters.prepend(QLatin1Char(static_cast<char>('A' + (c - 1) % 26)));
    }
    return letters;
}

std::optional<LongCell> WorkbookScan::firstLongCell(const QByteArray& file, int limit) {
    const CompoundFile compound(file);
    if (!compound.valid()) {
        return std::nullopt;
    }
    const QByteArray stream = compound.workbook();
    // The records of the workbook globals: the shared strings and where the first sheet begins.
    QList<Record> sst;
    qsizetype firstSheet = -1;
    qsizetype at = 0;
    for (bool inSst = false; at + 4 <= stream.size();) {
        const Record record{u16(stream, at), at + 4, u16(stream, at + 2)};
        at = record.data + record.size;
        if (record.type == 0x00FC) {
            sst = {record};
            inSst = true;
        } else if (record.type == 0x003C && inSst) {
            sst.append(record);
        } else {
            inSst = false;
        }
        if (record.type == 0x0085 && firstSheet < 0) {
            firstSheet = u32(stream, record.data); // BOUNDSHEET8: the sheet's BOF
        }
        if (record.type == 0x000A) {
            break; // the end of the globals
        }
    }
    const QList<int> lengths = SharedStrings(stream, sst).lengths();
    for (at = firstSheet; at >= 0 && at + 4 <= stream.size();) {
        const quint16 type = u16(stream, at);
        const qsizetype data = at + 4;
        at = data + u16(stream, at + 2);
        if (type == 0x000A) {
            break;
        }
        int characters = 0;
        if (type == 0x00FD) { // LABELSST: a cell of a shared string
            characters = lengths.value(static_cast<qsizetype>(u32(stream, data + 6)), 0);
        } else if (type == 0x0204) { // LABEL: a cell with its text
            characters = u16(stream, data + 6);
        }
        if (characters > limit) {
            return LongCell{cellName(u16(stream, data), u16(stream, data + 2)), characters};
        }
    }
    return std::nullopt;
}

} // namespace qel::imports
