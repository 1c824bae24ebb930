#include "data/connection.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace wb;

namespace {

// A connection whose set-up fails is not open: nothing can run on it as if it were.
TEST(ConnectionOpen, ASetUpStepThatFailsLeavesTheConnectionClosed) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("not-a-database.sqlite"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    Connection con;
    ConnectInfo info;
    info.server = path;
    EXPECT_THROW(con.Open(info), DbError);
    EXPECT_FALSE(con.isOpen());
    EXPECT_EQ(con.State(), Connection::adStateClosed);
    try {
        con.Execute(QStringLiteral("select 1"));
        ADD_FAILURE() << "a statement ran on a connection that failed to open";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::Connection);
    }
}

} // namespace
