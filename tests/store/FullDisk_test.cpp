// A disk that fills up in the middle of a command or before the start-up: the user is told
// that the disk is full (not that the rollback after it found no transaction, nor a "disk I/O
// error" number), and the stored rows stay as they were. The full disk is a file system shim
// under the engine that refuses writes on demand. A write past the process's file-size limit
// fails with its message instead of ending the process.

#include "app/PrivateFiles.h"
#include "store/Database.h"
#include "store/ExecuteSql.h"
#include "store/ResourceFault.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

using namespace qel;

namespace {

std::atomic<bool> g_diskFull{false};
sqlite3_vfs* g_real = nullptr;

// The engine's methods of its files (the database and its journals have tables of their own),
// each copied with the writes that fail on a full disk; a file keeps its place and its methods.
struct Methods {
    const sqlite3_io_methods* real = nullptr;
    sqlite3_io_methods shim{};
};
std::array<Methods, 8> g_methods;

const sqlite3_io_methods* real(sqlite3_file* f) {
    const auto found =
        std::find_if(g_methods.begin(), g_methods.end(), [f](const Methods& m) { return &m.shim == f->pMethods; });
    return found->real;
}

int shimWrite(sqlite3_file* f, const void* b, int n, sqlite3_int64 o) {
    return g_diskFull ? SQLITE_FULL : real(f)->xWrite(f, b, n, o);
}
int shimShmMap(sqlite3_file* f, int page, int size, int extend, void volatile** p) {
    if (g_diskFull && extend != 0) {
        errno = ENOSPC; // as growing the shared-memory file on a full disk leaves it
        return SQLITE_IOERR_SHMSIZE;
    }
    return real(f)->xShmMap(f, page, size, extend, p);
}

int shimOpen(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
    const int rc = g_real->xOpen(g_real, name, file, flags, outFlags);
    if (rc == SQLITE_OK && file->pMethods != nullptr) {
        auto slot = std::find_if(g_methods.begin(), g_methods.end(),
                                 [file](const Methods& m) { return m.real == file->pMethods || m.real == nullptr; });
        if (slot->real == nullptr) {
            slot->real = file->pMethods;
            slot->shim = *file->pMethods;
            slot->shim.xWrite = shimWrite;
            slot->shim.xShmMap = shimShmMap;
        }
        file->pMethods = &slot->shim;
    }
    return rc;
}

// The shim as the engine's default file system while a test runs.
class FullDiskShim {
public:
    FullDiskShim() {
        g_real = sqlite3_vfs_find(nullptr);
        m_vfs = *g_real;
        m_vfs.zName = "qel_full_disk";
        m_vfs.xOpen = shimOpen;
        m_vfs.pNext = nullptr;
        sqlite3_vfs_register(&m_vfs, 1);
    }
    ~FullDiskShim() {
        g_diskFull = false;
        sqlite3_vfs_unregister(&m_vfs);
        sqlite3_vfs_register(g_real, 1);
    }

private:
    sqlite3_vfs m_vfs{};
};

TEST(FullDisk, AFailedCommitShowsTheRealCauseAndLosesNothing) {
    FullDiskShim shim;
    test::TempDatabase temp; // opened through the shim
    store::Database& db = temp.db();
    const store::DeclarationKey key = test::demoKey();
    test::insertRow(db, u"CAB"_s, key, {{u"ESTADO"_s, 0}});
    test::insertRow(db, u"F535SOCIOS"_s, key, {{u"nro_doc_socio"_s, u"1"_s}});

    auto prompter = test::makePrompter();
    prompter->expectMessage(u"Error Número : 13\n"_s + *store::resourceFaultText(SQLITE_FULL, 0, temp.path()),
                            app::Icon::Critical, u"Error al Ejecutar Sentencia SQL"_s);
    const bool written = store::runAtomically(db, *prompter, [&] {
        db.run(u"UPDATE CAB SET ESTADO=9"_s).finish();
        db.run(u"DELETE FROM F535SOCIOS"_s).finish();
        g_diskFull = true; // the disk fills up before the commit reaches it
    });
    g_diskFull = false;

    EXPECT_FALSE(written);
    prompter->verify();
    EXPECT_FALSE(db.inTransaction());
    temp.reopen();
    EXPECT_EQ(temp.db().scalar(u"SELECT ESTADO FROM CAB"_s).toInt(), 0);
    EXPECT_EQ(test::rowCount(temp.db(), u"F535SOCIOS"_s), 1);
}

TEST(FullDisk, AFullDiskAtStartUpIsNamedAsSuch) {
    FullDiskShim shim;
    test::TempDatabase temp;
    // A copy no connection has open: its start-up must write (its journal mode, its shared
    // memory), and the disk is full.
    const QString copy = temp.folder() + u"/copia.db"_s;
    temp.db().run(u"VACUUM INTO ?"_s, {copy}).finish();
    g_diskFull = true;
    const store::Database::OpenResult opened = store::Database::open(copy);
    g_diskFull = false;
    EXPECT_EQ(opened.database, nullptr);
    EXPECT_TRUE(opened.errorText.startsWith(u"No queda espacio en el disco para la base de datos"_s))
        << opened.errorText.toStdString();
}

TEST(FullDisk, ResourceFaultsAreNamedByTheirCause) {
    const QString disk = u"No queda espacio en el disco"_s;
    const QString limit = u"tamaño máximo que el sistema permite"_s;
    const struct {
        int engine;
        int system;
        QString starts; // empty: the engine's text stays
    } cases[] = {
        {SQLITE_FULL, 0, disk},
        {SQLITE_IOERR_SHMSIZE, 0, disk},
        {SQLITE_IOERR_WRITE, ENOSPC, disk},
        {SQLITE_IOERR_WRITE, EFBIG, u"No se pudo escribir"_s},
        {SQLITE_IOERR_FSYNC, EDQUOT, disk},
        {SQLITE_IOERR_WRITE, EIO, {}},
        {SQLITE_CONSTRAINT, ENOSPC, {}}, // an errno left from an earlier call
        {SQLITE_BUSY, EFBIG, {}},
    };
    for (const auto& c : cases) {
        const std::optional<QString> text = store::resourceFaultText(c.engine, c.system, u"/x/QEL.db"_s);
        EXPECT_EQ(text.has_value(), !c.starts.isEmpty()) << c.engine << " " << c.system;
        if (text && c.system == EFBIG) {
            EXPECT_TRUE(text->contains(limit));
        }
        if (text) {
            EXPECT_TRUE(text->startsWith(c.starts)) << text->toStdString();
            EXPECT_TRUE(text->contains(u"/x/QEL.db"_s));
        }
    }
}

// ulimit -f: without the signal ignored the process would die of SIGXFSZ with no word.
TEST(FullDisk, AWritePastTheFileSizeLimitFailsWithItsMessage) {
    test::TempDatabase temp;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        app::failWritesPastTheSizeLimit();
        struct rlimit limit {};
        limit.rlim_cur = limit.rlim_max = 2 * 1024 * 1024;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        QString said = u"no error"_s;
        try {
            store::Database& db = temp.db();
            db.run(u"CREATE TABLE relleno (x BLOB)"_s).finish();
            for (int i = 0; i < 64; ++i) {
                db.run(u"INSERT INTO relleno VALUES (zeroblob(262144))"_s).finish();
            }
            db.run(u"PRAGMA wal_checkpoint(TRUNCATE)"_s).finish();
        } catch (const store::DatabaseError& error) {
            said = error.text();
        }
        std::fprintf(stderr, "%s\n", said.toUtf8().constData());
        ::_exit(said.contains(u"tamaño máximo que el sistema permite"_s) ? 0 : 3);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write did not fail with its message (above)";
}

} // namespace
