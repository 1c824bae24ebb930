#include "data/dberror.h"
#include "data/recordset.h"
#include "data/textcheck.h"
#include "support/testdb.h"

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

WB_ENGINES(TypedTextTest);

} // namespace
