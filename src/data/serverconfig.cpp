#include "serverconfig.h"

#include "filemodes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace wb {

namespace {

// One field of a sequential read: up to the next comma or line end; a quoted field keeps its commas.
QString readField(const QString& text, qsizetype& pos) {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;
    QString field;
    if (pos < text.size() && text[pos] == '"') {
        const qsizetype end = text.indexOf('"', pos + 1);
        field = text.mid(pos + 1, end < 0 ? -1 : end - pos - 1);
        pos = end < 0 ? text.size() : end + 1;
        while (pos < text.size() && text[pos] != ',' && text[pos] != '\n')
            ++pos;
    } else {
        const qsizetype start = pos;
        while (pos < text.size() && text[pos] != ',' && text[pos] != '\n' && text[pos] != '\r')
            ++pos;
        field = text.mid(start, pos - start).trimmed();
    }
    if (pos < text.size() && text[pos] == ',')
        ++pos;
    return field;
}

} // namespace

ConnectInfo ServerConfig::connectInfo(const QString& user, const QString& password) const {
    ConnectInfo info;
    if (embedded()) {
        info.engine = Engine::Sqlite;
        info.server = embeddedDatabasePath();
    } else {
        info.engine = Engine::Postgres;
        info.server = server;
    }
    info.database = catalogueName();
    info.user = user;
    info.password = password;
    return info;
}

QString serverFileProblem(const QString& listerPassword) {
    const bool unreadable =
        listerPassword.contains(QLatin1Char('"')) || listerPassword.contains(QLatin1Char(',')) ||
        listerPassword.contains(QLatin1Char('\n')) || listerPassword.contains(QLatin1Char('\r')) ||
        listerPassword.trimmed() != listerPassword;
    if (!unreadable)
        return {};
    return QStringLiteral("The listing account's password cannot be written into Server.txt: it must not "
                          "contain quotes, commas or line breaks, nor begin or end with a blank.");
}

ServerConfig readServerFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw DbError(
            QStringLiteral("The server file \"%1\" cannot be read: %2").arg(path, file.errorString()),
            DbError::Kind::Connection);
    const QString text = QString::fromUtf8(file.readAll());
    qsizetype pos = 0;
    ServerConfig config;
    config.server = readField(text, pos);
    if (config.server.isEmpty())
        throw DbError(QStringLiteral("The server file \"%1\" names no server.").arg(path),
                      DbError::Kind::Connection);
    if (pos < text.size() && text[pos - 1] == ',')
        config.listerPassword = readField(text, pos);
    return config;
}

QString serverFilePath() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Server.txt");
}

namespace {
QString& embeddedOverride() {
    static QString path;
    return path;
}

QString& catalogueOverride() {
    static QString name;
    return name;
}

} // namespace

QString catalogueName() {
    return catalogueOverride().isEmpty() ? QStringLiteral("Wardbook") : catalogueOverride();
}
void setCatalogueName(const QString& name) {
    catalogueOverride() = name;
}

void setEmbeddedDatabasePath(const QString& path) {
    embeddedOverride() = path;
}

QString embeddedDatabasePath() {
    if (!embeddedOverride().isEmpty())
        return embeddedOverride();
    const QString fromEnvironment = qEnvironmentVariable("WARDBOOK_DATABASE");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    const QString dir =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Wardbook");
    FileModes::ownerOnlyFolder(dir); // the program's own folder: its owner's only
    return dir + QStringLiteral("/Wardbook.sqlite");
}

} // namespace wb
