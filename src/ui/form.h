#pragma once

#include <QMdiSubWindow>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <typeindex>

class QMdiArea;

namespace wb::ui {

// A window of the program. Each window class has one default instance, reached through
// Forms::get<T>(): created and loaded (Form_Load) on first use, destroyed by unload(); the next use
// builds a fresh one with its designed values. Child windows live in the main window's MDI area;
// top-level windows (login, viewer) stand on their own.
class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(QWidget* parent = nullptr);
    ~Form() override;

    // Handlers a window overrides.
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Unload() {}

    // Placement: a child of the main window (default) or a top-level window.
    virtual bool isMdiChild() const { return true; }

    // Shows the window without waiting (as an MDI child when it is one and the area exists).
    void Show();
    void Hide();
    // Runs Form_Unload, closes the window and releases the default instance.
    void unload();
    bool isUnloading() const { return unloading_; }

    // Geometry of the window as a whole, in twips.
    void setWidthTw(int twips);
    void setHeightTw(int twips);
    void setTopTw(int twips);
    void setLeftTw(int twips);
    int widthTw() const;
    int heightTw() const;
    int topTw() const;
    int leftTw() const;

    QString caption() const { return windowTitle(); }
    void setCaption(const QString& text) { setWindowTitle(text); }

    // The widget that carries the window's frame: its MDI sub-window, or the form itself.
    QWidget* frame() const;
    QMdiSubWindow* subWindow() const { return sub_; }

    // Runs Form_Activate through the error guard (used by the runtime).
    void activate();

    // The control that takes the keyboard focus when the window opens: the first entry box in tab
    // order unless the window names another.
    virtual QWidget* initialFocus() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    friend class Forms;
    void attachToArea();
    // The frame around a client area of that size (the sub-window's borders and title bar).
    QSize frameSizeFor(const QSize& client) const;
    // Where the window stands when not maximised, and setting it (kept for the restore while the
    // window is maximised).
    QRect normalFrameGeometry() const;
    void placeFrame(const QRect& geometry);
    // Puts the keyboard focus into the window: where it was when the window is shown again, on the
    // initial control when it opens.
    void takeFocus();
    QPointer<QMdiSubWindow> sub_;
    QRect normal_;  // the geometry last given while not maximised
    QRect restore_; // the geometry given while maximised, taken when restored
    bool unloading_ = false;
    bool opened_ = false;
};

// Announces each default instance as it is created (before its Form_Load), so a window can listen
// to windows it does not open itself.
class FormEvents : public QObject {
    Q_OBJECT
signals:
    void created(wb::ui::Form* form);
};

// The default instances and the MDI area they open in.
class Forms {
public:
    static FormEvents& events();

    template <class T> static T& get() {
        if (auto* f = find(typeid(T)))
            return *static_cast<T*>(f);
        auto* f = new T();
        registerInstance(typeid(T), f);
        f->Form_Load();
        return *f;
    }
    // The loaded instance, or nullptr; never creates one.
    template <class T> static T* loaded() { return static_cast<T*>(find(typeid(T))); }
    // Unloads the default instance when it is loaded.
    template <class T> static void unload() {
        if (auto* f = find(typeid(T)))
            f->unload();
    }

    static void setMdiArea(QMdiArea* area);
    static QMdiArea* mdiArea();
    // Unloads every loaded window (tests and shut-down).
    static void unloadAll();
    static QList<Form*> all();
    // When `leaving` is the active child window, makes the child window that was active before it
    // active again (its Form_Activate runs at once), as closing or hiding a child window does.
    static void activatePrevious(QMdiSubWindow* leaving);

private:
    friend class Form;
    static Form* find(std::type_index type);
    static void registerInstance(std::type_index type, Form* form);
    static void release(Form* form);
};

} // namespace wb::ui
