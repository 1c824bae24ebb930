#include "typing.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QScrollBar>
#include <QThreadPool>
#include <QTimer>
#include <algorithm>
#include <numeric>

namespace wbbench {

namespace {

int keyOf(QChar ch) {
    const QChar up = ch.toUpper();
    if (up >= u'A' && up <= u'Z')
        return Qt::Key_A + (up.unicode() - u'A');
    if (ch >= u'0' && ch <= u'9')
        return Qt::Key_0 + (ch.unicode() - u'0');
    if (ch == u' ')
        return Qt::Key_Space;
    if (ch == u'-')
        return Qt::Key_Minus;
    return Qt::Key_unknown;
}

// A key pressed and released on `box`, as the keyboard sends it.
void press(QLineEdit* box, int key, const QString& text) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(box, &down);
    QApplication::sendEvent(box, &up);
}

double msSince(const QElapsedTimer& t) {
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

int quietMs() {
    const int ms = qEnvironmentVariableIntValue("WARDBOOK_BENCH_QUIET_MS");
    return ms > 0 ? ms : 250;
}

// Counts the paints of one window's widgets (of every window's without one), and of one of them apart.
class PaintWatch : public QObject {
public:
    PaintWatch(QWidget* window, QWidget* box, const QElapsedTimer& timer)
        : window_(window), box_(box), timer_(timer) {
        qApp->installEventFilter(this);
    }
    ~PaintWatch() override { qApp->removeEventFilter(this); }
    int paints = 0;
    int boxPaints = 0;
    double firstBoxPaint = -1; // ms on the timer: the box's first paint, even one inside the keystroke's
                               // own handling (which waits for its list while the box is painted)

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint && o->isWidgetType()) {
            auto* w = static_cast<QWidget*>(o);
            if (!window_ || w->window() == window_) {
                ++paints;
                if (w == box_ && boxPaints++ == 0)
                    firstBoxPaint = msSince(timer_);
            }
        }
        return false;
    }

private:
    QWidget* window_;
    QWidget* box_;
    const QElapsedTimer& timer_;
};

// Handles events, waiting for the next one (a tick wakes the wait) when none is there.
void handleEvents() {
    QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

double median(const QVector<double>& v) {
    return percentile(v, 0.5);
}

} // namespace

double percentile(QVector<double> v, double p) {
    if (v.isEmpty())
        return 0;
    std::sort(v.begin(), v.end());
    const auto at = static_cast<qsizetype>(p * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::clamp<qsizetype>(at, 0, v.size() - 1)];
}

double settle(QWidget* window, const std::function<void()>& action, QWidget* box, double* echo) {
    QElapsedTimer timer;
    PaintWatch watch(window, box, timer);
    QTimer tick;
    tick.start(2);
    timer.start();
    action();
    double last = msSince(timer);
    double echoAt = -1;
    int seen = 0;
    QElapsedTimer quiet;
    quiet.start();
    const int wait = quietMs();
    for (;;) {
        const double now = msSince(timer);
        if (watch.paints > seen) {
            seen = watch.paints;
            last = now;
            quiet.restart();
        }
        if (echoAt < 0 && watch.boxPaints > 0)
            echoAt = watch.firstBoxPaint;
        if (QThreadPool::globalInstance()->activeThreadCount() > 0)
            quiet.restart();
        if (quiet.elapsed() >= wait)
            break;
        handleEvents();
    }
    if (echo)
        *echo = echoAt;
    return last;
}

void timeTyping(benchmark::State& state, QLineEdit* box, const QString& text) {
    box->setFocus();
    QWidget* window = box->window();
    const int n = static_cast<int>(text.size());
    QVector<QVector<double>> perKey(n);
    QVector<double> longKeys, shortKeys, echoes, backs, clears, cold;
    bool first = true;
    for (auto _ : state) {
        settle(window, [&] { box->clear(); });
        double total = 0;
        for (int i = 0; i < n; ++i) {
            const QChar ch = text.at(i);
            double echo = -1;
            const double ms = settle(
                window, [&] { press(box, keyOf(ch), QString(ch)); }, box, &echo);
            total += ms;
            if (first) {
                cold << ms;
                continue;
            }
            perKey[i] << ms;
            (i + 1 >= 3 ? longKeys : shortKeys) << ms;
            echoes << echo;
        }
        for (int left = n; left > 0; --left) {
            double echo = -1;
            const double ms = settle(
                window, [&] { press(box, Qt::Key_Backspace, QString()); }, box, &echo);
            if (first)
                continue;
            backs << ms;
            echoes << echo;
            if (left == 1)
                clears << ms;
        }
        state.SetIterationTime(total / 1000);
        first = false;
    }
    QStringList label;
    for (int i = 0; i < n; ++i)
        label << QStringLiteral("%1:%2/%3")
                     .arg(text.left(i + 1))
                     .arg(median(perKey[i]), 0, 'f', 1)
                     .arg(percentile(perKey[i], 1.0), 0, 'f', 1);
    state.SetLabel(label.join(QStringLiteral(" | ")).toStdString());
    state.counters["p95_ms"] = percentile(longKeys, 0.95);
    state.counters["median_ms"] = median(longKeys);
    state.counters["short_p95_ms"] = percentile(shortKeys, 0.95);
    state.counters["short_median_ms"] = median(shortKeys);
    state.counters["echo_p95_ms"] = percentile(echoes, 0.95);
    state.counters["back_p95_ms"] = percentile(backs, 0.95);
    state.counters["clear_ms"] = median(clears);
    state.counters["cold_max_ms"] = percentile(cold, 1.0);
    state.counters["cold_median_ms"] = median(cold);
}

void timeScrolling(benchmark::State& state, QAbstractItemView* grid, int target,
                   const std::function<void()>& list) {
    QVector<double> pages, firstPages, lastPages;
    QVector<double> rowsRead;
    QTimer tick;
    tick.start(2);
    for (auto _ : state) {
        settle(grid->window(), [&] {
            list();
            grid->scrollToTop();
        });
        QVector<double> these;
        QAbstractItemModel* model = grid->model();
        while (model->rowCount() <= target && model->canFetchMore({})) {
            const int before = model->rowCount();
            QElapsedTimer timer;
            timer.start();
            grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
            while (model->rowCount() == before && model->canFetchMore({}) && timer.elapsed() < 60000)
                handleEvents();
            QApplication::processEvents(); // the rows brought painted
            these << msSince(timer);
            rowsRead << model->rowCount() - before;
        }
        state.SetIterationTime(std::accumulate(these.begin(), these.end(), 0.0) / 1000);
        pages << these;
        firstPages << these.mid(0, 10);
        lastPages << these.mid(std::max<qsizetype>(0, these.size() - 10));
    }
    state.counters["page_p95_ms"] = percentile(pages, 0.95);
    state.counters["page_max_ms"] = percentile(pages, 1.0);
    state.counters["first_pages_ms"] = median(firstPages);
    state.counters["last_pages_ms"] = median(lastPages);
    state.counters["pages"] = static_cast<double>(pages.size()) / static_cast<double>(state.iterations());
    state.counters["rows_per_page"] = median(rowsRead);
}

} // namespace wbbench
