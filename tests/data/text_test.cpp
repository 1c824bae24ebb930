#include "data/dberror.h"
#include "data/recordset.h"
#include "data/schema.h"
#include "data/textcheck.h"
#include "support/testdb.h"

#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <unistd.h>

using namespace wb;
using wbtest::EngineTest;

namespace {

class TypedTextTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (!HasFailure())
            con = db->connect();
    }
    void addUser(int key, const QString& name, const QString& designation = QStringLiteral("DESK")) {
        Recordset rs;
        rs.Open(QStringLiteral("select * from User_Information where 0 = 1"), *con);
        rs.AddNew();
        rs.setField(QStringLiteral("Row_No"), key);
        rs.setField(QStringLiteral("User_Name"), name);
        rs.setField(QStringLiteral("Designation"), designation);
        rs.Update();
    }
    // The refusal of a typed text, whichever way it reaches the database.
    static QString refusal(const std::function<void()>& write) {
        try {
            write();
        } catch (const DbError& e) {
            EXPECT_EQ(e.kind(), DbError::Kind::Refused) << e.text().toStdString();
            return e.text();
        }
        ADD_FAILURE() << "the text was accepted";
        return {};
    }
    int users() { return con->scalar(QStringLiteral("select count(*) from User_Information")).toInt(); }
    std::unique_ptr<Connection> con;
};

TEST_P(TypedTextTest, ControlCharactersAreRefusedInPlainWordsAndNothingIsWritten) {
    const int before = users();
    const QString nul = QStringLiteral("NINA") + QChar(0) + QStringLiteral("X");
    const QString text = refusal([&] { addUser(7, nul, QStringLiteral("SECRET DESIGNATION")); });
    EXPECT_TRUE(text.contains(QLatin1String("control character"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QLatin1String("SECRET"))); // never the statement's other values
    // A bound value in a statement of its own and a search text are refused the same way.
    EXPECT_EQ(refusal([&] {
                  con->Execute(
                      QStringLiteral("insert into User_Information (Row_No, User_Name) values (8, ?)"),
                      {nul});
              }),
              text);
    EXPECT_EQ(refusal([&] {
                  con->query(QStringLiteral("select * from User_Information where ") +
                                 con->dialect().containsCI(QStringLiteral("User_Name")),
                             {likeContains(QStringLiteral("A\x1b"))});
              }),
              text);
    EXPECT_EQ(users(), before);
    // Tabs and line breaks are ordinary typed text.
    addUser(9, QStringLiteral("LINE\tONE\nLINE TWO"));
    EXPECT_EQ(users(), before + 1);
}

TEST_P(TypedTextTest, ColumnSizesCountCharactersAndABrokenCharacterIsRefused) {
    QString fifty;
    for (int i = 0; i < 50; ++i)
        fifty += QString::fromUtf8("\U0001F600"); // two UTF-16 units each
    addUser(10, fifty);
    EXPECT_EQ(
        con->scalar(QStringLiteral("select User_Name from User_Information where Row_No = 10")).toString(),
        fifty);
    try {
        addUser(11, fifty + QStringLiteral("X"));
        ADD_FAILURE() << "51 characters accepted in a column of 50";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::TooLong);
    }
    const QString broken = QStringLiteral("AB") + QChar(0xD83D) + QStringLiteral("C");
    EXPECT_TRUE(refusal([&] { addUser(12, broken); }).contains(QLatin1String("broken character")));
    EXPECT_TRUE(refusal([&] {
                    addUser(13, QStringLiteral("AB") + QChar(0xDE00));
                }).contains(QLatin1String("broken")));
    EXPECT_EQ(characterCount(fifty), 50);
}

TEST_P(TypedTextTest, CaseInsensitiveSearchFoldsEveryAlphabetOnBothEngines) {
    addUser(20, QStringLiteral("JOSÉ ÁLVAREZ"));
    addUser(21, QStringLiteral("ÇAĞRI ÖZ"));
    addUser(22, QStringLiteral("ДМИТРИЙ"));
    addUser(23, QStringLiteral("JOSE ALVAREZ"));
    const auto found = [&](const QString& text) {
        QStringList names;
        QSqlQuery q = con->query(QStringLiteral("select User_Name from User_Information where ") +
                                     con->dialect().containsCI(QStringLiteral("User_Name")) +
                                     QStringLiteral(" order by Row_No"),
                                 {likeContains(text)});
        while (q.next())
            names << q.value(0).toString();
        return names;
    };
    EXPECT_EQ(found(QStringLiteral("josé")), QStringList{QStringLiteral("JOSÉ ÁLVAREZ")});
    EXPECT_EQ(found(QStringLiteral("álv")), QStringList{QStringLiteral("JOSÉ ÁLVAREZ")});
    EXPECT_EQ(found(QStringLiteral("öz")), QStringList{QStringLiteral("ÇAĞRI ÖZ")});
    EXPECT_EQ(found(QStringLiteral("дмит")), QStringList{QStringLiteral("ДМИТРИЙ")});
    EXPECT_EQ(found(QStringLiteral("jose")), QStringList{QStringLiteral("JOSE ALVAREZ")});
    EXPECT_EQ(con->scalar(QStringLiteral("select count(*) from User_Information where ") +
                              con->dialect().equalsCI(QStringLiteral("User_Name")),
                          {QStringLiteral("дмитрий")})
                  .toInt(),
              1);
}

