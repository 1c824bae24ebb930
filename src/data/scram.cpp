#include "scram.h"

#include "connection.h"

#include <QSqlDriver>
#include <libpq-fe.h>

namespace wb {

QString scramVerifier(Connection& con, const QString& password) {
    const QVariant handle = con.database().driver()->handle();
    PGconn* pg = nullptr;
    // The driver hands its connection out as "PGconn*" (libpq's typedef) or "pg_conn*" (its struct).
    if (handle.isValid() &&
        (qstrcmp(handle.typeName(), "PGconn*") == 0 || qstrcmp(handle.typeName(), "pg_conn*") == 0))
        pg = *static_cast<PGconn* const*>(handle.constData());
    if (!pg)
        throw DbError(QStringLiteral("A password can only be protected on an open server connection."),
                      DbError::Kind::Connection);
    const QByteArray utf8 = password.toUtf8();
    // The role name only salts the old MD5 method; SCRAM draws a random salt of its own.
    char* verifier = PQencryptPasswordConn(pg, utf8.constData(), "", "scram-sha-256");
    if (!verifier)
        throw DbError(QStringLiteral("The password could not be protected: %1")
                          .arg(QString::fromLocal8Bit(PQerrorMessage(pg)).trimmed()));
    const QString result = QString::fromLatin1(verifier);
    PQfreemem(verifier);
    return result;
}

} // namespace wb
