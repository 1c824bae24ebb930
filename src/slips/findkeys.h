#pragma once

class QAbstractButton;
class QWidget;

// Keyboard hooks of the slip screen's boxes that the shared key filters do not cover.
namespace wb::slips {

// F2 in `box` clicks `find`, the Find command beside it; a disabled command ignores it.
void findOnF2(QWidget* box, QAbstractButton* find);

// A computed box: it hands the focus on to `next` whenever it gets it, so it is never typed into.
void passFocus(QWidget* box, QWidget* next);

} // namespace wb::slips
