#include "support/TestSupport.h"

#include "core/Screen.h"
#include "core/ScreenRegistry.h"

#include <QMessageBox>
#include <QTimer>

namespace {
class CountingScreen : public Screen
{
public:
    int activations = 0;

protected:
    void Form_Activate() override { ++activations; }
};

class FirstScreen : public CountingScreen
{
};
class SecondScreen : public CountingScreen
{
};
} // namespace

class TestActivation : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_state = std::make_unique<testsupport::StateScope>(); }
    void cleanup() { m_state.reset(); }

    void registryCreatesEachScreenOnce()
    {
        QVERIFY(!ScreenRegistry::isLoaded<FirstScreen>());
        FirstScreen &a = ScreenRegistry::get<FirstScreen>();
        QCOMPARE(&ScreenRegistry::get<FirstScreen>(), &a);
        QVERIFY(ScreenRegistry::isLoaded<FirstScreen>());
        QVERIFY(static_cast<Screen *>(&ScreenRegistry::get<SecondScreen>()) !=
                static_cast<Screen *>(&a));
        ScreenRegistry::unload<FirstScreen>();
        QVERIFY(!ScreenRegistry::isLoaded<FirstScreen>());
    }

    void firstShowingActivates()
    {
        auto &a = ScreenRegistry::get<FirstScreen>();
        a.showScreen();
        QCOMPARE(a.activations, 1);
        QCOMPARE(Screen::lastActiveScreen(), &a);
        a.showScreen(); // already the active screen
        QCOMPARE(a.activations, 1);
    }

    void returningFromAnotherScreenActivatesAgain()
    {
        auto &a = ScreenRegistry::get<FirstScreen>();
        auto &b = ScreenRegistry::get<SecondScreen>();
        a.showScreen();
        b.showScreen();
        QCOMPARE(b.activations, 1);
        b.hide(); // the user comes back to the screen underneath
        QCOMPARE(a.activations, 2);
        QCOMPARE(Screen::lastActiveScreen(), &a);
    }

    void handOffActivatesOnlyTheNextScreen()
    {
        auto &a = ScreenRegistry::get<FirstScreen>();
        auto &b = ScreenRegistry::get<SecondScreen>();
        a.showScreen();
        a.hide();
        b.showScreen();
        QCOMPARE(a.activations, 1);
        QCOMPARE(b.activations, 1);
        b.hide();
        a.showScreen();
        QCOMPARE(a.activations, 2);
    }

    void platformActivationFollowsTheSameRule()
    {
        auto &a = ScreenRegistry::get<FirstScreen>();
        auto &b = ScreenRegistry::get<SecondScreen>();
        a.showScreen();
        b.showScreen();
        QApplication::setActiveWindow(&b); // the platform reports what we already know
        QCoreApplication::processEvents();
        QCOMPARE(b.activations, 1);
        QApplication::setActiveWindow(&a); // the user clicks the other window
        QCoreApplication::processEvents();
        QCOMPARE(a.activations, 2);
        QApplication::setActiveWindow(&a);
        QCoreApplication::processEvents();
        QCOMPARE(a.activations, 2);
    }

    void lateActivationOfAnEarlierScreenIsIgnored()
    {
        auto &a = ScreenRegistry::get<FirstScreen>();
        auto &b = ScreenRegistry::get<SecondScreen>();
        a.showScreen();
        b.showScreen();
        // The window system catches up with both showings at once.
        QApplication::setActiveWindow(&a);
        QApplication::setActiveWindow(&b);
        QCoreApplication::processEvents();
        QCOMPARE(a.activations, 1);
        QCOMPARE(b.activations, 1);
        QCOMPARE(Screen::lastActiveScreen(), &b);
    }

    void closingAMessageBoxIsNotAnActivation()
    {
        auto &a = ScreenRegistry::get<FirstScreen>();
        a.showScreen();
        QMessageBox box(QMessageBox::Information, QStringLiteral("t"), QStringLiteral("text"),
                        QMessageBox::Ok, &a);
        QTimer::singleShot(0, &box, [&box] {
            QApplication::setActiveWindow(&box);
            box.accept();
        });
        box.exec();
        QApplication::setActiveWindow(&a);
        QCoreApplication::processEvents();
        QCOMPARE(a.activations, 1);
    }

    void modalScreenReturnsWhenHiddenAndOwnerActivates()
    {
        auto &a = ScreenRegistry::get<FirstScreen>();
        auto &b = ScreenRegistry::get<SecondScreen>();
        a.showScreen();
        bool wasModal = false;
        QTimer::singleShot(0, &b, [&b, &wasModal] {
            wasModal = b.isShownModally();
            b.hide();
        });
        b.showModal();
        QVERIFY(wasModal);
        QVERIFY(!b.isShownModally());
        QCOMPARE(b.activations, 1);
        QCOMPARE(a.activations, 2);
        QVERIFY(a.isVisible());
    }

    void strayActivationUnderAModalScreenIsIgnored()
    {
        auto &a = ScreenRegistry::get<FirstScreen>();
        auto &b = ScreenRegistry::get<SecondScreen>();
        a.showScreen();
        int underModal = -1;
        QTimer::singleShot(0, &b, [&] {
            QApplication::setActiveWindow(&a); // late platform event for the screen beneath
            QCoreApplication::processEvents();
            underModal = a.activations;
            b.hide();
        });
        b.showModal();
        QCOMPARE(underModal, 1);
        QCOMPARE(a.activations, 2); // once, on the real return
        QCOMPARE(Screen::lastActiveScreen(), &a);
    }

    void unloadedScreenActivatesAfreshWhenRecreated()
    {
        auto &a = ScreenRegistry::get<FirstScreen>();
        a.showScreen();
        ScreenRegistry::unload<FirstScreen>();
        auto &again = ScreenRegistry::get<FirstScreen>();
        again.showScreen();
        QCOMPARE(again.activations, 1);
    }

private:
    std::unique_ptr<testsupport::StateScope> m_state;
};

QUORVEL_TEST_MAIN(TestActivation)
#include "tst_Activation.moc"
