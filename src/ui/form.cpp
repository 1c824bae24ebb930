#include "form.h"

#include "buttonkeys.h"
#include "datekeys.h"
#include "firstfocus.h"
#include "guard.h"
#include "twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTimer>
#include <utility>

namespace wb::ui {

namespace {

struct Registry {
    std::map<std::type_index, Form*> instances;
    QPointer<QMdiArea> area;
    QMetaObject::Connection activation;
    // The child windows, the most recently active first.
    QList<QPointer<QMdiSubWindow>> history;
};

Registry& registry() {
    static Registry r;
    return r;
}

} // namespace

// ---- Form

Form::Form(QWidget* parent) : QWidget(parent) {}

Form::~Form() {
    Forms::release(this);
    // Deleted without unload(): do not leave an empty frame behind in the MDI area.
    if (sub_ && !unloading_)
        sub_->deleteLater();
}

void Form::attachToArea() {
    if (sub_ || !isMdiChild())
        return;
    QMdiArea* area = Forms::mdiArea();
    if (!area)
        return;
    // The window opens with the client area it is designed at, not at its layout's size hint.
    const QSize designed = size();
    sub_ = area->addSubWindow(this);
    // Ctrl+F4 is the main window's: it closes the active child window through its unload. The
    // frame's own menu entry would make the key ambiguous, so that neither would close it.
    if (sub_->systemMenu())
        for (QAction* action : sub_->systemMenu()->actions())
            if (action->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_F4)))
                action->setShortcuts({});
    sub_->resize(frameSizeFor(designed));
    normal_ = QRect(sub_->pos(), sub_->size());
    connect(sub_, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates before, Qt::WindowStates now) {
                // Restored, the window takes the geometry it was given while maximised.
                if ((before & Qt::WindowMaximized) && !(now & Qt::WindowMaximized) && restore_.isValid())
                    QTimer::singleShot(0, sub_, [this] {
                        if (sub_ && !sub_->isMaximized() && restore_.isValid())
                            sub_->setGeometry(std::exchange(restore_, QRect()));
                    });
            });
}

QSize Form::frameSizeFor(const QSize& client) const {
    if (!sub_)
        return client;
    const QMargins frame = sub_->contentsMargins() + sub_->layout()->contentsMargins();
    return client.grownBy(frame);
}

QRect Form::normalFrameGeometry() const {
    if (sub_ && sub_->isMaximized())
        return restore_.isValid() ? restore_ : normal_;
    return QRect(frame()->pos(), frame()->size());
}

void Form::placeFrame(const QRect& geometry) {
    attachToArea();
    // A maximised window keeps filling the area; the geometry is the one it takes when restored.
    if (sub_ && sub_->isMaximized())
        restore_ = geometry;
    else {
        normal_ = geometry;
        frame()->resize(geometry.size());
        frame()->move(geometry.topLeft());
    }
}

void Form::Show() {
    if (unloading_)
        return;
    attachToArea();
    keys::dateBoxes(this); // also the boxes the window made as it loaded
    keys::enterClicksButtons(this);
    if (sub_) {
        show();
        sub_->show();
        if (QMdiArea* area = sub_->mdiArea())
            area->setActiveSubWindow(sub_);
    } else {
        show();
        raise();
        activateWindow();
    }
    takeFocus();
}

QWidget* Form::initialFocus() const {
    return firstEntryControl(const_cast<Form*>(this));
}

void Form::takeFocus() {
    QWidget* target = opened_ ? focusWidget() : nullptr;
    if (!target || !target->isVisible() || !target->isEnabled())
        target = initialFocus();
    opened_ = true;
    if (target && !unloading_)
        target->setFocus(Qt::OtherFocusReason);
}

void Form::Hide() {
    Forms::activatePrevious(sub_);
    frame()->hide();
}

void Form::unload() {
    if (unloading_)
        return;
    unloading_ = true;
    guarded([this] { Form_Unload(); });
    Forms::release(this);
    Forms::activatePrevious(sub_);
    QWidget* f = frame();
    f->hide();
    f->deleteLater();
}

