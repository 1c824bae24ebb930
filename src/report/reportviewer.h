#pragma once

#include "reportengine/document.h"

#include <QAbstractScrollArea>
#include <QWidget>
#include <memory>

class QComboBox;
class QLabel;
class QPrinter;
class QToolButton;

namespace wb::report {

class Report;

// Shows one page of a document at a time, scaled to the zoom.
class PageView : public QAbstractScrollArea {
    Q_OBJECT
public:
    enum class Fit { None, Width, Page };

    explicit PageView(QWidget* parent = nullptr);
    void setDocument(std::shared_ptr<const Document> doc);
    void setPage(int index);
    int page() const { return page_; }
    void setZoom(double factor); // 1.0 = the page's real size on the screen
    void setFit(Fit fit);
    double zoom() const;

signals:
    void pageStep(int delta); // PageUp/PageDown asked for another page

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    double pixelsPerUnit() const;
    QSizeF pagePixels() const;
    void updateScrollBars();

    std::shared_ptr<const Document> doc_;
    int page_ = 0;
    double zoom_ = 1.0;
    Fit fit_ = Fit::Width;
};

// The report viewer: a tool bar (first, previous, next and last page, "Page x of n", zoom, Print,
// Save as PDF) over the page view.
class ReportViewer : public QWidget {
    Q_OBJECT
public:
    explicit ReportViewer(QWidget* parent = nullptr);
    ~ReportViewer() override;

    // The report to show; ViewReport() renders it and shows its first page.
    void setReportSource(const std::shared_ptr<Report>& report);
    std::shared_ptr<Report> reportSource() const { return source_; }
    // Renders the report source. When it fails the viewer keeps showing what it showed, and the
    // error is raised to the caller.
    void ViewReport();

    void setDocument(std::shared_ptr<const Document> doc);
    std::shared_ptr<const Document> document() const { return doc_; }

    int currentPage() const; // from 1; 0 with nothing shown
    int pageCount() const;
    void showFirstPage();
    void showPreviousPage();
    void showNextPage();
    void showLastPage();
    void showNthPage(int page);

    // Zoom: a percentage of the real size, or the page fitted to the width or to the whole view.
    void setZoomPercent(int percent);
    void fitPageWidth();
    void fitWholePage();
    double zoom() const;

    // Print asks for the printer (QPrintDialog); Save as PDF asks for the file (QFileDialog).
    void printReport();
    void exportPdf();
    void printTo(QPrinter& printer) const;
    void saveAsPdf(const QString& path) const;

    PageView* pageView() const { return view_; }

signals:
    void pageChanged(int page);

private:
    void updateControls();
    void zoomChosen(int index);

    std::shared_ptr<Report> source_;
    std::shared_ptr<Report> shownSource_;
    std::shared_ptr<const Document> doc_;
    PageView* view_ = nullptr;
    QToolButton* first_ = nullptr;
    QToolButton* previous_ = nullptr;
    QToolButton* next_ = nullptr;
    QToolButton* last_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    QComboBox* zoomBox_ = nullptr;
    QToolButton* print_ = nullptr;
    QToolButton* pdf_ = nullptr;
};

// Prints every page of the document (or the printer's page range) on a printer the caller has set up.
void printDocument(const Document& doc, QPrinter& printer);

} // namespace wb::report
