#pragma once

#include "data/connection.h"
#include "printers.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace wbtest {

// The password of the first administrator of every test database.
inline const QString AdminPassword = QStringLiteral("Admin-Test-7");

// Whether the test command configured a PostgreSQL server (WARDBOOK_TEST_PG = host:port, with
// WARDBOOK_TEST_PG_USER and WARDBOOK_TEST_PG_PASSWORD of its superuser).
bool postgresConfigured();
// What a PostgreSQL case says when it is run without a server: it fails, never passes by skipping.
std::string noServerMessage();

// The test server's superuser on a database of that server (PostgreSQL).
wb::ConnectInfo serverAdminInfo(const QString& database);

// A fresh database of one engine with every table and the first administrator "ADMIN". The
// PostgreSQL one is a catalogue of its own, dropped with its logins at the end.
class TestDatabase {
public:
    explicit TestDatabase(wb::Engine engine);
    ~TestDatabase();

    wb::Engine engine() const { return engine_; }
    wb::ConnectInfo info(const QString& user, const QString& password) const;
    wb::ConnectInfo adminInfo() const { return info(QStringLiteral("ADMIN"), AdminPassword); }
    std::unique_ptr<wb::Connection> connect(const QString& user = QStringLiteral("ADMIN"),
                                            const QString& password = AdminPassword) const;
    // The password of the account that only lists users (PostgreSQL).
    static QString listerPassword() { return QStringLiteral("Lister-Test-3"); }
    const QString& name() const { return name_; }
    // Writes a Server.txt naming this database's server into `dir` (and points the embedded
    // database of this run at this one).
    void writeServerFile(const QString& dir) const;

private:
    wb::Engine engine_;
    QTemporaryDir dir_;
    QString name_;
    QString path_;
};

// Opens Module1::Con on a database as the given user, with the public variables at their start.
void openShared(const TestDatabase& db, const QString& user = QStringLiteral("ADMIN"),
                const QString& password = AdminPassword);

// A test case that runs once per engine: SetUp gives `db`, skipped with a reason without a server.
class EngineTest : public ::testing::TestWithParam<wb::Engine> {
protected:
    void SetUp() override;
    void TearDown() override;
    std::unique_ptr<TestDatabase> db;
};

std::string engineName(const ::testing::TestParamInfo<wb::Engine>& info);

} // namespace wbtest

#define WB_ENGINES(Suite)                                                                                    \
    INSTANTIATE_TEST_SUITE_P(Engines, Suite, ::testing::Values(wb::Engine::Sqlite, wb::Engine::Postgres),    \
                             wbtest::engineName)
