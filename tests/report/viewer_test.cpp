#include "report/frmViewer.h"
#include "report/pdfname.h"
#include "report/print.h"
#include "report/reportviewer.h"
#include "reportsupport.h"
#include "shell/module1.h"
#include "support/messages.h"
#include "support/testdb.h"
#include "ui/guard.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPrinter>
#include <QStandardPaths>
#include <QTest>
#include <QToolButton>

using namespace wb::report;

namespace {

const QString kUsers = QStringLiteral("rpt_User_Name.rpt");

TEST(PdfNameTest, SaveAsPdfProposesTheDocumentsFolderAndTheTitleWithTheDate) {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = proposedPdfPath(QStringLiteral("Doctors List"), QDate(2026, 12, 8));
    EXPECT_EQ(path, QDir(documents).filePath(QStringLiteral("Doctors List 2026-12-08.pdf")));
    EXPECT_TRUE(QDir(documents).exists()) << "the folder is there for the dialog to open";
    EXPECT_NE(QFileInfo(path).absolutePath(), QDir::currentPath());
    // Characters a file name cannot hold, and a report without a title.
    EXPECT_EQ(QFileInfo(proposedPdfPath(QStringLiteral("Slips 01/12 : A/B"), QDate(2026, 1, 2))).fileName(),
              QStringLiteral("Slips 01-12 - A-B 2026-01-02.pdf"));
    EXPECT_EQ(QFileInfo(proposedPdfPath(QString(), QDate(2026, 1, 2))).fileName(),
              QStringLiteral("Report 2026-01-02.pdf"));
    // One record's paper carries its key: two slips saved the same day get two names.
    EXPECT_EQ(
        QFileInfo(proposedPdfPath(QStringLiteral("Patient Slip"), QDate(2026, 12, 9), QStringLiteral("123")))
            .fileName(),
        QStringLiteral("Patient Slip 123 2026-12-09.pdf"));
}

class ViewerWindow : public ::testing::Test {
protected:
    void SetUp() override {
        db_ = std::make_unique<wbtest::TestDatabase>(wb::Engine::Sqlite);
        wbtest::openShared(*db_);
        Module1::Con->Execute(QStringLiteral("DELETE FROM User_Information"));
        for (int row = 1; row <= 120; ++row) {
            Module1::Con->Execute(
                QStringLiteral("INSERT INTO User_Information (Row_No, User_Code, User_Name, "
                               "Designation, PassWard, Status) VALUES (?, ?, ?, ?, ?, 'U')"),
                {row, QStringLiteral("UC-%1").arg(row), QStringLiteral("USER %1").arg(row),
                 QStringLiteral("STAFF"), QStringLiteral("SECRET")});
        }
        setTemplateFolder(reporttest::sourceTemplates());
        owner_ = std::make_unique<QWidget>();
        owner_->show();
    }

    void TearDown() override {
        owner_.reset();
        wb::ui::Forms::unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        setTemplateFolder(QString());
        Module1::Rs->Close();
        Module1::Con->Close();
        db_.reset();
    }

    frmViewer* viewer() const { return wb::ui::Forms::loaded<frmViewer>(); }
    ReportViewer* control() const { return viewer()->CRViewer91; }
    template <class T> T* child(const char* name) const {
        return control()->findChild<T*>(QString::fromLatin1(name));
    }
    QStringList shownTexts() const { return control()->document()->pageTexts(control()->currentPage() - 1); }

    std::unique_ptr<wbtest::TestDatabase> db_;
    std::unique_ptr<QWidget> owner_;
};

} // namespace