QWidget* Form::frame() const {
    if (sub_)
        return sub_;
    return const_cast<Form*>(this);
}

void Form::setWidthTw(int twips) {
    attachToArea();
    QRect g = normalFrameGeometry();
    g.setWidth(twipsToPixels(twips));
    placeFrame(g);
}

void Form::setHeightTw(int twips) {
    attachToArea();
    QRect g = normalFrameGeometry();
    g.setHeight(twipsToPixels(twips));
    placeFrame(g);
}

void Form::setTopTw(int twips) {
    attachToArea();
    QRect g = normalFrameGeometry();
    g.moveTop(twipsToPixels(twips));
    placeFrame(g);
}

void Form::setLeftTw(int twips) {
    attachToArea();
    QRect g = normalFrameGeometry();
    g.moveLeft(twipsToPixels(twips));
    placeFrame(g);
}

int Form::widthTw() const {
    return pixelsToTwips(frame()->width());
}

int Form::heightTw() const {
    return pixelsToTwips(frame()->height());
}

int Form::topTw() const {
    return pixelsToTwips(frame()->y());
}

int Form::leftTw() const {
    return pixelsToTwips(frame()->x());
}

void Form::activate() {
    if (!unloading_)
        guarded([this] { Form_Activate(); });
}

void Form::closeEvent(QCloseEvent* event) {
    // The close box of the window (or of its MDI sub-window, which forwards here) unloads it.
    event->accept();
    if (!unloading_)
        unload();
}

bool Form::event(QEvent* event) {
    // MDI children hear of activation from the area; only a top-level window reacts here.
    if (event->type() == QEvent::WindowActivate && isWindow())
        activate();
    return QWidget::event(event);
}

// ---- Forms

void Forms::setMdiArea(QMdiArea* area) {
    Registry& r = registry();
    QObject::disconnect(r.activation);
    r.area = area;
    if (!area)
        return;
    r.history.clear();
    r.activation = QObject::connect(area, &QMdiArea::subWindowActivated, area, [](QMdiSubWindow* sub) {
        if (!sub)
            return;
        auto& history = registry().history;
        history.removeIf([sub](const QPointer<QMdiSubWindow>& s) { return s.isNull() || s == sub; });
        history.prepend(sub);
        if (auto* form = qobject_cast<Form*>(sub->widget()))
            form->activate();
    });
}

void Forms::activatePrevious(QMdiSubWindow* leaving) {
    QMdiArea* area = mdiArea();
    if (!leaving || !area || area->activeSubWindow() != leaving)
        return;
    for (const QPointer<QMdiSubWindow>& sub : registry().history) {
        if (sub.isNull() || sub == leaving || sub->isHidden())
            continue;
        auto* form = qobject_cast<Form*>(sub->widget());
        if (form && form->isUnloading())
            continue;
        area->setActiveSubWindow(sub); // its Form_Activate runs now
        return;
    }
}

QMdiArea* Forms::mdiArea() {
    return registry().area;
}

void Forms::unloadAll() {
    for (Form* form : all())
        form->unload();
}

QList<Form*> Forms::all() {
    QList<Form*> forms;
    for (const auto& [type, form] : registry().instances)
        forms.append(form);
    return forms;
}

Form* Forms::find(std::type_index type) {
    const auto& instances = registry().instances;
    auto it = instances.find(type);
    return it == instances.end() ? nullptr : it->second;
}

void Forms::registerInstance(std::type_index type, Form* form) {
    registry().instances[type] = form;
    keys::dateBoxes(form);
    keys::enterClicksButtons(form);
    emit events().created(form);
}

FormEvents& Forms::events() {
    static FormEvents events;
    return events;
}

void Forms::release(Form* form) {
    auto& instances = registry().instances;
    for (auto it = instances.begin(); it != instances.end(); ++it) {
        if (it->second == form) {
            instances.erase(it);
            return;
        }
    }
}

} // namespace wb::ui