// What a numeric column takes from a box, the same on both engines: Null for a blank box, the
// number rounded to the column's places, and a refusal that names the column and its limit before
// anything reaches the server.
TEST_P(TypedTextTest, NumbersAreHeldAgainstTheirColumnBeforeTheServerSeesThem) {
    struct Case {
        const char* table;
        const char* column;
        const char* typed;
        const char* stored; // the stored value, "-" for Null; empty when refused
        DbError::Kind refusal;
        const char* takes;
    };
    using K = DbError::Kind;
    const Case cases[] = {
        {"SLIP_DETAIL", "test_rate", "9999999999.99", "9999999999.99", K::General, ""},
        {"SLIP_DETAIL", "test_rate", "12345678901", "", K::TooLarge, "9,999,999,999.99"},
        {"SLIP_DETAIL", "test_rate", "123456789012345678901234", "", K::TooLarge, "9,999,999,999.99"},
        {"SLIP_DETAIL", "test_rate", "9999999999.995", "", K::TooLarge, "9,999,999,999.99"},
        {"SLIPS_MASTER", "Cash_rece", "100.255", "100.26", K::General, ""},
        {"SLIPS_MASTER", "Cash_rece", "100.254", "100.25", K::General, ""},
        {"SLIPS_MASTER", "Cash_rece", "0.005", "0.01", K::General, ""},
        {"SLIPS_MASTER", "Bal", "   ", "-", K::General, ""},
        {"SLIPS_MASTER", "Bal", " 20.5 ", "20.50", K::General, ""},
        {"SLIPS_MASTER", "Age", "123456", "", K::TooLarge, "9,999.99"},
        {"SLIPS_MASTER", "Age", "2.5", "2.50", K::General, ""},
        {"SLIPS_MASTER", "Age", "12X", "", K::NotANumber, "a number"},
        {"Brith_Certificate", "weight", "1234.5", "", K::TooLarge, "999.999"},
        {"Brith_Certificate", "weight", "3.2505", "3.251", K::General, ""},
        {"Brith_Certificate", "weight", ".", "", K::NotANumber, "a number"},
        {"Addmission", "Age", "1000", "", K::TooLarge, "999"},
        {"Addmission", "Age", "2.5", "", K::NotANumber, "a whole number"},
        {"Addmission", "Weight", "70.25", "70.3", K::General, ""},
        {"Rate_List", "Rate", "1234567890123456", "", K::TooLarge, "999,999,999,999,999"},
        {"SLIPS_MASTER", "Cash_rece", "1e-05", "0.00", K::General, ""},
        {"SLIPS_MASTER", "Cash_rece", "-12.5", "-12.50", K::General, ""},
        {"SLIPS_MASTER", "opd_doc", "99999999999", "", K::TooLarge, "2,147,483,647"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.table) + "." + c.column + " = \"" + c.typed + "\"");
        const Table* table = Schema::table(QLatin1String(c.table));
        ASSERT_NE(table, nullptr);
        con->Execute(QStringLiteral("delete from %1").arg(table->name));
        Recordset rs;
        rs.Open(QStringLiteral("select * from %1 where 0 = 1").arg(table->name), *con);
        rs.AddNew();
        if (!table->key.isEmpty() && !table->keyByDatabase)
            rs.setField(table->key, 1);
        if (table->name == QLatin1String("SLIP_DETAIL")) {
            rs.setField(QStringLiteral("Row_no"), 1);
            rs.setField(QStringLiteral("Line_no"), 1);
        }
        try {
            rs.setField(QLatin1String(c.column), QLatin1String(c.typed));
            rs.Update();
        } catch (const DbError& e) {
            EXPECT_EQ(e.kind(), c.refusal) << e.text().toStdString();
            EXPECT_EQ(e.column().compare(QLatin1String(c.column), Qt::CaseInsensitive), 0)
                << e.column().toStdString();
            EXPECT_EQ(e.takes(), QLatin1String(c.takes));
            EXPECT_FALSE(e.text().contains(QLatin1String(c.column), Qt::CaseInsensitive))
                << e.text().toStdString();
            EXPECT_EQ(con->scalar(QStringLiteral("select count(*) from %1").arg(table->name)).toInt(), 0);
            continue;
        }
        EXPECT_EQ(c.refusal, K::General) << "accepted";
        const QVariant v =
            con->scalar(QStringLiteral("select %1 from %2").arg(QLatin1String(c.column), table->name));
        const Column* col = table->column(QLatin1String(c.column));
        const QString got =
            v.isNull() ? QStringLiteral("-")
                       : QString::number(v.toDouble(), 'f', col->type == ColType::Decimal ? col->scale : 0);
        EXPECT_EQ(got, QLatin1String(c.stored));
    }
}

