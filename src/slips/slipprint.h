#pragma once

#include <QString>
#include <functional>

class QWidget;

// A slip's print after its save: the save is committed by then, so a failing print is told as a
// print failure of a saved slip, never as a failed save.
namespace wb::slips {

// Shows slip `key` in the viewer window, printed from its template; nothing for an empty key.
void printSlip(QWidget* owner, const QString& key);
// Runs what follows the committed save of slip `key`: its print, then `refresh` (the cleared page and
// the list). Each is tried whatever the other did; the user is then told what was not done: a print
// that failed as a print failure of a saved slip, a server lost under either in the database's words.
void printThenRefresh(QWidget* owner, const QString& key, const std::function<void()>& refresh);

} // namespace wb::slips