TEST_F(ViewerWindow, PrintShowsTheReportInATopLevelViewerWithoutWaiting) {
    printRecord(owner_.get(), kUsers, QStringLiteral("{User_Information.Row_No} = 12"));
    ASSERT_NE(viewer(), nullptr);
    EXPECT_TRUE(viewer()->isVisible());
    // A window of its own (it keeps the program running after the main window closes).
    EXPECT_TRUE(viewer()->isWindow());
    EXPECT_EQ(viewer()->parentWidget(), nullptr);
    EXPECT_EQ(viewer()->subWindow(), nullptr);
    EXPECT_TRUE(viewer()->windowTitle().isEmpty());
    EXPECT_EQ(viewer()->objectName(), QStringLiteral("frmViewer"));
    EXPECT_EQ(control()->objectName(), QStringLiteral("CRViewer91"));
    EXPECT_EQ(control()->pageCount(), 1);
    EXPECT_TRUE(shownTexts().contains(QStringLiteral("USER 12")));
    EXPECT_FALSE(shownTexts().contains(QStringLiteral("USER 13")));
    EXPECT_EQ(child<QLabel>("lblPageOf")->text(), QStringLiteral("Page 1 of 1"));
    // The window that printed keeps its print job: the application object and the report shown.
    PrintJob* job = PrintJob::of(owner_.get());
    ASSERT_NE(job, nullptr);
    EXPECT_NE(job->application, nullptr);
    EXPECT_EQ(job->report, control()->reportSource());
    EXPECT_EQ(job->report->databaseTable(1).logOnUser(), QStringLiteral("ADMIN"));
}

TEST_F(ViewerWindow, OneRecordsPrintHandsItsKeyToThePaperAndAListingNone) {
    printRecord(owner_.get(), kUsers, QStringLiteral("{User_Information.Row_No} = 12"), QStringLiteral("12"));
    EXPECT_EQ(control()->document()->record, QStringLiteral("12"));
    EXPECT_EQ(QFileInfo(proposedPdfPath(control()->document()->title, QDate(2026, 12, 9),
                                        control()->document()->record))
                  .fileName(),
              QStringLiteral("Users List 12 2026-12-09.pdf"));
    printRecord(owner_.get(), kUsers, QString());
    EXPECT_TRUE(control()->document()->record.isEmpty());
}

TEST_F(ViewerWindow, ASecondPrintReusesTheViewerAndEmptiesItsCaption) {
    printRecord(owner_.get(), kUsers, QStringLiteral("{User_Information.Row_No} = 12"));
    frmViewer* first = viewer();
    const std::shared_ptr<Report> firstReport = PrintJob::of(owner_.get())->report;
    first->setWindowTitle(QStringLiteral("left over"));

    printRecord(owner_.get(), kUsers, QString()); // no key: every user
    EXPECT_EQ(viewer(), first);
    EXPECT_TRUE(viewer()->windowTitle().isEmpty());
    EXPECT_GE(control()->pageCount(), 2);
    EXPECT_EQ(owner_->findChildren<PrintJob*>().size(), 1);
    EXPECT_NE(PrintJob::of(owner_.get())->report, firstReport);
    EXPECT_EQ(control()->reportSource(), PrintJob::of(owner_.get())->report);
}

TEST_F(ViewerWindow, TheViewerFillsTheWindowOnEveryResize) {
    printRecord(owner_.get(), kUsers, QString());
    for (const QSize size : {QSize(700, 500), QSize(1020, 380), QSize(320, 900)}) {
        viewer()->resize(size);
        QCoreApplication::processEvents();
        EXPECT_EQ(control()->geometry(), QRect(QPoint(0, 0), viewer()->size())) << size.width();
        EXPECT_EQ(viewer()->size(), size);
    }
}

