#pragma once

#include <QMainWindow>
#include <functional>

// Base of every screen of the program.
//
// Activation rule: the program remembers which of its screens was last
// active. A screen's Form_Activate runs when that screen becomes the active
// one and the last active screen was another (or none). Showing a screen
// through showScreen()/showModal() makes it active; when a screen hides, the
// most recently active screen still visible becomes active again; platform
// activation events go through the same rule. Message boxes are not screens,
// so closing one never re-runs an activation.
class Screen : public QMainWindow
{
    Q_OBJECT

public:
    explicit Screen(QWidget *parent = nullptr);
    ~Screen() override;

    // Shows the screen modeless and makes it the active screen.
    void showScreen();
    // Shows the screen modally and returns once it has been hidden or closed.
    void showModal();
    bool isShownModally() const { return m_modalLoop != nullptr; }

    // Makes this the active screen; runs Form_Activate if another screen (or
    // none) was active before.
    void activate();

    // Places the window in the middle of the screen it is on.
    void centreOnScreen();

    // Makes the screen a window of `owner`'s window: it stays above it and
    // has no taskbar entry of its own. Call before showing the screen.
    void setOwner(QWidget *owner);

    // Puts the screen's texts in the program's language after a switch of
    // language (see LanguageSwitch.h), with whatever else the screen shows in
    // that language. Screens without captions of their own keep the default.
    virtual void reloadCaptions() {}

    static Screen *lastActiveScreen();
    // Forgets the activation history (tests start each case afresh).
    static void resetActivationHistory();

signals:
    void activated();

protected:
    // The screen's activation handler.
    virtual void Form_Activate() {}

    // Esc runs `action`: the screen's way back or out.
    void setEscapeAction(std::function<void()> action);

    void changeEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool isBlockedByModalScreen() const;

    class QEventLoop *m_modalLoop = nullptr;
    std::function<void()> m_escapeAction;
};
