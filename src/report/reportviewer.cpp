#include "reportviewer.h"

#include "pdfname.h"
#include "reportengine/report.h"
#include "ui/clock.h"
#include "ui/guard.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace wb::report {

namespace {
constexpr double kGap = 16; // pixels around the page
}

// ---- PageView

PageView::PageView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
}

void PageView::setDocument(std::shared_ptr<const Document> doc) {
    doc_ = std::move(doc);
    page_ = 0;
    updateScrollBars();
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

void PageView::setPage(int index) {
    if (!doc_ || doc_->pages.isEmpty())
        return;
    index = qBound(0, index, doc_->pageCount() - 1);
    if (index == page_)
        return;
    page_ = index;
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

void PageView::setZoom(double factor) {
    zoom_ = qBound(0.1, factor, 8.0);
    fit_ = Fit::None;
    updateScrollBars();
    viewport()->update();
}

void PageView::setFit(Fit fit) {
    fit_ = fit;
    updateScrollBars();
    viewport()->update();
}

double PageView::zoom() const {
    if (!doc_ || fit_ == Fit::None)
        return zoom_;
    const QSizeF real = doc_->pageSizeUnits() * (logicalDpiX() / kUnitsPerInch);
    const QSize room = viewport()->size();
    const double byWidth = (room.width() - 2 * kGap) / real.width();
    if (fit_ == Fit::Width)
        return std::max(0.1, byWidth);
    const double byHeight = (room.height() - 2 * kGap) / real.height();
    return std::max(0.1, std::min(byWidth, byHeight));
}

double PageView::pixelsPerUnit() const {
    return zoom() * logicalDpiX() / kUnitsPerInch;
}

QSizeF PageView::pagePixels() const {
    if (!doc_)
        return {};
    return doc_->pageSizeUnits() * pixelsPerUnit();
}

void PageView::updateScrollBars() {
    const QSizeF page = pagePixels();
    const QSize room = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, int(page.width() + 2 * kGap) - room.width()));
    horizontalScrollBar()->setPageStep(room.width());
    verticalScrollBar()->setRange(0, std::max(0, int(page.height() + 2 * kGap) - room.height()));
    verticalScrollBar()->setPageStep(room.height());
    verticalScrollBar()->setSingleStep(std::max(1, room.height() / 20));
}

void PageView::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    if (!doc_ || doc_->pages.isEmpty()) {
        if (doc_) {
            p.setPen(palette().color(QPalette::BrightText));
            p.drawText(viewport()->rect(), Qt::AlignCenter, tr("The report has no pages"));
        }
        return;
    }
    const QSizeF size = pagePixels();
    const double x =
        std::max(kGap, (viewport()->width() - size.width()) / 2) - horizontalScrollBar()->value();
    const double y = kGap - verticalScrollBar()->value();
    const QRectF page(x, y, size.width(), size.height());
    p.fillRect(page.translated(3, 3), QColor(0, 0, 0, 80));
    p.fillRect(page, Qt::white);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    p.setClipRect(page);
    p.translate(x, y);
    const double scale = pixelsPerUnit();
    p.scale(scale, scale);
    doc_->paintPage(p, page_);
}

void PageView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void PageView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_PageDown:
        emit pageStep(1);
        return;
    case Qt::Key_PageUp:
        emit pageStep(-1);
        return;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

// ---- ReportViewer

ReportViewer::ReportViewer(QWidget* parent) : QWidget(parent) {
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("toolBar"));
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 2, 4, 2);

    // Page buttons show an icon (their name is the tool tip); Print and Save as PDF show their text.
    auto button = [&](const QString& name, const QString& text, const QString& tip) {
        auto* b = new QToolButton(bar);
        b->setObjectName(name);
        b->setText(text);
        b->setToolTip(tip);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        row->addWidget(b);
        return b;
    };
    auto pageButton = [&](const QString& name, const QString& tip, QStyle::StandardPixmap icon) {
        QToolButton* b = button(name, tip, tip);
        b->setIcon(style()->standardIcon(icon));
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        return b;
    };
    first_ = pageButton(QStringLiteral("cmdFirstPage"), tr("First page"), QStyle::SP_MediaSkipBackward);
    previous_ =
        pageButton(QStringLiteral("cmdPreviousPage"), tr("Previous page"), QStyle::SP_MediaSeekBackward);
    pageLabel_ = new QLabel(bar);
    pageLabel_->setObjectName(QStringLiteral("lblPageOf"));
    pageLabel_->setMinimumWidth(110);
    pageLabel_->setAlignment(Qt::AlignCenter);
    row->addWidget(pageLabel_);
    next_ = pageButton(QStringLiteral("cmdNextPage"), tr("Next page"), QStyle::SP_MediaSeekForward);
    last_ = pageButton(QStringLiteral("cmdLastPage"), tr("Last page"), QStyle::SP_MediaSkipForward);
    row->addSpacing(12);
    zoomBox_ = new QComboBox(bar);
    zoomBox_->setObjectName(QStringLiteral("cboZoom"));
    zoomBox_->addItem(tr("Page width"), -1);
    zoomBox_->addItem(tr("Whole page"), -2);
    for (int percent : {50, 75, 100, 125, 150, 200, 300})
        zoomBox_->addItem(QStringLiteral("%1%").arg(percent), percent);
    zoomBox_->setToolTip(tr("Zoom"));
    row->addWidget(zoomBox_);
    row->addStretch(1);
    print_ = button(QStringLiteral("cmdPrintReport"), tr("&Print..."), tr("Print the report"));
    pdf_ = button(QStringLiteral("cmdSaveAsPdf"), tr("Save as P&DF..."), tr("Save the report as a PDF file"));

    view_ = new PageView(this);
    view_->setObjectName(QStringLiteral("pageView"));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(bar);
    column->addWidget(view_, 1);

    connect(first_, &QToolButton::clicked, this, [this] { showFirstPage(); });
    connect(previous_, &QToolButton::clicked, this, [this] { showPreviousPage(); });
    connect(next_, &QToolButton::clicked, this, [this] { showNextPage(); });
    connect(last_, &QToolButton::clicked, this, [this] { showLastPage(); });
    connect(view_, &PageView::pageStep, this, [this](int delta) { showNthPage(currentPage() + delta); });
    connect(zoomBox_, &QComboBox::activated, this, [this](int index) { zoomChosen(index); });
    connect(print_, &QToolButton::clicked, this, ui::handler([this] { printReport(); }));
    connect(pdf_, &QToolButton::clicked, this, ui::handler([this] { exportPdf(); }));
    updateControls();
}

