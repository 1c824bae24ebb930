#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <unistd.h>

namespace wbtest {

// The throwaway server of the test command, stopped and started under the running test.
class ThrowawayServer {
public:
    static void restart() {
        pgCtl({QStringLiteral("restart"), QStringLiteral("-m"), QStringLiteral("fast")});
    }
    static void stop() { pgCtl({QStringLiteral("stop"), QStringLiteral("-m"), QStringLiteral("fast")}); }
    static void start() {
        const QString data = qEnvironmentVariable("WARDBOOK_TEST_PG_DATA");
        const QString port = qEnvironmentVariable("WARDBOOK_TEST_PG").section(QLatin1Char(':'), 1);
        const QString sockets = data.section(QLatin1Char('/'), 0, -2);
        pgCtl({QStringLiteral("start"), QStringLiteral("-l"), sockets + QStringLiteral("/server.log"),
               QStringLiteral("-o"),
               QStringLiteral("-p %1 -k %2 -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=200")
                   .arg(port, sockets)});
    }

private:
    static void pgCtl(QStringList args) {
        const QString bin = qEnvironmentVariable("WARDBOOK_TEST_PG_BIN");
        const QString data = qEnvironmentVariable("WARDBOOK_TEST_PG_DATA");
        ASSERT_FALSE(bin.isEmpty() || data.isEmpty())
            << "the test command exports WARDBOOK_TEST_PG_BIN and WARDBOOK_TEST_PG_DATA";
        args =
            QStringList{bin + QStringLiteral("/pg_ctl"), QStringLiteral("-D"), data, QStringLiteral("-w")} +
            args;
        QProcess p;
        if (getuid() == 0)
            p.start(QStringLiteral("runuser"),
                    QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--")} +
                        args);
        else
            p.start(args.takeFirst(), args);
        ASSERT_TRUE(p.waitForFinished(60000));
        ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    }
};

} // namespace wbtest
