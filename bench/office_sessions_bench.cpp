// Several accountants saving at once on one office server: 1, 3 and 10 module processes in
// the batch mode (pm0588 --batch, as users run it), each on a declaration of its own with
// 10,000 annex rows, each opening it and saving it a few times; all started together. It
// prints the saves per second of each round and, against one session, the throughput ratio and
// the CPU time per save (the modules' processes and the server's, whose ended sessions the
// postmaster adds up). After every round each declaration must hold all its annex rows.
//
//   office_sessions_bench [--sessions=1,3,10] [--saves=3] [--rows=10k] [--module=PATH]

#include "app/IniFile.h"
#include "bench_support.h"
#include "catalogue/FormControls.h"
#include "server_bench_support.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <libpq-fe.h>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using namespace qel;

struct Options {
    QList<int> sessions = {1, 3, 10};
    int saves = 3;
    int rows = 0; // annexRows() when not given
    QString module = QStringLiteral(QEL_BENCH_MODULE);
};

std::optional<Options> readOptions(const QStringList& arguments) {
    Options options;
    for (const QString& argument : arguments.mid(1)) {
        const QString value = argument.section(QLatin1Char('='), 1);
        bool ok = true;
        if (argument.startsWith(QStringLiteral("--sessions="))) {
            options.sessions.clear();
            for (const QString& count : value.split(QLatin1Char(','))) {
                options.sessions.append(count.toInt(&ok));
                ok = ok && options.sessions.last() > 0 && options.sessions.last() <= 100;
                if (!ok) {
                    break;
                }
            }
        } else if (argument.startsWith(QStringLiteral("--saves="))) {
            options.saves = value.toInt(&ok);
            ok = ok && options.saves > 0;
        } else if (argument.startsWith(QStringLiteral("--rows="))) {
            options.rows = bench::parseRowCount(value);
            ok = options.rows > 0;
        } else if (argument.startsWith(QStringLiteral("--module="))) {
            options.module = value;
        } else {
            ok = false;
        }
        if (!ok) {
            std::fprintf(stderr, "%s: not understood\n", qPrintable(argument));
            return std::nullopt;
        }
    }
    if (options.rows == 0) {
        options.rows = bench::annexRows();
    }
    return options;
}

// The CPU seconds of the ended children of a process: for the postmaster, every server
// session that has ended.
double endedChildrenCpuSeconds(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 15) {
        return 0;
    }
    // cutime and cstime, the 16th and 17th fields.
    return static_cast<double>(fields.at(13).toLongLong() + fields.at(14).toLongLong()) /
           static_cast<double>(sysconf(_SC_CLK_TCK));
}

qint64 parentOf(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QByteArray line = stat.readAll();
    return line.mid(line.lastIndexOf(')') + 2).split(' ').value(1).toLongLong();
}

double childrenCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

store::DeclarationKey sessionKey(int session) {
    return {QStringLiteral("2060%1").arg(session, 7, 10, QLatin1Char('0')), QStringLiteral("2018"),
            QStringLiteral("0588")};
}

// The annex rows the declaration holds in its permanent tables.
int annexRowsOf(store::Database& db, const store::DeclarationKey& key) {
    const store::SqlFilter filter = key.filter();
    int rows = 0;
    for (const QString& table : bench::annexTables()) {
        rows += db.scalar(QStringLiteral("SELECT count(*) FROM ") + table + filter.text, filter.values).toInt();
    }
    return rows;
}

struct Round {
    int sessions = 0;
    int saves = 0;
    double wall = 0;
    double moduleCpu = 0;
    double serverCpu = 0;
    double throughput() const { return saves / wall; }
    double cpuPerSave() const { return (moduleCpu + serverCpu) / saves; }
};

class Office {
public:
    Office(const Options& options) : m_options(options) {}

