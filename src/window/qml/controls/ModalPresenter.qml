pragma ComponentBehavior: Bound
import QtQuick
import Farline.Window

// Presents a modal screen over the window while its controller stands: it rises from the
// bottom in a navigation stack of its own and sinks away when the controller goes.
Item {
    id: presenter

    property QtObject screen: null
    // The URL of the screen's QML file.
    property url view
    property bool slidesIn: true

    property NavigationStack shown: null
    visible: shown !== null

    onScreenChanged: {
        if (screen && !shown) {
            shown = stack.createObject(presenter, { y: slidesIn ? presenter.height : 0 })
            shown.push(view, { screen: screen })
            if (slidesIn)
                rise.start()
        } else if (!screen && shown) {
            sink.start()
        }
    }

    Component {
        id: stack
        NavigationStack {
            width: presenter.width
            height: presenter.height
        }
    }

    NumberAnimation {
        id: rise
        target: presenter.shown
        property: "y"
        to: 0
        duration: Theme.moveMs
        easing.type: Easing.OutCubic
    }
    SequentialAnimation {
        id: sink
        NumberAnimation {
            target: presenter.shown
            property: "y"
            to: presenter.height
            duration: Theme.moveMs
            easing.type: Easing.InCubic
        }
        ScriptAction {
            script: {
                presenter.shown.destroy()
                presenter.shown = null
                // A new screen may have come while the old one went.
                if (presenter.screen)
                    presenter.screenChanged()
            }
        }
    }

    Component.onCompleted: if (screen) screenChanged()
}
