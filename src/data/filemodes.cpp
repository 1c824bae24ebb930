#include "filemodes.h"

#include "dberror.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wb::FileModes {

namespace {

[[noreturn]] void fail(const QString& what, const QString& path) {
    throw DbError(
        QStringLiteral("%1 \"%2\": %3").arg(what, path, QString::fromLocal8Bit(std::strerror(errno))),
        DbError::Kind::Connection);
}

void restrict(const QString& path, mode_t keep) {
    const QByteArray p = QFile::encodeName(path);
    struct stat st {};
    if (::stat(p.constData(), &st) != 0) {
        if (errno == ENOENT)
            return;
        fail(QStringLiteral("Cannot read the rights of"), path);
    }
    const mode_t wanted = st.st_mode & keep;
    if ((st.st_mode & 07777) != wanted && ::chmod(p.constData(), wanted) != 0)
        fail(QStringLiteral("Cannot make it private:"), path);
}

} // namespace

int mode(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return -1;
    return static_cast<int>(st.st_mode & 07777);
}

void ownerOnlyFolder(const QString& dir) {
    if (!QDir(dir).exists() && !QDir().mkpath(dir))
        throw DbError(QStringLiteral("Cannot create the folder \"%1\".").arg(dir), DbError::Kind::Connection);
    restrict(dir, S_IRWXU);
}

void createOwnerOnlyFile(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                          S_IRUSR | S_IWUSR);
    if (fd < 0) {
        if (errno == EEXIST)
            return;
        fail(QStringLiteral("Cannot create"), path);
    }
    ::close(fd);
}

void ownerOnlyDatabase(const QString& path) {
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        restrict(path + QLatin1String(suffix), S_IRUSR | S_IWUSR);
}

} // namespace wb::FileModes
