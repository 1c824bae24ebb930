#pragma once

#include <QDateTime>
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace wb::ui {

// The values a window's input controls start with (text boxes, combo boxes, date and time pickers,
// check and option buttons), taken once the window has loaded, and put back on demand: a row
// loaded into the controls then never shows, and never saves, a value left over from the row before.
class StartState {
public:
    // Takes the state of every input control under `root` except those in `except`.
    void take(QWidget* root, const QList<QWidget*>& except);
    // Puts every control back, without running its change handlers.
    void restore() const;

private:
    struct Entry {
        QPointer<QWidget> control;
        QString text;
        int index = -1;
        QDateTime when;
        bool checked = false;
    };
    QList<Entry> entries_;
};

} // namespace wb::ui
