import QtQuick
import Farline.Window

// "Update Farline": one update attempt, its progress in two lines under each other, the
// spinner while it runs, Cancel until the outcome shows and Done after.
Page {
    id: view
    required property LANUpdateViewController screen
    title: screen.title
    leftButton: screen.leftButton
    leftDone: leftButton === "Done"
    onLeftTapped: leftDone ? screen.DoneUpdateAction() : screen.CancelUpdateAction()

    Component.onCompleted: screen.viewDidLoad()

    Rectangle {
        anchors.fill: parent
        color: Theme.plainBackground

        Text {
            id: mainInfo
            y: 80 - Theme.barHeight
            width: parent.width
            height: 64
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            wrapMode: Text.WordWrap
            text: view.screen.mainInfo
            color: Theme.greyText
            font.family: Theme.font
            font.pixelSize: 25
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
        Text {
            id: subInfo
            y: 150 - Theme.barHeight
            width: parent.width
            height: Math.max(50, contentHeight)
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            wrapMode: Text.WordWrap
            text: view.screen.subInfo
            color: Theme.greyText
            font.family: Theme.font
            font.pixelSize: 20
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
        // Why the attempt failed, in smaller lines of their own under the status.
        Text {
            anchors.top: subInfo.bottom
            anchors.topMargin: 12
            x: 16
            width: parent.width - 32
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
            text: view.screen.failureReason
            color: Theme.greyText
            font.family: Theme.font
            font.pixelSize: 13
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
        Spinner {
            x: parent.width / 2 - width / 2
            y: 240 - Theme.barHeight - height / 2
            running: view.screen.spinning
        }
    }
}
