#include "backgroundreader.h"

#include "dialect.h"

#include <QCoreApplication>
#include <QSqlDriver>
#include <QThread>
#include <libpq-fe.h>
#include <sqlite3.h>

namespace wb {

namespace {

// What stops a read on the connection: the embedded engine's own handle, or a cancel request of the
// server's (made for this read and freed after it).
void* stopHandle(Connection& con) {
    const QVariant handle = con.database().driver()->handle();
    if (qstrcmp(handle.typeName(), "sqlite3*") == 0)
        return *static_cast<sqlite3* const*>(handle.data());
    if (isPostgresHandle(handle))
        if (auto* conn = *static_cast<PGconn* const*>(handle.data()))
            return PQgetCancel(conn);
    return nullptr;
}

} // namespace

bool BackgroundReader::Read::finished() const {
    return over;
}

Recordset BackgroundReader::Read::take() {
    if (error)
        std::rethrow_exception(error);
    return std::move(rows);
}

BackgroundReader::BackgroundReader(const ConnectInfo& info) : info_(info) {
    info_.purpose = Purpose::Reader;
    info_.createIfMissing = false;
    thread_ = QThread::create([this] { run(); });
    thread_->start();
}

BackgroundReader::~BackgroundReader() {
    {
        std::lock_guard lock(mutex_);
        quitting_ = true;
        for (const auto& read : queue_)
            read->abandoned = true;
        queue_.clear();
        if (running_) {
            running_->abandoned = true;
            stopRunning();
        }
    }
    wake_.notify_all();
    thread_->wait();
    delete thread_;
    info_.password.fill(QChar(u'\0'));
}

std::shared_ptr<BackgroundReader::Read>
BackgroundReader::start(const QString& sql, const QVariantList& params, std::function<void()> done) {
    auto read = std::make_shared<Read>();
    read->sql = sql;
    read->params = params;
    read->done = std::move(done);
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(read);
    }
    wake_.notify_one();
    return read;
}

void BackgroundReader::abandon(const std::shared_ptr<Read>& read) {
    std::lock_guard lock(mutex_);
    if (!read || read->abandoned)
        return;
    read->abandoned = true; // a `done` already on its way does not run either
    if (read->over)
        return;
    std::erase(queue_, read);
    if (running_ == read)
        stopRunning();
}

int BackgroundReader::stopped() const {
    std::lock_guard lock(mutex_);
    return stopped_;
}

void BackgroundReader::stopRunning() {
    if (!handle_)
        return;
    ++stopped_;
    if (info_.engine == Engine::Sqlite) {
        sqlite3_interrupt(static_cast<sqlite3*>(handle_));
    } else {
        char error[256];
        PQcancel(static_cast<PGcancel*>(handle_), error, sizeof error);
    }
}

void BackgroundReader::run() {
    std::unique_ptr<Connection> con;
    for (;;) {
        std::shared_ptr<Read> read;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return quitting_ || !queue_.empty(); });
            if (quitting_)
                break;
            read = queue_.front();
            queue_.pop_front();
            running_ = read;
        }
        try {
            if (!con || !con->isOpen()) {
                con = std::make_unique<Connection>();
                con->Open(info_);
            }
            void* handle = stopHandle(*con);
            bool wanted = false;
            {
                std::lock_guard lock(mutex_);
                handle_ = handle;
                wanted = !read->abandoned;
            }
            if (wanted)
                read->rows.Open(read->sql, *con, read->params);
        } catch (...) {
            read->error = std::current_exception();
        }
        std::lock_guard lock(mutex_);
        if (handle_ && info_.engine == Engine::Postgres)
            PQfreeCancel(static_cast<PGcancel*>(handle_));
        handle_ = nullptr;
        running_.reset();
        read->over = true;
        if (!read->abandoned && QCoreApplication::instance())
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [read] {
                    if (!read->abandoned && read->done)
                        read->done();
                },
                Qt::QueuedConnection);
    }
    con.reset(); // closed on the thread that opened it
}

} // namespace wb