TEST_F(ViewerWindow, PagesAreTurnedAndZoomed) {
    printRecord(owner_.get(), kUsers, QString());
    const int pages = control()->pageCount();
    ASSERT_GE(pages, 2);
    auto* next = child<QToolButton>("cmdNextPage");
    auto* previous = child<QToolButton>("cmdPreviousPage");
    auto* first = child<QToolButton>("cmdFirstPage");
    auto* last = child<QToolButton>("cmdLastPage");
    auto* label = child<QLabel>("lblPageOf");
    EXPECT_FALSE(first->isEnabled());
    EXPECT_FALSE(previous->isEnabled());

    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_EQ(control()->currentPage(), 2);
    EXPECT_EQ(label->text(), QStringLiteral("Page 2 of %1").arg(pages));
    EXPECT_TRUE(shownTexts().contains(QStringLiteral("Page 2 of %1").arg(pages)));
    QTest::mouseClick(last, Qt::LeftButton);
    EXPECT_EQ(control()->currentPage(), pages);
    EXPECT_FALSE(next->isEnabled());
    EXPECT_TRUE(shownTexts().contains(QStringLiteral("USER 120")));
    QTest::mouseClick(previous, Qt::LeftButton);
    EXPECT_EQ(control()->currentPage(), pages - 1);
    QTest::mouseClick(first, Qt::LeftButton);
    EXPECT_EQ(control()->currentPage(), 1);
    QTest::keyClick(control()->pageView(), Qt::Key_PageDown);
    EXPECT_EQ(control()->currentPage(), 2);

    auto* zoom = child<QComboBox>("cboZoom");
    zoom->setCurrentIndex(zoom->findText(QStringLiteral("200%")));
    emit zoom->activated(zoom->currentIndex());
    EXPECT_DOUBLE_EQ(control()->zoom(), 2.0);
    control()->setZoomPercent(50);
    EXPECT_DOUBLE_EQ(control()->zoom(), 0.5);
    control()->fitWholePage();
    const double whole = control()->zoom();
    control()->fitPageWidth();
    EXPECT_GT(control()->zoom(), whole); // a portrait page is fitted to the width at a larger scale
    control()->grab();                   // paints the page without failing
}

TEST_F(ViewerWindow, ErrorsAreShownAndTheViewerKeepsItsReport) {
    wbtest::ScriptedMessages messages;
    printRecord(owner_.get(), kUsers, QStringLiteral("{User_Information.Row_No} = 12"));
    const auto shown = control()->document();

    EXPECT_FALSE(
        wb::ui::guarded([&] { printRecord(owner_.get(), QStringLiteral("rpt_Nothing.rpt"), QString()); }));
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(
        messages.last().text.contains(QStringLiteral("The report template rpt_Nothing.rpt cannot be found")));
    EXPECT_EQ(messages.last().style, wb::ui::vbCritical);

    EXPECT_FALSE(wb::ui::guarded([&] {
        printRecord(owner_.get(), kUsers, QStringLiteral("{User_Information.Row_No} = 12 or drop"));
    }));
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("unknown word 'drop' at character 35")));
    EXPECT_FALSE(wb::ui::guarded(
        [&] { printRecord(owner_.get(), kUsers, QStringLiteral("{User_Information.PassWord} = 'x'")); }));
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("has no field PassWord")));

    // A report that fails while it is drawn leaves the viewer as it was.
    const auto source = control()->reportSource();
    Module1::Con->Close();
    EXPECT_FALSE(wb::ui::guarded([&] { printRecord(owner_.get(), kUsers, QString()); }));
    EXPECT_EQ(control()->document(), shown);
    EXPECT_EQ(control()->reportSource(), source);
    EXPECT_TRUE(viewer()->isVisible());
    EXPECT_TRUE(owner_->isEnabled());
}

TEST_F(ViewerWindow, PrintAndSaveAsPdfWriteEveryPage) {
    printRecord(owner_.get(), kUsers, QString());
    const int pages = control()->pageCount();
    QTemporaryDir dir;

    const QString saved = dir.filePath(QStringLiteral("users.pdf"));
    control()->saveAsPdf(saved);
    const QString savedText = reporttest::pdfText(saved);
    EXPECT_TRUE(savedText.contains(QStringLiteral("Page %1 of %1").arg(pages)));
    EXPECT_TRUE(savedText.contains(QStringLiteral("USER 120")));

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("printed.pdf")));
    control()->printTo(printer);
    const QString printed = reporttest::pdfText(dir.filePath(QStringLiteral("printed.pdf")));
    EXPECT_TRUE(printed.contains(QStringLiteral("Page 1 of %1").arg(pages)));
    EXPECT_TRUE(printed.contains(QStringLiteral("USER 1 ")));

    EXPECT_THROW(control()->saveAsPdf(dir.filePath(QStringLiteral("no/such/folder/x.pdf"))), ReportError);
}
