#include "data/dberror.h"
#include "data/recordset.h"
#include "shell/module1.h"
#include "support/testdb.h"

#include <QDate>
#include <thread>

using namespace wb;
using wbtest::EngineTest;

namespace {

class RecordsetTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        con = db->connect();
    }
    // Adds a user row through the record set, as the registers do.
    void addUser(int key, const QVariant& name, const QVariant& designation) {
        Recordset rs;
        rs.Open(QStringLiteral("select * from User_Information where 0 = 1"), *con);
        rs.AddNew();
        rs.setField(QStringLiteral("Row_No"), key);
        rs.setField(QStringLiteral("User_Name"), name);
        rs.setField(QStringLiteral("Designation"), designation);
        rs.Update();
    }
    std::unique_ptr<Connection> con;
};

TEST_P(RecordsetTest, AddNewUpdateAndReadBackKeepNullApartFromEmptyText) {
    addUser(10, QStringLiteral("NURSE ONE"), QVariant());
    addUser(11, QStringLiteral("O'BRIEN; DROP TABLE User_Information; --"), QStringLiteral(""));

    Recordset rs;
    rs.Open(QStringLiteral("select * from User_Information where Row_No >= ? order by Row_No"), *con, {10});
    ASSERT_EQ(rs.RecordCount(), 2);
    rs.MoveFirst();
    EXPECT_EQ(rs.Fields(QStringLiteral("row_no")).toInt(), 10); // any case
    EXPECT_TRUE(rs.Fields(QStringLiteral("DESIGNATION")).isNull());
    EXPECT_EQ(rs.text(QStringLiteral("Designation")), QString());
    rs.MoveNext();
    EXPECT_EQ(rs.Fields(QStringLiteral("User_Name")).toString(),
              QStringLiteral("O'BRIEN; DROP TABLE User_Information; --"));
    EXPECT_FALSE(rs.Fields(QStringLiteral("Designation")).isNull());
    EXPECT_EQ(rs.Fields(QStringLiteral("Designation")).toString(), QString());
    rs.MoveNext();
    EXPECT_TRUE(rs.isEOF());
    EXPECT_THROW(rs.Fields(QStringLiteral("User_Name")), DbError);
}

TEST_P(RecordsetTest, UpdateOfAnOpenedRowRewritesOnlyThatRow) {
    addUser(20, QStringLiteral("A"), QStringLiteral("X"));
    addUser(21, QStringLiteral("B"), QStringLiteral("Y"));
    Recordset rs;
    rs.Open(QStringLiteral("select * from User_Information where Row_No =20"), *con);
    rs.MoveFirst();
    rs.setField(QStringLiteral("Designation"), QVariant());
    rs.Update();
    EXPECT_TRUE(
        con->scalar(QStringLiteral("select Designation from User_Information where Row_No = 20")).isNull());
    EXPECT_EQ(
        con->scalar(QStringLiteral("select Designation from User_Information where Row_No = 21")).toString(),
        QStringLiteral("Y"));

    // The row deleted by another desk meanwhile: a clear error, nothing written.
    con->Execute(QStringLiteral("delete from User_Information where Row_No = 20"));
    rs.setField(QStringLiteral("Designation"), QStringLiteral("Z"));
    try {
        rs.Update();
        FAIL() << "an update of a deleted row must fail";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::NotFound);
    }
}

TEST_P(RecordsetTest, DuplicateKeyAndTooLongTextRaiseTheSameErrorsOnBothEngines) {
    addUser(30, QStringLiteral("A"), QVariant());
    try {
        addUser(30, QStringLiteral("B"), QVariant());
        FAIL() << "duplicate key accepted";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::Duplicate) << e.text().toStdString();
    }
    try {
        addUser(31, QString(51, 'N'), QVariant());
        FAIL() << "too long text accepted";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::TooLong) << e.text().toStdString();
    }
    // The size is enforced by the database itself too, not only by the record set.
    try {
        con->Execute(QStringLiteral("insert into User_Information (Row_No, User_Name) values (32, ?)"),
                     {QString(51, 'N')});
        FAIL() << "too long text accepted by the database";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::TooLong) << e.text().toStdString();
    }
    EXPECT_THROW(con->Execute(QStringLiteral("select nonsense from nowhere")), DbError);
}

