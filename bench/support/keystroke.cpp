#include "keystroke.h"

#include <QApplication>

namespace wbbench {

void timeKeystrokes(benchmark::State& state, QLineEdit* box, const QString& text,
                    const std::function<int()>& rows) {
    int shown = 0;
    for (auto _ : state) {
        box->setText(text);
        shown = rows();
        state.PauseTiming();
        box->blockSignals(true);
        box->clear();
        box->blockSignals(false);
        state.ResumeTiming();
    }
    state.counters["rows"] = shown;
}

void timeShownKeystrokes(benchmark::State& state, QLineEdit* box, const QString& before, const QString& text,
                         QAbstractItemView* grid) {
    box->setText(before);
    QApplication::processEvents();
    int rows = 0;
    for (auto _ : state) {
        box->setText(text);
        QApplication::processEvents();
        grid->repaint();
        state.PauseTiming();
        rows = grid->model()->rowCount();
        box->setText(before);
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["shown_rows"] = rows;
}

} // namespace wbbench
