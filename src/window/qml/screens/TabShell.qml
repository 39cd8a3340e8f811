import QtQuick
import Farline.Window

// The five tabs over the tab bar. Each keeps its own navigation stack (the contacts tab is a
// browser of its own); only the selected one shows.
Item {
    id: shell

    // The navigation stack of tab `index`; null until the tab first showed.
    function stack(index) {
        const tab = tabRepeater.itemAt(index)
        return tab ? tab.item : null
    }

    Item {
        id: tabs
        anchors.top: parent.top
        anchors.bottom: bar.top
        width: parent.width

        Repeater {
            id: tabRepeater
            // The screens' files are read when their tab first shows, so the window opens quickly.
            model: ["KeypadView.qml", "RecentsView.qml", "FavoritesView.qml", "ContactsView.qml", "SettingsView.qml"]
            // A tab is made when it first shows, and kept.
            delegate: Loader {
                required property string modelData
                required property int index
                property bool shown: false
                anchors.fill: parent
                visible: Tabs.selectedIndex === index
                onVisibleChanged: if (visible) shown = true
                active: visible || shown
                sourceComponent: NavigationStack {
                    root: Qt.resolvedUrl(modelData)
                }
            }
        }
    }

    TabBar {
        id: bar
        anchors.bottom: parent.bottom
        width: parent.width
    }


    Connections {
        target: Tabs
        function onPopToRootRequested(index) {
            const stack = shell.stack(index)
            if (stack)
                stack.popToRoot()
        }
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
                shell.stack(4).push(Qt.resolvedUrl("UsageModeView.qml"), { chooser: Settings.usageModeChooser })
        }
        function onPageChanged() {
            if (Settings.page)
                shell.stack(4).push(Qt.resolvedUrl("PageView.qml"), { page: Settings.page })
        }
    }
}
