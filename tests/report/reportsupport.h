#pragma once

#include "reportengine/document.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace reporttest {

// The templates of the program, as they stand in the source tree.
inline QString sourceTemplates() {
    return QStringLiteral(WARDBOOK_SOURCE_DIR "/Hos_Report");
}

// The text of a PDF file as pdftotext reads it, page by page with their layout.
inline QString pdfText(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext failed on " << path.toStdString() << ": "
                      << p.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

inline QString pdfText(const wb::report::Document& doc) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    doc.saveAsPdf(path);
    return pdfText(path);
}

// Writes a template into `dir` and returns its path.
inline QString writeTemplate(const QTemporaryDir& dir, const QString& name, const QString& text) {
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        ADD_FAILURE() << "cannot write " << path.toStdString();
    f.write(text.toUtf8());
    return path;
}

} // namespace reporttest