    // The declarations of `count` sessions, each with its configuration and script.
    void prepare(int count) {
        store::Database& db = m_database.db();
        const int perTable = m_options.rows / static_cast<int>(bench::annexTables().size());
        for (int s = 0; s < count; ++s) {
            const store::DeclarationKey key = sessionKey(s);
            // No value in the casillas that hold the answer to a question, but for two answers.
            bench::storeDeclaration(db, key, [](const declaration::CasillaDef& def) {
                return declaration::FormControls::instance().answeredIn(def.number) == nullptr;
            });
            bench::storeCasilla(db, key, QStringLiteral("878"), QStringLiteral("0"));
            bench::storeCasilla(db, key, QStringLiteral("870"), QStringLiteral("2"));
            bench::fillAnnexRows(db, key, bench::annexTables(), m_options.rows);
            m_expectedRows = perTable * static_cast<int>(bench::annexTables().size());

            auto folder = std::make_unique<QTemporaryDir>();
            const QString path = folder->path();
            const app::IniFile ini(path + QStringLiteral("/PM000.INI"));
            ini.write(app::IniFile::kOptions, QStringLiteral("SysPath"), path + QLatin1Char('/'));
            ini.write(app::IniFile::kOptions, QStringLiteral("DBEngine"), QStringLiteral("PostgreSQL"));
            ini.write(app::IniFile::kOptions, QStringLiteral("DBServer"), m_database.schemaUri());
            ini.write(app::IniFile::kOptions, QStringLiteral("SysUser"), QStringLiteral("SUPERVISOR"));
            QFile script(path + QStringLiteral("/guion.txt"));
            if (!script.open(QIODevice::WriteOnly)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(script.fileName()));
                std::exit(1);
            }
            // Each save follows a change of a typed casilla, as an accountant's does.
            QString text = QStringLiteral("open %1\n").arg(key.ruc);
            for (int i = 0; i < m_options.saves; ++i) {
                text += QStringLiteral("type 105 %1\nsave\n").arg(1000 + i);
            }
            text += QStringLiteral("close\n");
            script.write(text.toUtf8());
            m_folders.push_back(std::move(folder));
        }
    }

    Round run(int sessions) {
        PGconn* handle = m_database.handle();
        const qint64 postmaster = parentOf(PQbackendPID(handle));
        const double moduleBefore = childrenCpuSeconds();
        const double serverBefore = endedChildrenCpuSeconds(postmaster);
        std::vector<std::unique_ptr<QProcess>> processes;
        QElapsedTimer wall;
        wall.start();
        for (int s = 0; s < sessions; ++s) {
            auto process = std::make_unique<QProcess>();
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("QEL_CONFIG_DIR"), m_folders.at(s)->path());
            process->setProcessEnvironment(environment);
            process->start(m_options.module,
                           {QStringLiteral("--batch"), m_folders.at(s)->path() + QStringLiteral("/guion.txt")});
            processes.push_back(std::move(process));
        }
        bool failed = false;
        for (int s = 0; s < sessions; ++s) {
            QProcess& process = *processes.at(s);
            process.waitForFinished(-1);
            const QString out = QString::fromUtf8(process.readAllStandardOutput());
            // Every save says it wrote the declaration (with its inconsistencies, here: the typed
            // casilla no longer matches its detail, as after an accountant's change).
            if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 ||
                out.count(QStringLiteral("de la declaración fue grabada")) != m_options.saves) {
                std::fprintf(stderr, "session %d ended with code %d:\n%s%s\n", s, process.exitCode(), qPrintable(out),
                             process.readAllStandardError().constData());
                failed = true;
            }
        }
        Round round;
        round.sessions = sessions;
        round.saves = sessions * m_options.saves;
        round.wall = static_cast<double>(wall.nsecsElapsed()) * 1e-9;
        round.moduleCpu = childrenCpuSeconds() - moduleBefore;
        // The postmaster adds an ended session's time once it has collected it.
        QThread::msleep(300);
        round.serverCpu = endedChildrenCpuSeconds(postmaster) - serverBefore;
        for (int s = 0; s < sessions; ++s) {
            const int rows = annexRowsOf(m_database.db(), sessionKey(s));
            if (rows != m_expectedRows) {
                std::fprintf(stderr, "session %d: the declaration holds %d annex rows, not %d\n", s, rows,
                             m_expectedRows);
                failed = true;
            }
        }
        m_failed = m_failed || failed;
        return round;
    }

    bool failed() const { return m_failed; }
    int expectedRows() const { return m_expectedRows; }

private:
    Options m_options;
    bench::ServerBenchDatabase m_database;
    std::vector<std::unique_ptr<QTemporaryDir>> m_folders;
    int m_expectedRows = 0;
    bool m_failed = false;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (bench::serverMissing("office_sessions_bench")) {
        return 0;
    }
    const std::optional<Options> options = readOptions(QCoreApplication::arguments());
    if (!options) {
        return 2;
    }
    Office office(*options);
    office.prepare(*std::max_element(options->sessions.cbegin(), options->sessions.cend()));
    std::printf("ROWS %d annex rows per declaration, %d saves per session\n", office.expectedRows(), options->saves);
    std::vector<Round> rounds;
    for (const int sessions : options->sessions) {
        const Round round = office.run(sessions);
        std::printf("SESSIONS %d: %d saves in %.2f s = %.2f saves/s; cpu %.2f s modules + %.2f s server = %.3f s per "
                    "save\n",
                    round.sessions, round.saves, round.wall, round.throughput(), round.moduleCpu, round.serverCpu,
                    round.cpuPerSave());
        std::fflush(stdout);
        rounds.push_back(round);
    }
    for (const Round& round : rounds) {
        if (round.sessions != 1) {
            for (const Round& one : rounds) {
                if (one.sessions == 1) {
                    std::printf("RATIO %d sessions / 1 session = %.2f throughput (wall), %.2f cpu per save\n",
                                round.sessions, round.throughput() / one.throughput(),
                                round.cpuPerSave() / one.cpuPerSave());
                    break;
                }
            }
        }
    }
    return office.failed() ? 1 : 0;
}