// The engines' words never reach the user: each failure a user can meet says what happened and what
// to do, in the program's own words.
TEST_P(TypedTextTest, TheUserReadsWhatToDoNeverTheEnginesWords) {
    const bool embedded = GetParam() == Engine::Sqlite;
    const auto failure = [](const std::function<void()>& provoke) {
        try {
            provoke();
        } catch (const DbError& e) {
            return e;
        }
        ADD_FAILURE() << "nothing failed";
        return DbError(QString());
    };
    struct Case {
        const char* name;
        bool embeddedOnly;
        bool serverOnly;
        std::function<void()> provoke;
        const char* startsWith;
    };
    const QString file = db->adminInfo().server;
    const Case cases[] = {
        {"a full disk", true, false,
         [&] {
             con->Execute(QStringLiteral("create table Filler (x text)"));
             const int pages = con->scalar(QStringLiteral("PRAGMA page_count")).toInt();
             con->scalar(QStringLiteral("PRAGMA max_page_count = %1").arg(pages));
             con->Execute(QStringLiteral("insert into Filler (x) values (?)"), {QString(200000, u'x')});
         },
         "The disk that holds the database is full: nothing was saved. Free some space"},
        {"a database that cannot be written while the program runs", true, false,
         [&] {
             con->scalar(QStringLiteral("PRAGMA query_only = 1"));
             addUser(30, QStringLiteral("READ ONLY"));
         },
         "The database cannot be written now: nothing was saved."},
        {"a read-only database file at start", true, false,
         [&] {
             // root writes any file whatever its mode: the file is made immutable instead.
             const bool root = ::geteuid() == 0;
             const auto mark = [&](bool on) {
                 if (root)
                     ASSERT_EQ(QProcess::execute(QStringLiteral("chattr"),
                                                 {on ? QStringLiteral("+i") : QStringLiteral("-i"), file}),
                               0);
                 else
                     QFile::setPermissions(file,
                                           on ? QFile::ReadOwner : QFile::ReadOwner | QFile::WriteOwner);
             };
             mark(true);
             const auto restore = qScopeGuard([&] { mark(false); });
             Connection other;
             other.Open(db->adminInfo());
         },
         "the file, or the folder that holds it, is read-only for this user"},
        {"a wrong password", false, true,
         [&] {
             Connection other;
             other.Open(db->info(QStringLiteral("ADMIN"), QStringLiteral("wrong-password")));
         },
         "Login failed for user 'ADMIN': the user name or the password is wrong."},
        {"a login the server does not know", false, true,
         [&] {
             Connection other;
             other.Open(db->info(QStringLiteral("NOBODY_HERE"), QStringLiteral("x-password")));
         },
         "Login failed for user 'NOBODY_HERE': the user name or the password is wrong."},
        {"a text too long for its column", false, false, [&] { addUser(31, QString(51, u'N')); },
         "A text is too long: at most 50 characters. Shorten it"},
        {"a number too large for its column", false, false,
         [&] {
             Recordset rs;
             rs.Open(QStringLiteral("select * from SLIPS_MASTER where 0 = 1"), *con);
             rs.AddNew();
             rs.setField(QStringLiteral("Row_no"), 1);
             rs.setField(QStringLiteral("Age"), QStringLiteral("123456"));
         },
         "A number is too large for its box: at most 9,999.99."},
    };
    for (const Case& c : cases) {
        if ((c.embeddedOnly && !embedded) || (c.serverOnly && embedded))
            continue;
        SCOPED_TRACE(c.name);
        const DbError e = failure(c.provoke);
        EXPECT_TRUE(e.text().startsWith(QLatin1String(c.startsWith))) << e.text().toStdString();
        for (const char* engineWord : {"FATAL", "ERROR:", "SQLITE", "readonly", "disk is full", "libpq",
                                       "authentication", "User_Name", "(Age)"})
            EXPECT_FALSE(e.text().contains(QLatin1String(engineWord), Qt::CaseInsensitive))
                << engineWord << ": " << e.text().toStdString();
    }
}

WB_ENGINES(TypedTextTest);

} // namespace
