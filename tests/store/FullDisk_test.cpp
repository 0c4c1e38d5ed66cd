// A disk that fills up in the middle of a command: the user is told the engine's own reason
// (not that the rollback after it found no transaction), and the stored rows stay as they
// were. The full disk is a file system shim under the engine that refuses writes on demand.

#include "store/Database.h"
#include "store/ExecuteSql.h"
#include "support/TestSupport.h"

#include <atomic>
#include <cstring>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace qel;

namespace {

std::atomic<bool> g_diskFull{false};
sqlite3_vfs* g_real = nullptr;

// Every file of the shim: the real file first, so that the engine's pointer to it works
// as one of the real files.
struct ShimFile {
    sqlite3_file base;
    sqlite3_file* real;
};

sqlite3_file* real(sqlite3_file* file) {
    return reinterpret_cast<ShimFile*>(file)->real;
}

int shimClose(sqlite3_file* f) {
    const int rc = real(f)->pMethods ? real(f)->pMethods->xClose(real(f)) : SQLITE_OK;
    sqlite3_free(real(f));
    return rc;
}
int shimRead(sqlite3_file* f, void* b, int n, sqlite3_int64 o) {
    return real(f)->pMethods->xRead(real(f), b, n, o);
}
int shimWrite(sqlite3_file* f, const void* b, int n, sqlite3_int64 o) {
    return g_diskFull ? SQLITE_FULL : real(f)->pMethods->xWrite(real(f), b, n, o);
}
int shimTruncate(sqlite3_file* f, sqlite3_int64 s) {
    return real(f)->pMethods->xTruncate(real(f), s);
}
int shimSync(sqlite3_file* f, int flags) {
    return real(f)->pMethods->xSync(real(f), flags);
}
int shimSize(sqlite3_file* f, sqlite3_int64* s) {
    return real(f)->pMethods->xFileSize(real(f), s);
}
int shimLock(sqlite3_file* f, int l) {
    return real(f)->pMethods->xLock(real(f), l);
}
int shimUnlock(sqlite3_file* f, int l) {
    return real(f)->pMethods->xUnlock(real(f), l);
}
int shimCheckReserved(sqlite3_file* f, int* r) {
    return real(f)->pMethods->xCheckReservedLock(real(f), r);
}
int shimControl(sqlite3_file* f, int op, void* arg) {
    return real(f)->pMethods->xFileControl(real(f), op, arg);
}
int shimSector(sqlite3_file* f) {
    return real(f)->pMethods->xSectorSize(real(f));
}
int shimCharacteristics(sqlite3_file* f) {
    return real(f)->pMethods->xDeviceCharacteristics(real(f));
}
int shimShmMap(sqlite3_file* f, int page, int size, int extend, void volatile** p) {
    return real(f)->pMethods->xShmMap(real(f), page, size, extend, p);
}
int shimShmLock(sqlite3_file* f, int offset, int n, int flags) {
    return real(f)->pMethods->xShmLock(real(f), offset, n, flags);
}
void shimShmBarrier(sqlite3_file* f) {
    real(f)->pMethods->xShmBarrier(real(f));
}
int shimShmUnmap(sqlite3_file* f, int deleteFlag) {
    return real(f)->pMethods->xShmUnmap(real(f), deleteFlag);
}

const sqlite3_io_methods kShimMethods = {2,
                                         shimClose,
                                         shimRead,
                                         shimWrite,
                                         shimTruncate,
                                         shimSync,
                                         shimSize,
                                         shimLock,
                                         shimUnlock,
                                         shimCheckReserved,
                                         shimControl,
                                         shimSector,
                                         shimCharacteristics,
                                         shimShmMap,
                                         shimShmLock,
                                         shimShmBarrier,
                                         shimShmUnmap,
                                         nullptr,
                                         nullptr};

int shimOpen(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
    auto* shim = reinterpret_cast<ShimFile*>(file);
    shim->real = static_cast<sqlite3_file*>(sqlite3_malloc(g_real->szOsFile));
    if (shim->real == nullptr) {
        return SQLITE_NOMEM;
    }
    std::memset(shim->real, 0, static_cast<size_t>(g_real->szOsFile));
    const int rc = g_real->xOpen(g_real, name, shim->real, flags, outFlags);
    shim->base.pMethods = rc == SQLITE_OK ? &kShimMethods : nullptr;
    if (rc != SQLITE_OK) {
        sqlite3_free(shim->real);
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
        m_vfs.szOsFile = static_cast<int>(sizeof(ShimFile));
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
    test::insertRow(db, QStringLiteral("CAB"), key, {{QStringLiteral("ESTADO"), 0}});
    test::insertRow(db, QStringLiteral("F535SOCIOS"), key, {{QStringLiteral("nro_doc_socio"), QStringLiteral("1")}});

    auto prompter = test::makePrompter();
    prompter->expectMessage(QStringLiteral("Error Número : 13\ndatabase or disk is full"), app::Icon::Critical,
                            QStringLiteral("Error al Ejecutar Sentencia SQL"));
    const bool written = store::runAtomically(db, *prompter, [&] {
        db.run(QStringLiteral("UPDATE CAB SET ESTADO=9")).finish();
        db.run(QStringLiteral("DELETE FROM F535SOCIOS")).finish();
        g_diskFull = true; // the disk fills up before the commit reaches it
    });
    g_diskFull = false;

    EXPECT_FALSE(written);
    prompter->verify();
    EXPECT_FALSE(db.inTransaction());
    temp.reopen();
    EXPECT_EQ(temp.db().scalar(QStringLiteral("SELECT ESTADO FROM CAB")).toInt(), 0);
    EXPECT_EQ(test::rowCount(temp.db(), QStringLiteral("F535SOCIOS")), 1);
}

} // namespace
