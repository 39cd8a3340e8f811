pragma ComponentBehavior: Bound
import QtQuick
import Farline.Window

// The five tabs over the tab bar. Each keeps its own navigation stack (the contacts tab is a
// browser of its own); only the selected one shows.
Item {
    id: shell

    // The navigation stack of tab `index`; null until the tab first showed.
    function stack(index) {
        const tab = tabRepeater.itemAt(index) as Loader
        return tab ? tab.item as NavigationStack : null
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
            // A tab is made when it first shows, and kept. (Made from its file: a Loader of Qt 6.4
            // cannot make the inline components of a file whose components are bound.)
            delegate: Loader {
                required property string modelData
                required property int index
                anchors.fill: parent
                visible: Tabs.selectedIndex === index
                onVisibleChanged: make()
                Component.onCompleted: make()
                function make() {
                    if (visible && status === Loader.Null)
                        setSource("NavigationStack.qml", { root: Qt.resolvedUrl(modelData) })
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
