#pragma once

// The objects C++ made for the run, handed to QML as singletons that QML never owns, and the
// types of the screens' controllers and models that reach QML through them, so that QML
// properties are typed and a misspelt binding fails qmllint. The core knows nothing of QML: each
// type is registered here, as a foreign type.

#include "access/CountryListModel.h"
#include "access/LANUpdateViewController.h"
#include "access/SelectCountryViewController.h"
#include "access/StartScreen.h"
#include "core/FarlineAppDelegate.h"
#include "core/TabBarController.h"
#include "lists/FavoritesViewController.h"
#include "lists/MyContactsViewController.h"
#include "lists/CallRecordModel.h"
#include "lists/PersonListModel.h"
#include "lists/RecentViewController.h"
#include "platform/QueuedAlerts.h"
#include "screens/InCallViewController.h"
#include "screens/KeypadViewController.h"
#include "screens/MainViewController.h"
#include "screens/PageViewController.h"
#include "screens/UseFarlineFor.h"
#include "window/SystemContacts.h"
#include "window/WindowSupport.h"

#include <QQmlEngine>
#include <QtQml/qqml.h>

template<typename T> struct SingletonInstance
{
    static inline T *instance = nullptr;
    static T *create(QQmlEngine *, QJSEngine *engine)
    {
        // Set by the window before its engine loads; without it every binding would be blank.
        if (!instance)
            qFatal("a QML singleton was asked for before the window set it");
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
FARLINE_QML_SINGLETON(SystemContactsSingleton, SystemContacts, SystemContacts)

// Made by the application and handed over through the singletons' properties, never by QML.
#define FARLINE_QML_TYPE(Wrapper, Type, Name)       \
    struct Wrapper                                  \
    {                                               \
        Q_GADGET                                    \
        QML_FOREIGN(Type)                           \
        QML_NAMED_ELEMENT(Name)                     \
        QML_UNCREATABLE("made by the application") \
    };

// StartScreen.qml is the view of the same name: its controller has another name in QML.
FARLINE_QML_TYPE(StartScreenType, StartScreen, StartScreenController)
FARLINE_QML_TYPE(SelectCountryType, SelectCountryViewController, SelectCountryViewController)
FARLINE_QML_TYPE(UpdateDialogType, LANUpdateViewController, LANUpdateViewController)
FARLINE_QML_TYPE(UseFarlineForType, UseFarlineFor, UseFarlineFor)
FARLINE_QML_TYPE(PageType, PageViewController, PageViewController)
FARLINE_QML_TYPE(PersonListType, PersonListModel, PersonListModel)
FARLINE_QML_TYPE(CallRecordListType, CallRecordModel, CallRecordModel)
FARLINE_QML_TYPE(CountryListType, CountryListModel, CountryListModel)
FARLINE_QML_TYPE(InCallType, InCallViewController, InCallViewController)
