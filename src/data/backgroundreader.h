#pragma once

#include "connection.h"
#include "recordset.h"

#include <QString>
#include <QVariantList>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>

class QThread;

namespace wb {

// Reads queries on a connection of its own, on a thread of its own, so that the thread that asked
// stays free (a window keeps taking keys while a list is read). A read no longer wanted is stopped
// where it runs (the embedded engine's interrupt, the server's cancel) instead of being finished.
class BackgroundReader {
public:
    // One read: its rows, or the error that ended it.
    class Read {
    public:
        bool finished() const;
        // The rows read; rethrows the read's error.
        Recordset take();

    private:
        friend class BackgroundReader;
        QString sql;
        QVariantList params;
        std::function<void()> done;
        bool abandoned = false;
        std::atomic<bool> over = false;
        Recordset rows;
        std::exception_ptr error;
    };

    // `info` is that of an open login connection; the reader connects as the same user.
    explicit BackgroundReader(const ConnectInfo& info);
    ~BackgroundReader();
    BackgroundReader(const BackgroundReader&) = delete;
    BackgroundReader& operator=(const BackgroundReader&) = delete;

    // Queues a read; when it is over, `done` runs on the application's thread, unless the read was
    // abandoned before.
    std::shared_ptr<Read> start(const QString& sql, const QVariantList& params, std::function<void()> done);
    // The read is not wanted: a queued one never runs, a running one is stopped, `done` is not called.
    void abandon(const std::shared_ptr<Read>& read);
    // Reads stopped while they ran (since the reader was made).
    int stopped() const;

private:
    void run();
    void execute(Connection& con, Read& read);
    void stopRunning(); // under mutex_

    ConnectInfo info_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::shared_ptr<Read>> queue_;
    std::shared_ptr<Read> running_;
    void* handle_ = nullptr; // the running read's connection: sqlite3* or PGcancel*
    bool quitting_ = false;
    int stopped_ = 0;
    QThread* thread_ = nullptr;
};

} // namespace wb
