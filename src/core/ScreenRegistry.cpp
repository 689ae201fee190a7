#include "core/ScreenRegistry.h"

std::map<std::type_index, QPointer<Screen>> &ScreenRegistry::instances()
{
    static std::map<std::type_index, QPointer<Screen>> registry;
    return registry;
}

void ScreenRegistry::clear()
{
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
