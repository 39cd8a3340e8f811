import QtQuick
import Farline.Window

// The dialer's window: the tab shell, the start screen over it on a first start, the modal
// screens of the settings tab, and the alerts over everything. Screens are read from their
// files when they first show, so that the window opens quickly.
Window {
    id: window
    width: 320
    height: 480
    minimumWidth: 320
    minimumHeight: 400
    title: "Farline"
    color: Theme.windowBackground

    TabShell {
        id: shell
        anchors.fill: parent
    }

    ModalPresenter {
        anchors.fill: parent
        screen: App.startScreen
        view: Qt.resolvedUrl("StartScreen.qml")
        // The start screen is there from the first frame; it only goes away moving.
        slidesIn: false
    }

    ModalPresenter {
        anchors.fill: parent
        screen: Settings.countryScreen
        view: Qt.resolvedUrl("SimCountryView.qml")
    }

    ModalPresenter {
        anchors.fill: parent
        screen: Favorites.showsPeoplePicker ? Favorites : null
        view: Qt.resolvedUrl("PeoplePicker.qml")
    }

    ModalPresenter {
        anchors.fill: parent
        screen: App.updateDialog
        view: Qt.resolvedUrl("UpdateView.qml")
    }

    // The in-call screen while a call that Farline follows lasts.
    Loader {
        id: inCall
        anchors.fill: parent
        function show() {
            if (App.inCallScreen)
                setSource("InCallView.qml", { screen: App.inCallScreen })
            else
                source = ""
        }
        Component.onCompleted: show()
        Connections {
            target: App
            function onInCallScreenChanged() { inCall.show() }
        }
    }

    Loader {
        anchors.fill: parent
        active: Alerts.showing
        source: "AlertDialog.qml"
    }
}
