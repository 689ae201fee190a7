#include "core/ScreenRegistry.h"

std::map<std::type_index, QPointer<Screen>> &ScreenRegistry::instances()
{
    static std::map<std::type_index, QPointer<Screen>> registry;
    return registry;
}

void ScreenRegistry::clear()
{
    auto &registry = instances();
    std::vector<Screen *> screens;
    for (auto &[type, screen] : registry) {
        if (screen)
            screens.push_back(screen.data());
    }
    registry.clear();
    for (Screen *screen : screens)
        delete screen;
    Screen::resetActivationHistory();
}
