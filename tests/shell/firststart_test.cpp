#include "data/connection.h"
#include "data/filemodes.h"
#include "data/serverconfig.h"
#include "shell/firststart.h"
#include "support/testdb.h"

#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <chrono>
#include <poll.h>
#include <pty.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace wb;

// The first start on the embedded database: the first administrator's password, asked in the
// terminal, and a database that only its owner can read.
namespace {

// Points the default data folder at a temporary one for the test, and puts everything back after.
class FirstStart : public ::testing::Test {
protected:
    void SetUp() override {
        saved = QProcessEnvironment::systemEnvironment();
        qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
        qunsetenv("WARDBOOK_DATABASE");
        qunsetenv("WARDBOOK_ADMIN_PASSWORD");
        setEmbeddedDatabasePath(QString());
        QStandardPaths::setTestModeEnabled(false); // the data folder named by XDG_DATA_HOME
        oldMask = umask(022);                      // what most accounts have: new files readable by all
    }
    void TearDown() override {
        umask(oldMask);
        QStandardPaths::setTestModeEnabled(true);
        for (const char* name : {"XDG_DATA_HOME", "WARDBOOK_DATABASE", "WARDBOOK_ADMIN_PASSWORD"}) {
            if (saved.contains(QLatin1String(name)))
                qputenv(name, saved.value(QLatin1String(name)).toLocal8Bit());
            else
                qunsetenv(name);
        }
    }
    QString databasePath() const { return home.filePath(QStringLiteral("Wardbook/Wardbook.sqlite")); }
    QTemporaryDir home;
    QProcessEnvironment saved;
    mode_t oldMask = 0;
};

TEST_F(FirstStart, TheDatabaseAndItsFolderAreTheOwnersOnlyAndAreCheckedAtEveryStart) {
    qputenv("WARDBOOK_ADMIN_PASSWORD", "Short-1");
    EXPECT_FALSE(prepareEmbeddedDatabase()); // too short: nothing is created
    EXPECT_FALSE(QFile::exists(databasePath()));

    qputenv("WARDBOOK_ADMIN_PASSWORD", "First-admin-1");
    ASSERT_TRUE(prepareEmbeddedDatabase());
    const QString path = databasePath();
    ASSERT_EQ(embeddedDatabasePath(), path);
    const QString folder = QFileInfo(path).absolutePath();
    const auto open = [&](Connection& con) {
        con.Open(ServerConfig{}.connectInfo(QStringLiteral("ADMIN"), QStringLiteral("First-admin-1")));
        con.Execute(QStringLiteral("insert into Panel (Row_no, Panel_Code, Panel_Name) values "
                                   "((select coalesce(max(Row_no), 0) + 1 from Panel), 'P', 'A')"));
    };
    {
        Connection con;
        open(con);
        EXPECT_EQ(FileModes::mode(folder), 0700);
        for (const char* suffix : {"", "-wal", "-shm"})
            EXPECT_EQ(FileModes::mode(path + QLatin1String(suffix)), 0600) << suffix;
    }
    // Loosened by hand (a copy, a restore): the next start takes the others' rights away again.
    Connection con;
    open(con);
    for (const char* suffix : {"", "-wal", "-shm"})
        ASSERT_EQ(chmod(QFile::encodeName(path + QLatin1String(suffix)).constData(), 0644), 0) << suffix;
    ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0755), 0);
    ASSERT_TRUE(prepareEmbeddedDatabase());
    EXPECT_EQ(FileModes::mode(folder), 0700);
    for (const char* suffix : {"", "-wal", "-shm"})
        EXPECT_EQ(FileModes::mode(path + QLatin1String(suffix)), 0600) << suffix;
}

// The program in a pseudo-terminal: what it wrote so far, and lines typed into it.
class Terminal {
public:
    explicit Terminal(const QProcessEnvironment& env) {
        std::vector<std::string> vars;
        for (const QString& key : env.keys())
            vars.push_back((key + QLatin1Char('=') + env.value(key)).toStdString());
        std::vector<char*> envp;
        for (std::string& v : vars)
            envp.push_back(v.data());
        envp.push_back(nullptr);
        char* argv[] = {const_cast<char*>(WARDBOOK_PROGRAM), nullptr};
        pid_ = forkpty(&master_, nullptr, nullptr, nullptr);
        if (pid_ == 0) {
            execve(WARDBOOK_PROGRAM, argv, envp.data());
            _exit(127);
        }
    }
    ~Terminal() {
        if (pid_ > 0 && !exited_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (master_ >= 0)
            close(master_);
    }
    bool started() const { return pid_ > 0; }
    // Reads until `text` appears after what was already waited for; false at the end of the output.
    bool waitFor(const std::string& text) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        for (;;) {
            const std::size_t at = output_.find(text, consumed_);
            if (at != std::string::npos) {
                consumed_ = at + text.size();
                return true;
            }
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            pollfd p{master_, POLLIN, 0};
            if (poll(&p, 1, 1000) <= 0)
                continue;
            char buffer[512];
            const ssize_t n = read(master_, buffer, sizeof buffer);
            if (n <= 0)
                return false;
            output_.append(buffer, static_cast<std::size_t>(n));
        }
    }
    void type(const std::string& line) {
        ASSERT_EQ(write(master_, line.data(), line.size()), ssize_t(line.size()));
    }
    int exitCode() {
        int status = 0;
        waitpid(pid_, &status, 0);
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    const std::string& output() const { return output_; }

private:
    int master_ = -1;
    pid_t pid_ = -1;
    bool exited_ = false;
    std::string output_;
    std::size_t consumed_ = 0;
};

TEST_F(FirstStart, PasswordsThatDifferOrAreTooShortAreAskedAgainAndNothingIsCreated) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("WARDBOOK_DATABASE"));
    env.remove(QStringLiteral("WARDBOOK_ADMIN_PASSWORD"));
    Terminal t(env);
    ASSERT_TRUE(t.started());
    ASSERT_TRUE(t.waitFor("Choose the password of the first administrator")) << t.output();
    t.type("First-pass-1\n");
    ASSERT_TRUE(t.waitFor("Type it again")) << t.output();
    t.type("Other-pass-2\n");
    ASSERT_TRUE(t.waitFor("The two passwords differ.")) << t.output();
    ASSERT_TRUE(t.waitFor("Choose the password")) << t.output();
    t.type("Short-1\n");
    ASSERT_TRUE(t.waitFor("Type it again")) << t.output();
    t.type("Short-1\n");
    ASSERT_TRUE(t.waitFor("at least 8 characters")) << t.output();
    ASSERT_TRUE(t.waitFor("Choose the password")) << t.output();
    t.type("\x04"); // the end of input at the prompt: the program gives up
    EXPECT_EQ(t.exitCode(), 1) << t.output();
    EXPECT_FALSE(QFile::exists(databasePath()));
}

} // namespace
