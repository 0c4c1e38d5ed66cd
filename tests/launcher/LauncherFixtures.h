#pragma once

#include "app/IniFile.h"
#include "base/Passwords.h"
#include "store/Database.h"
#include "store/DeclarationTables.h"

#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Rows the launcher tests need whatever the reference data already holds: the two demo
// users and the tables of a sent declaration.
namespace qel::test {

inline void ensureLauncherUsers(store::Database& db) {
    // The user, the password, the kind.
    const std::tuple<QString, QString, QString> users[] = {
        {"SUPERVISOR", "supervisor", "0"}, {"CONTADOR", "contador", "1"}, {"AUDITOR", "auditor", "1"}};
    for (const auto& [user, password, kind] : users) {
        // Replaced: the same on both engines.
        db.run("DELETE FROM CLAVES WHERE Usuario=?", {user}).finish();
        db.run("INSERT INTO CLAVES (Usuario, Clave, tipo) VALUES (?, ?, ?)",
               {user, app::passwordDigest(user, password), kind})
            .finish();
    }
}

inline void ensureSentTables(store::Database& db) {
    QStringList tables = store::declaration_tables::sentDeclarationTables();
    tables.append("CONTROL");
    for (const QString& table : tables) {
        db.run(db.dialect().insertKeepingExisting("envio_t", {"formulario", "tabla_o"}), {"0588", table}).finish();
    }
}

// A test with a configuration folder of its own through QEL_CONFIG_DIR, as the programs find
// it, and a folder for the environment.
class ConfigFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_previous = qgetenv("QEL_CONFIG_DIR");
        qputenv("QEL_CONFIG_DIR", m_config.path().toLocal8Bit());
    }
    void TearDown() override {
        if (m_previous.isEmpty()) {
            qunsetenv("QEL_CONFIG_DIR");
        } else {
            qputenv("QEL_CONFIG_DIR", m_previous);
        }
    }
    QString folder(const QString& name = "QEL") const { return m_root.path() + '/' + name; }
    QString iniPath() const { return m_config.path() + "/PM000.INI"; }
    static QString read(const QString& key) { return app::IniFile::standard().read(app::IniFile::kOptions, key); }

    QTemporaryDir m_config;
    QTemporaryDir m_root;
    QByteArray m_previous;
};

} // namespace qel::test