ReportViewer::~ReportViewer() = default;

void ReportViewer::setReportSource(const std::shared_ptr<Report>& report) {
    source_ = report;
}

void ReportViewer::ViewReport() {
    if (!source_) {
        shownSource_.reset();
        setDocument(nullptr);
        return;
    }
    std::shared_ptr<Document> doc;
    try {
        doc = source_->render();
    } catch (...) {
        source_ = shownSource_;
        throw;
    }
    shownSource_ = source_;
    setDocument(doc);
}

void ReportViewer::setDocument(std::shared_ptr<const Document> doc) {
    doc_ = std::move(doc);
    view_->setDocument(doc_);
    updateControls();
    emit pageChanged(currentPage());
}

int ReportViewer::currentPage() const {
    return doc_ && !doc_->pages.isEmpty() ? view_->page() + 1 : 0;
}

int ReportViewer::pageCount() const {
    return doc_ ? doc_->pageCount() : 0;
}

void ReportViewer::showFirstPage() {
    showNthPage(1);
}

void ReportViewer::showPreviousPage() {
    showNthPage(currentPage() - 1);
}

void ReportViewer::showNextPage() {
    showNthPage(currentPage() + 1);
}

void ReportViewer::showLastPage() {
    showNthPage(pageCount());
}

void ReportViewer::showNthPage(int page) {
    if (pageCount() == 0)
        return;
    const int before = currentPage();
    view_->setPage(qBound(1, page, pageCount()) - 1);
    updateControls();
    if (currentPage() != before)
        emit pageChanged(currentPage());
}

void ReportViewer::setZoomPercent(int percent) {
    view_->setZoom(percent / 100.0);
    const int index = zoomBox_->findData(percent);
    zoomBox_->setCurrentIndex(index);
}

void ReportViewer::fitPageWidth() {
    view_->setFit(PageView::Fit::Width);
    zoomBox_->setCurrentIndex(0);
}

void ReportViewer::fitWholePage() {
    view_->setFit(PageView::Fit::Page);
    zoomBox_->setCurrentIndex(1);
}

double ReportViewer::zoom() const {
    return view_->zoom();
}

void ReportViewer::zoomChosen(int index) {
    const int value = zoomBox_->itemData(index).toInt();
    if (value == -1)
        fitPageWidth();
    else if (value == -2)
        fitWholePage();
    else if (value > 0)
        setZoomPercent(value);
}

void ReportViewer::updateControls() {
    const int page = currentPage();
    const int count = pageCount();
    pageLabel_->setText(tr("Page %1 of %2").arg(page).arg(count));
    first_->setEnabled(page > 1);
    previous_->setEnabled(page > 1);
    next_->setEnabled(page < count);
    last_->setEnabled(page < count);
    print_->setEnabled(count > 0);
    pdf_->setEnabled(count > 0);
}

void ReportViewer::printReport() {
    if (pageCount() == 0)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(doc_->pageSize);
    printer.setPageOrientation(doc_->orientation);
    printer.setDocName(doc_->title);
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, pageCount());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    if (dialog.exec() != QDialog::Accepted)
        return;
    printTo(printer);
}

void ReportViewer::exportPdf() {
    if (pageCount() == 0)
        return;
    QString path = QFileDialog::getSaveFileName(
        this, tr("Save as PDF"), proposedPdfPath(doc_->title, ui::Clock::now().date(), doc_->record),
        tr("PDF files (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    saveAsPdf(path);
}

void ReportViewer::printTo(QPrinter& printer) const {
    if (!doc_)
        throw ReportError(QStringLiteral("There is no report to print"));
    printDocument(*doc_, printer);
}

void printDocument(const Document& doc, QPrinter& printer) {
    if (doc.pages.isEmpty())
        return;
    printer.setFullPage(true);
    printer.setDocName(doc.title);
    int from = 0;
    int to = int(doc.pages.size()) - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = qBound(0, printer.fromPage() - 1, to);
        to = qBound(from, printer.toPage() > 0 ? printer.toPage() - 1 : to, to);
    }
    QPainter painter;
    if (!painter.begin(&printer))
        throw ReportError(QStringLiteral("The printer cannot be used"));
    doc.paintPages(painter, from, to, [&] { return printer.newPage(); });
    painter.end();
}

void ReportViewer::saveAsPdf(const QString& path) const {
    if (!doc_)
        throw ReportError(QStringLiteral("There is no report to save"));
    doc_->saveAsPdf(path);
}

} // namespace wb::report
