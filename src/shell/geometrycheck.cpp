#include "geometrycheck.h"

#include "ui/columnfit.h"
#include "ui/flexgrid.h"
#include "ui/form.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTreeWidget>

namespace wb::shell {

namespace {

// Rows of a grid that a user must see at once.
constexpr int GridRowsShown = 3;

QString nameOf(const QWidget* w) {
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
}

QString plain(QString text) {
    return text.remove(u'&');
}

// The controls a user reads or types into; the parts inside a box, grid or list are its own.
bool isControl(const QWidget* w) {
    for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget())
        if (qobject_cast<const QAbstractSpinBox*>(p) || qobject_cast<const QComboBox*>(p) ||
            qobject_cast<const QAbstractItemView*>(p))
            return false;
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QPushButton*>(w) ||
           qobject_cast<const QRadioButton*>(w) || qobject_cast<const QCheckBox*>(w) ||
           qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractItemView*>(w) ||
           qobject_cast<const QGroupBox*>(w);
}

// The caption a control shows on one line, or nothing when its text may wrap or is not plain.
QString oneLineCaption(const QWidget* w) {
    if (auto* b = qobject_cast<const QAbstractButton*>(w))
        return plain(b->text());
    if (auto* l = qobject_cast<const QLabel*>(w))
        return l->wordWrap() || l->textFormat() == Qt::RichText || Qt::mightBeRichText(l->text())
                   ? QString()
                   : plain(l->text());
    return {};
}

// The width the caption takes besides its text: the indicator of an option or check box.
int captionExtra(const QWidget* w) {
    if (qobject_cast<const QRadioButton*>(w) || qobject_cast<const QCheckBox*>(w))
        return w->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w);
    return 0;
}

void checkGrid(const QString& where, const ui::FlexGrid& grid, QStringList& faults) {
    const QHeaderView* header = grid.horizontalHeader();
    const int rowHeight = grid.verticalHeader()->defaultSectionSize();
    if (grid.viewport()->height() < GridRowsShown * rowHeight)
        faults << QStringLiteral("%1: grid %2 shows fewer than %3 rows (%4 px for rows of %5 px)")
                      .arg(where, nameOf(&grid))
                      .arg(GridRowsShown)
                      .arg(grid.viewport()->height())
                      .arg(rowHeight);
    for (int c = 0; c < grid.Cols(); ++c) {
        if (grid.isColumnHidden(c) || grid.columnWidth(c) == 0)
            continue;
        const int width = grid.columnWidth(c);
        const QString title = grid.TextMatrix(0, c);
        if (width < header->sectionSizeHint(c))
            faults << QStringLiteral("%1: grid %2 cuts its header \"%3\" (%4 px of %5)")
                          .arg(where, nameOf(&grid), title)
                          .arg(width)
                          .arg(header->sectionSizeHint(c));
        const int needed = ui::neededColumnWidth(grid, c);
        if (width < needed)
            faults << QStringLiteral("%1: grid %2 cuts the values of \"%3\" (%4 px of %5)")
                          .arg(where, nameOf(&grid), title)
                          .arg(width)
                          .arg(needed);
    }
}

void checkControl(const QString& where, const QWidget* w, QStringList& faults) {
    const QString name = nameOf(w);
    const int line = w->fontMetrics().height();
    const QString caption = oneLineCaption(w);
    const bool showsSomething = !qobject_cast<const QLabel*>(w) || !caption.isEmpty();
    if (showsSomething && w->height() < line)
        faults << QStringLiteral("%1: %2 is %3 px high, its font's line %4 px")
                      .arg(where, name)
                      .arg(w->height())
                      .arg(line);
    if (!caption.isEmpty()) {
        const int needed = w->fontMetrics().horizontalAdvance(caption) + captionExtra(w);
        if (w->contentsRect().width() < needed)
            faults << QStringLiteral("%1: %2 cuts its caption \"%3\" (%4 px of %5)")
                          .arg(where, name, caption)
                          .arg(w->contentsRect().width())
                          .arg(needed);
    }
    if (const QWidget* parent = w->parentWidget(); parent && !parent->isWindow()) {
        if (!parent->rect().adjusted(-1, -1, 1, 1).contains(w->geometry()))
            faults << QStringLiteral("%1: %2 is cut by %3").arg(where, name, nameOf(parent));
    }
    if (auto* grid = qobject_cast<const ui::FlexGrid*>(w))
        checkGrid(where, *grid, faults);
}

void checkPlacement(const QString& where, const QMdiSubWindow& sub, QStringList& faults) {
    const QMdiArea* area = sub.mdiArea();
    if (!area)
        return;
    const QRect inside = area->viewport()->rect();
    if (sub.isMaximized() && sub.size() != inside.size())
        faults << QStringLiteral("%1: maximised, but drawn at %2x%3 in an area of %4x%5")
                      .arg(where)
                      .arg(sub.width())
                      .arg(sub.height())
                      .arg(inside.width())
                      .arg(inside.height());
    else if (!inside.contains(sub.geometry()))
        faults << QStringLiteral("%1: at %2,%3 %4x%5, outside the main window's area of %6x%7")
                      .arg(where)
                      .arg(sub.x())
                      .arg(sub.y())
                      .arg(sub.width())
                      .arg(sub.height())
                      .arg(inside.width())
                      .arg(inside.height());
}

} // namespace

QStringList geometryFaults(const ui::Form& form) {
    QStringList faults;
    const QString where = form.objectName();
    if (const QMdiSubWindow* sub = form.subWindow())
        checkPlacement(where, *sub, faults);
    for (const QWidget* w : form.findChildren<QWidget*>())
        if (w->isVisible() && isControl(w))
            checkControl(where, w, faults);
    return faults;
}

} // namespace wb::shell
