pragma ComponentBehavior: Bound
import QtQuick
import Farline.Window

// The in-call screen over the tabs while a modem call lasts: whom it calls and through which
// access number, how the call stands, the keys typed, a keypad that sends them as tones, the
// speaker and mute where the handset lets Farline switch them, and "Hang up".
Rectangle {
    id: view
    required property InCallViewController screen

    gradient: Gradient {
        GradientStop { position: 0; color: Theme.displayTop }
        GradientStop { position: 1; color: Theme.padBackground }
    }

    MouseArea {
        anchors.fill: parent // nothing behind the call takes a tap
    }

    Column {
        id: heading
        y: 16
        x: 12
        width: parent.width - 24
        spacing: 4

        Text {
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            elide: Text.ElideRight
            text: view.screen.destination
            color: Theme.textOnDark
            font.family: Theme.font
            font.pixelSize: 24
            font.bold: true
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
        Text {
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            visible: view.screen.accessNumber !== ""
            text: "via " + view.screen.accessNumber
            color: Theme.displayRouteText
            font.family: Theme.font
            font.pixelSize: Theme.smallSize
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
        Text {
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            text: view.screen.stateText
            color: Theme.textOnDark
            font.family: Theme.font
            font.pixelSize: Theme.bodySize
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
        Text {
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
            visible: text !== ""
            text: view.screen.reason
            color: Theme.displayRouteText
            font.family: Theme.font
            font.pixelSize: Theme.smallSize
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
        Text {
            width: parent.width
            height: 22
            horizontalAlignment: Text.AlignHCenter
            elide: Text.ElideLeft
            text: view.screen.typed
            color: Theme.textOnDark
            font.family: Theme.font
            font.pixelSize: 18
        }
    }

    Grid {
        id: keys
        anchors.top: heading.bottom
        anchors.topMargin: 8
        anchors.bottom: toggles.top
        x: 4
        width: parent.width - 8
        columns: 3
        enabled: !view.screen.ended

        readonly property real keyWidth: width / 3
        readonly property real keyHeight: height / 4

        Repeater {
            model: [
                { label: "1", letters: "" }, { label: "2", letters: "ABC" }, { label: "3", letters: "DEF" },
                { label: "4", letters: "GHI" }, { label: "5", letters: "JKL" }, { label: "6", letters: "MNO" },
                { label: "7", letters: "PQRS" }, { label: "8", letters: "TUV" }, { label: "9", letters: "WXYZ" },
                { label: "*", letters: "" }, { label: "0", letters: "" }, { label: "#", letters: "" },
            ]
            delegate: PadButton {
                required property var modelData
                width: keys.keyWidth
                height: keys.keyHeight
                label: modelData.label
                letters: modelData.letters
                onTapped: view.screen.sendTone(label)
            }
        }
    }

    Row {
        id: toggles
        anchors.bottom: hangUp.top
        x: 4
        width: parent.width - 8
        height: view.screen.audioControls ? 44 : 0
        visible: view.screen.audioControls
        enabled: !view.screen.ended

        PadButton {
            width: parent.width / 2
            height: parent.height
            label: "Speaker"
            labelSize: Theme.valueSize
            checkable: true
            checked: view.screen.speakerOn
            onTapped: view.screen.toggleSpeaker()
        }
        PadButton {
            width: parent.width / 2
            height: parent.height
            label: "Mute"
            labelSize: Theme.valueSize
            checkable: true
            checked: view.screen.muted
            onTapped: view.screen.toggleMute()
        }
    }

    PadButton {
        id: hangUp
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 6
        x: 4
        width: parent.width - 8
        height: 52
        label: "Hang up"
        labelSize: 22
        destructive: true
        enabled: !view.screen.ended
        onTapped: view.screen.hangUp()
    }
}
