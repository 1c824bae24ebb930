#include "document.h"

#include "reporterror.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <functional>

namespace wb::report {

QSizeF Document::pageSizeUnits() const {
    QSizeF inches = pageSize.size(QPageSize::Inch);
    if (orientation == QPageLayout::Landscape)
        inches.transpose();
    return inches * kUnitsPerInch;
}

QString Document::pageText(const TextItem& item, int index) const {
    QString s = item.text;
    s.replace(kPageNumberMark, QString::number(index + 1));
    s.replace(kPageCountMark, QString::number(pages.size()));
    return s;
}

void Document::paintPage(QPainter& painter, int index) const {
    if (index < 0 || index >= pages.size())
        return;
    const Page& page = pages.at(index);
    painter.save();
    painter.setPen(QPen(Qt::black, 0));
    int current = -1;
    for (const TextItem& item : page.texts) {
        if (item.font != current) {
            current = item.font;
            painter.setFont(fonts.at(current));
        }
        if (!item.pageMarks) {
            painter.drawText(item.pos, item.text);
            continue;
        }
        const QString s = pageText(item, index);
        const double w = QFontMetricsF(fonts.at(current)).horizontalAdvance(s);
        double x = item.pos.x();
        if (item.align == Qt::AlignRight)
            x += item.width - w;
        else if (item.align == Qt::AlignHCenter)
            x += (item.width - w) / 2;
        painter.drawText(QPointF(x, item.pos.y()), s);
    }
    for (const RuleItem& rule : page.rules) {
        painter.setPen(QPen(Qt::black, rule.width));
        painter.drawLine(rule.line);
    }
    painter.restore();
}

QStringList Document::pageTexts(int index) const {
    QStringList out;
    if (index < 0 || index >= pages.size())
        return out;
    for (const TextItem& item : pages.at(index).texts)
        out << (item.pageMarks ? pageText(item, index) : item.text);
    return out;
}

void Document::paintPages(QPainter& painter, int from, int to, const std::function<bool()>& newPage) const {
    const QPaintDevice* device = painter.device();
    const double sx = device->logicalDpiX() / kUnitsPerInch;
    const double sy = device->logicalDpiY() / kUnitsPerInch;
    for (int i = from; i <= to; ++i) {
        if (i > from && !newPage())
            throw ReportError(QStringLiteral("A new page could not be started"));
        painter.save();
        painter.scale(sx, sy);
        paintPage(painter, i);
        painter.restore();
    }
}

void Document::saveAsPdf(const QString& path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw ReportError(QStringLiteral("The file %1 cannot be written: %2").arg(path, file.errorString()));
    {
        QPdfWriter writer(&file);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Wardbook"));
        writer.setResolution(int(kUnitsPerInch));
        writer.setPageLayout(QPageLayout(pageSize, orientation, QMarginsF(0, 0, 0, 0)));
        QPainter painter;
        if (!painter.begin(&writer))
            throw ReportError(QStringLiteral("The file %1 cannot be written").arg(path));
        if (!pages.isEmpty())
            paintPages(painter, 0, int(pages.size()) - 1, [&] { return writer.newPage(); });
        painter.end();
    }
    if (!file.commit())
        throw ReportError(QStringLiteral("The file %1 cannot be written: %2").arg(path, file.errorString()));
}

} // namespace wb::report
