#pragma once

#include <QAbstractItemView>
#include <QLineEdit>
#include <benchmark/benchmark.h>
#include <functional>

namespace wbbench {

// What the user of a shown window waits for after `action`: the events it causes are handled until
// nothing in `window` (in any window when null) has painted for a quiet while (WARDBOOK_BENCH_QUIET_MS,
// default 250 ms; work still running on the global thread pool keeps the wait going), so a search that
// answers later, from a timer or another thread, is waited for too. Nothing is repainted on purpose. Gives
// the ms from the start of `action` to the end of the last paint in `window`, and in `echo` (when given) to
// the end of the first paint of `box`: the typed character shown (-1 when the box did not paint).
double settle(QWidget* window, const std::function<void()>& action, QWidget* box = nullptr,
              double* echo = nullptr);

// Types `text` into `box` a key at a time from an empty box, as a user does (a key press and release
// sent to the box), then takes it back to empty with Backspace, a key at a time, every iteration.
// Each keystroke is timed from its key event to the last paint it causes (settle). The iteration's
// time is the whole text's typing. The label gives each prefix's median and slowest keystroke in ms
// over the runs after the first. Counters over those runs: p95_ms and median_ms of the keystrokes
// that leave three characters or more, short_p95_ms of those that leave one or two, echo_p95_ms
// (the key event to the typed character shown), back_p95_ms of the Backspaces and clear_ms (median
// of the last one, which empties the box); cold_max_ms and cold_median_ms are the first run's (the
// first search of that text in this window, its caches cold). Emptying the box before a run is not
// timed.
void timeTyping(benchmark::State& state, QLineEdit* box, const QString& text);

// Scrolls `grid` down a page at a time (the scroll bar to its end, as dragging it there does) until
// its row `target` has been read, after `list` (untimed) lists it afresh. Each page is timed until
// the rows it brought are painted. Counters: page_p95_ms, page_max_ms, first_pages_ms and
// last_pages_ms (the median of the first and of the last ten pages: whether a page far down costs
// more than one at the top), pages and rows_per_page.
void timeScrolling(benchmark::State& state, QAbstractItemView* grid, int target,
                   const std::function<void()>& list);

// The p-th fraction (0..1) of `v`, 0 when empty.
double percentile(QVector<double> v, double p);

} // namespace wbbench