TEST_P(RecordsetTest, FieldsKnowTheirDefinedSizeAndPrecision) {
    Recordset rs;
    rs.Open(QStringLiteral("select * from User_Information where 0 = 1"), *con);
    EXPECT_EQ(rs.RecordCount(), 0);
    EXPECT_TRUE(rs.isEOF());
    EXPECT_EQ(rs.fieldInfo(QStringLiteral("user_name")).definedSize, 50);
    EXPECT_EQ(rs.fieldInfo(QStringLiteral("Status")).definedSize, 1);
    EXPECT_EQ(rs.fieldInfo(QStringLiteral("Row_No")).precision, 10);
    EXPECT_EQ(rs.fieldInfo(QStringLiteral("Row_No")).definedSize, 0);
}

TEST_P(RecordsetTest, OpenRsClosesThePreviousRecordSet) {
    Module1::CreateShared();
    Module1::Con->Open(db->adminInfo());
    Module1::Rs->Close();
    Module1::OpenRs(QStringLiteral("select * from User_Information"));
    ASSERT_EQ(Module1::Rs->RecordCount(), 1); // the first administrator
    Module1::OpenRs(QStringLiteral("select * from Chart_Of_Menus"));
    EXPECT_EQ(Module1::Rs->RecordCount(), 0);
    EXPECT_EQ(Module1::Rs->baseTable(), QStringLiteral("Chart_Of_Menus"));
    Module1::Con->Close();
}

TEST_P(RecordsetTest, TransactionRollsBackWhenNotCommitted) {
    {
        Transaction t(*con);
        con->Execute(
            QStringLiteral("insert into Chart_Of_Menus (User_ID, Menus, Active) values (1, 'Patient', '1')"));
    }
    EXPECT_EQ(con->scalar(QStringLiteral("select count(*) from Chart_Of_Menus")).toInt(), 0);
}

TEST_P(RecordsetTest, NextKeyIsTakenInsideTheSavingTransactionAcrossDesks) {
    auto other = db->connect();
    const auto insert = [](Connection& c) {
        return [&c](qint64 key) {
            c.Execute(QStringLiteral("insert into User_Information (Row_No, User_Name) values (?, ?)"),
                      {key, QStringLiteral("DESK %1").arg(key)});
        };
    };
    // Two desks saving interleaved: each takes its key in its own transaction.
    const qint64 a =
        saveWithNextKey(*con, QStringLiteral("User_Information"), QStringLiteral("Row_No"), insert(*con));
    const qint64 b =
        saveWithNextKey(*other, QStringLiteral("User_Information"), QStringLiteral("Row_No"), insert(*other));
    EXPECT_EQ(a, 2);
    EXPECT_EQ(b, 3);

    // Truly concurrent: two threads, each with its own connection, all saves succeed with distinct keys.
    constexpr int perDesk = 15;
    std::vector<qint64> keys[2];
    std::vector<std::string> errors;
    std::mutex m;
    auto desk = [&](int i) {
        try {
            Connection c;
            c.Open(db->adminInfo());
            for (int n = 0; n < perDesk; ++n)
                keys[i].push_back(saveWithNextKey(c, QStringLiteral("User_Information"),
                                                  QStringLiteral("Row_No"), insert(c)));
        } catch (const std::exception& e) {
            std::lock_guard lock(m);
            errors.push_back(e.what());
        }
    };
    std::thread t1(desk, 0), t2(desk, 1);
    t1.join();
    t2.join();
    EXPECT_TRUE(errors.empty()) << (errors.empty() ? "" : errors.front());
    EXPECT_EQ(con->scalar(QStringLiteral("select count(distinct Row_No) from User_Information")).toInt(),
              3 + 2 * perDesk);
}

WB_ENGINES(RecordsetTest);

} // namespace
