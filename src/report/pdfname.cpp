#include "pdfname.h"

#include <QDir>
#include <QStandardPaths>

namespace wb::report {

namespace {

QString documentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir().mkpath(documents))
        return documents;
    return QDir::homePath();
}

// The title as a file name: characters that file systems refuse become "-".
QString fileTitle(const QString& title) {
    QString name;
    for (const QChar c : title)
        name += (c.isPrint() && !QStringLiteral("/\\:*?\"<>|").contains(c)) ? c : QChar(u'-');
    name = name.simplified();
    while (name.startsWith(u'.'))
        name.remove(0, 1);
    return name.isEmpty() ? QStringLiteral("Report") : name;
}

} // namespace

QString proposedPdfPath(const QString& title, const QDate& date, const QString& record) {
    QString name = fileTitle(title);
    if (!record.trimmed().isEmpty())
        name += u' ' + fileTitle(record);
    return QDir(documentsFolder())
        .filePath(QStringLiteral("%1 %2.pdf").arg(name, date.toString(QStringLiteral("yyyy-MM-dd"))));
}

} // namespace wb::report
