#pragma once

#include "core/Screen.h"

#include <QList>
#include <QPointer>
#include <map>
#include <typeindex>

// Each screen exists at most once: created the first time anything refers to
// it, afterwards hidden and shown. unload() destroys one (it is created again
// on the next reference); clear() destroys them all.
class ScreenRegistry
{
public:
    template <class T> static T &get()
    {
        QPointer<Screen> &slot = instances()[std::type_index(typeid(T))];
        if (!slot) {
            slot = new T();
            noteLoaded(slot.data());
        }
        return *static_cast<T *>(slot.data());
    }

    template <class T> static bool isLoaded()
    {
        const auto it = instances().find(std::type_index(typeid(T)));
        return it != instances().end() && !it->second.isNull();
    }

    template <class T> static void unload()
    {
        const auto it = instances().find(std::type_index(typeid(T)));
        if (it != instances().end() && it->second) {
            Screen *screen = it->second.data();
            it->second.clear();
            screen->hide();
            delete screen;
        }
    }

    static void clear();

    // The screens now loaded, in the order they were loaded.
    static QList<Screen *> loadedScreens();

private:
    static std::map<std::type_index, QPointer<Screen>> &instances();
    static QList<QPointer<Screen>> &loadOrder();
    static void noteLoaded(Screen *screen);
};
