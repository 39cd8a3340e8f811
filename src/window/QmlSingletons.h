#pragma once

// The objects C++ made for the run, handed to QML as singletons that QML never owns. The core
// knows nothing of QML: each type is registered here, as a foreign type.

#include "core/FarlineAppDelegate.h"
#include "core/TabBarController.h"
#include "lists/FavoritesViewController.h"
#include "lists/MyContactsViewController.h"
#include "lists/RecentViewController.h"
#include "platform/QueuedAlerts.h"
#include "screens/KeypadViewController.h"
#include "screens/MainViewController.h"
#include "window/WindowSupport.h"

#include <QQmlEngine>
#include <QtQml/qqml.h>

template<typename T> struct SingletonInstance
{
    static inline T *instance = nullptr;
    static T *create(QQmlEngine *, QJSEngine *engine)
    {
        engine->setObjectOwnership(instance, QJSEngine::CppOwnership);
        return instance;
    }
};

#define FARLINE_QML_SINGLETON(Wrapper, Type, Name) \
    struct Wrapper : SingletonInstance<Type>       \
    {                                              \
        Q_GADGET                                   \
        QML_FOREIGN(Type)                          \
        QML_NAMED_ELEMENT(Name)                    \
        QML_SINGLETON                              \
    };

FARLINE_QML_SINGLETON(AppSingleton, FarlineAppDelegate, App)
FARLINE_QML_SINGLETON(TabsSingleton, TabBarController, Tabs)
FARLINE_QML_SINGLETON(KeypadSingleton, KeypadViewController, Keypad)
FARLINE_QML_SINGLETON(RecentsSingleton, RecentViewController, Recents)
FARLINE_QML_SINGLETON(FavoritesSingleton, FavoritesViewController, Favorites)
FARLINE_QML_SINGLETON(ContactsSingleton, MyContactsViewController, Contacts)
FARLINE_QML_SINGLETON(SettingsSingleton, MainViewController, Settings)
FARLINE_QML_SINGLETON(AlertsSingleton, QueuedAlerts, Alerts)
FARLINE_QML_SINGLETON(SupportSingleton, WindowSupport, Support)
