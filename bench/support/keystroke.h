#pragma once

#include <QAbstractItemView>
#include <QLineEdit>
#include <benchmark/benchmark.h>
#include <functional>

namespace wbbench {

// The timed loop of one search keystroke: each iteration makes `box` hold `text` (the window searches
// on the change); untimed, the box is emptied again without a search. The counter "rows" is what
// `rows` gives after the last keystroke.
void timeKeystrokes(benchmark::State& state, QLineEdit* box, const QString& text,
                    const std::function<int()>& rows);

// The same for a shown window: each iteration types from `before` to `text` and paints `grid`
// (the painting is timed); untimed, the box goes back to `before`, searching again. The counter
// "shown_rows" is the rows the grid's model holds after the last keystroke.
void timeShownKeystrokes(benchmark::State& state, QLineEdit* box, const QString& before, const QString& text,
                         QAbstractItemView* grid);

} // namespace wbbench
