import QtQuick
import QtQuick.Window
import Farline.Window

// The dialer's window: the tab shell, the start screen over it on a first start, the modal
// screens of the settings tab, and the alerts over everything.
Window {
    id: window
    width: 320
    height: 480
    minimumWidth: 320
    minimumHeight: 400
    title: "Farline"
    color: "black"

    TabShell {
        id: shell
        anchors.fill: parent
    }

    ModalPresenter {
        anchors.fill: parent
        screen: App.startScreen
        view: Component { StartScreen {} }
        // The start screen is there from the first frame; it only goes away moving.
        slidesIn: false
    }

    ModalPresenter {
        anchors.fill: parent
        screen: Settings.countryScreen
        view: Component { SimCountryView {} }
    }

    ModalPresenter {
        anchors.fill: parent
        screen: App.updateDialog
        view: Component { UpdateView {} }
    }

    AlertDialog {
        anchors.fill: parent
    }
}
