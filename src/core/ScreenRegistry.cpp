#include "core/ScreenRegistry.h"

std::map<std::type_index, QPointer<Screen>> &ScreenRegistry::instances()
{
    static std::map<std::type_index, QPointer<Screen>> registry;
    return registry;
}

QList<QPointer<Screen>> &ScreenRegistry::loadOrder()
{
    static QList<QPointer<Screen>> order;
    return order;
}

void ScreenRegistry::noteLoaded(Screen *screen)
{
    loadOrder().removeAll(QPointer<Screen>()); // screens destroyed since
    loadOrder().append(QPointer<Screen>(screen));
}

QList<Screen *> ScreenRegistry::loadedScreens()
{
    QList<Screen *> screens;
    for (const QPointer<Screen> &screen : std::as_const(loadOrder()))
        if (screen)
            screens << screen.data();
    return screens;
}

void ScreenRegistry::clear()
{
    loadOrder().clear();
    auto &registry = instances();
    // Guarded: a screen owned by another goes with its owner.
    std::vector<QPointer<Screen>> screens;
    for (auto &[type, screen] : registry) {
        if (screen)
            screens.push_back(screen);
    }
    registry.clear();
    for (const QPointer<Screen> &screen : screens)
        delete screen.data();
    Screen::resetActivationHistory();
}
