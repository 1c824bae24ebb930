#include "certificatetest.h"

#include "registers/frm_Doc_Infor.h"
#include "shell/MDIForm1.h"
#include "session/module1.h"
#include "ui/clock.h"
#include "ui/flexgrid.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>

namespace wbtest {

namespace {
// A child window with nothing in it, to move the activation away from a certificate.
class Elsewhere : public wb::ui::Form {};
} // namespace

void CertificateTest::SetUp() {
    PrintingRegisterTest::SetUp();
    if (IsSkipped())
        return;
    wb::ui::Clock::setFixed(Now);
    for (const auto& [id, name] : {std::pair{1, "DR ALI"}, {2, "DR BANO"}, {3, "DR CHAUDHRY"}})
        Module1::Con->Execute(
            QStringLiteral("insert into doc (Row_no, doc_code, doc_name, Status) values (?, ?, ?, 'Doctor')"),
            {id, QStringLiteral("DOC-%1").arg(id), QString::fromLatin1(name)});
}

void CertificateTest::TearDown() {
    wb::ui::Clock::reset();
    PrintingRegisterTest::TearDown();
}

void CertificateTest::comeBack(wb::ui::Form& w) {
    QCoreApplication::processEvents();
    if (main->area()->activeSubWindow() != w.subWindow())
        main->area()->setActiveSubWindow(w.subWindow());
}

void CertificateTest::leaveAndComeBack(wb::ui::Form& w) {
    auto& other = wb::ui::Forms::get<Elsewhere>();
    other.Show();
    main->area()->setActiveSubWindow(other.subWindow());
    main->area()->setActiveSubWindow(w.subWindow());
}

void CertificateTest::pickDoctor(wb::ui::Form& w, QPushButton* find, const QString& doctor) {
    find->click();
    auto* reg = wb::ui::Forms::loaded<frm_Doc_Infor>();
    ASSERT_NE(reg, nullptr);
    ASSERT_EQ(reg->SSTab1->currentIndex(), 1);
    const int row = gridRow(*reg->Msh, 2, doctor);
    ASSERT_GT(row, 0) << doctor.toStdString();
    reg->Msh->setRow(row);
    reg->Msh_DblClick();
    ASSERT_EQ(wb::ui::Forms::loaded<frm_Doc_Infor>(), nullptr);
    comeBack(w);
}

QVariant CertificateTest::value(const QString& sql, const QVariantList& params) {
    return Module1::Con->scalar(sql, params);
}

QStringList CertificateTest::rowOf(const QString& table, const QString& key, int id) {
    QSqlQuery q = Module1::Con->query(QStringLiteral("select * from %1 where %2 = ?").arg(table, key), {id});
    QStringList out;
    if (!q.next())
        return out;
    for (int i = 0; i < q.record().count(); ++i)
        out << q.record().fieldName(i).toLower() + QLatin1Char('=') +
                   (q.value(i).isNull() ? QStringLiteral("<null>") : q.value(i).toString());
    return out;
}

int CertificateTest::count(const QString& table) {
    return value(QStringLiteral("select count(*) from %1").arg(table)).toInt();
}

} // namespace wbtest
