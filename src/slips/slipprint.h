#pragma once

#include <QString>
#include <functional>

class QWidget;

// A slip's print after its save: the save is committed by then, so a failing print is told as a
// print failure of a saved slip, never as a failed save.
namespace wb::slips {

// Shows slip `key` in the viewer window, printed from its template; nothing for an empty key.
void printSlip(QWidget* owner, const QString& key);
// Runs the print; the text of what went wrong, or an empty text when it printed.
QString failureOf(const std::function<void()>& print);
// Tells the user that slip `key` is saved but was not printed, why, and what to do.
void tellNotPrinted(const QString& key, const QString& failure);

} // namespace wb::slips
