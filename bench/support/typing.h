#pragma once

#include <QAbstractItemView>
#include <QLineEdit>
#include <benchmark/benchmark.h>
#include <functional>

namespace wbbench {

// Types `text` into `box` a key at a time from an empty box, as a user does (a key press and release
// sent to the box), every iteration. Each keystroke is timed from its key event until the events it
// causes are done (the search, the grid's paint: the window must be shown); nothing more is asked
// of the grid. The iteration's time is the whole text's; the label gives each prefix's median in
// ms; counters: p95_ms and max_ms over the keystrokes of every run but the first, and cold_max_ms,
// the slowest keystroke of the first run (the first search of that text in this window). Emptying
// the box between runs is not timed.
void timeTyping(benchmark::State& state, QLineEdit* box, const QString& text);

// Scrolls `grid` down a page at a time until its row `target` has been read, after `list` (untimed)
// lists it afresh; counters: each page's p95_ms and max_ms, and the pages read.
void timeScrolling(benchmark::State& state, QAbstractItemView* grid, int target,
                   const std::function<void()>& list);

} // namespace wbbench
