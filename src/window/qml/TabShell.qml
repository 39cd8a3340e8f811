import QtQuick
import Farline.Window

// The five tabs over the tab bar. Each keeps its own navigation stack (the contacts tab is a
// browser of its own); only the selected one shows.
Item {
    id: shell

    readonly property var stacks: [keypadStack, recentsStack, favoritesStack, contactsStack, settingsStack]

    Item {
        id: tabs
        anchors.top: parent.top
        anchors.bottom: bar.top
        width: parent.width

        NavigationStack {
            id: keypadStack
            anchors.fill: parent
            visible: Tabs.selectedIndex === 0
            Component.onCompleted: push(keypadView)
        }
        NavigationStack {
            id: recentsStack
            anchors.fill: parent
            visible: Tabs.selectedIndex === 1
            Component.onCompleted: push(recentsView)
        }
        NavigationStack {
            id: favoritesStack
            anchors.fill: parent
            visible: Tabs.selectedIndex === 2
            Component.onCompleted: push(favoritesView)
        }
        NavigationStack {
            id: contactsStack
            anchors.fill: parent
            visible: Tabs.selectedIndex === 3
            Component.onCompleted: push(contactsView)
        }
        NavigationStack {
            id: settingsStack
            anchors.fill: parent
            visible: Tabs.selectedIndex === 4
            Component.onCompleted: push(settingsView)
        }
    }

    TabBar {
        id: bar
        anchors.bottom: parent.bottom
        width: parent.width
    }

    Component { id: keypadView; KeypadView {} }
    Component { id: recentsView; RecentsView {} }
    Component { id: favoritesView; FavoritesView {} }
    Component { id: contactsView; ContactsView {} }
    Component { id: settingsView; SettingsView {} }
    Component { id: usageModeView; UsageModeView {} }
    Component { id: pageView; PageView {} }

    Connections {
        target: Tabs
        function onPopToRootRequested(index) { shell.stacks[index].popToRoot() }
        function onSelectedIndexChanged() {
            if (Tabs.selectedIndex === 0)
                Keypad.viewWillAppear()
            else
                Keypad.viewWillDisappear()
        }
    }

    // The settings screen's pushes.
    Connections {
        target: Settings
        function onUsageModeChooserChanged() {
            if (Settings.usageModeChooser)
                settingsStack.push(usageModeView, { chooser: Settings.usageModeChooser })
        }
        function onPageChanged() {
            if (Settings.page)
                settingsStack.push(pageView, { page: Settings.page })
        }
    }
}
