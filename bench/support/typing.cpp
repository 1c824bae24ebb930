#include "typing.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QScrollBar>
#include <algorithm>

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

double msSince(const QElapsedTimer& t) {
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

double percentile(QVector<double> v, double p) {
    if (v.isEmpty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min<qsizetype>(v.size() - 1, static_cast<qsizetype>(p * static_cast<double>(v.size())))];
}

} // namespace

void timeTyping(benchmark::State& state, QLineEdit* box, const QString& text) {
    box->setFocus();
    QVector<QVector<double>> perKey(text.size());
    QVector<double> warm;
    double coldMax = 0;
    bool cold = true;
    for (auto _ : state) {
        box->clear();
        QApplication::processEvents();
        double total = 0;
        for (int i = 0; i < text.size(); ++i) {
            const QChar ch = text.at(i);
            QKeyEvent press(QEvent::KeyPress, keyOf(ch), Qt::NoModifier, QString(ch));
            QKeyEvent release(QEvent::KeyRelease, keyOf(ch), Qt::NoModifier, QString(ch));
            QElapsedTimer timer;
            timer.start();
            QApplication::sendEvent(box, &press);
            QApplication::sendEvent(box, &release);
            QApplication::processEvents();
            const double ms = msSince(timer);
            total += ms;
            perKey[i] << ms;
            if (cold)
                coldMax = std::max(coldMax, ms);
            else
                warm << ms;
        }
        state.SetIterationTime(total / 1000);
        cold = false;
    }
    QStringList label;
    for (int i = 0; i < text.size(); ++i)
        label << QStringLiteral("%1:%2").arg(text.left(i + 1)).arg(percentile(perKey[i], 0.5), 0, 'f', 1);
    state.SetLabel(label.join(QStringLiteral(" | ")).toStdString());
    state.counters["p95_ms"] = percentile(warm, 0.95);
    state.counters["max_ms"] = percentile(warm, 1.0);
    state.counters["cold_max_ms"] = coldMax;
}

void timeScrolling(benchmark::State& state, QAbstractItemView* grid, int target,
                   const std::function<void()>& list) {
    QVector<double> pages;
    for (auto _ : state) {
        double total = 0;
        list();
        grid->scrollToTop();
        QApplication::processEvents();
        while (grid->model()->rowCount() <= target && grid->model()->canFetchMore({})) {
            QElapsedTimer timer;
            timer.start();
            grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
            QApplication::processEvents();
            const double ms = msSince(timer);
            total += ms;
            pages << ms;
        }
        state.SetIterationTime(total / 1000);
    }
    state.counters["page_p95_ms"] = percentile(pages, 0.95);
    state.counters["page_max_ms"] = percentile(pages, 1.0);
    state.counters["pages"] = static_cast<double>(pages.size()) / static_cast<double>(state.iterations());
}

} // namespace wbbench
