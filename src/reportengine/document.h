#pragma once

#include <QFont>
#include <QLineF>
#include <QPageLayout>
#include <QPageSize>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QVector>
#include <functional>

class QPainter;

namespace wb::report {

// Pages are laid out in units of 1/720 inch (a tenth of a point), whatever they are drawn on.
constexpr double kUnitsPerInch = 720.0;
constexpr double kUnitsPerMm = kUnitsPerInch / 25.4;

// Marks standing for the page number and the page count in texts of page headers and footers.
inline constexpr QChar kPageNumberMark = QChar(0xE000);
inline constexpr QChar kPageCountMark = QChar(0xE001);

struct TextItem {
    QPointF pos;      // the left end of the base line; with page marks, x is the cell's left edge
    double width = 0; // with page marks: the cell's width, for the alignment
    QString text;
    quint16 font = 0;
    quint8 align = 0; // with page marks: Qt::AlignLeft, AlignHCenter or AlignRight
    bool pageMarks = false;
};

struct RuleItem {
    QLineF line;
    double width = 8;
};

struct Page {
    QVector<TextItem> texts;
    QVector<RuleItem> rules;
};

// A rendered report: its pages, ready to be shown, printed or saved as PDF.
class Document {
public:
    QString title;
    QString record; // the key of the one record printed; empty for a listing
    QPageSize pageSize{QPageSize::A4};
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QVector<QFont> fonts;
    QVector<Page> pages;

    int pageCount() const { return int(pages.size()); }
    // The page's size in units.
    QSizeF pageSizeUnits() const;
    // Draws page `index` (0-based); the painter works in units.
    void paintPage(QPainter& painter, int index) const;
    // The texts of a page as they are drawn, top to bottom (for look-ups and checks).
    QStringList pageTexts(int index) const;

    // Writes the pages to a PDF file; the file is replaced only when it was written completely.
    void saveAsPdf(const QString& path) const;

    // Draws pages `from` to `to` (0-based) on the painter's device, asking newPage() between pages.
    void paintPages(QPainter& painter, int from, int to, const std::function<bool()>& newPage) const;

private:
    QString pageText(const TextItem& item, int index) const;
};

} // namespace wb::report
