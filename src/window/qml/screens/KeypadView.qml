pragma ComponentBehavior: Bound
import QtQuick
import Farline.Window

// The dialling tab: the number typed so far, a line telling how it would be dialled, the
// twelve keys and the call key.
Page {
    id: view
    title: Keypad.title

    Component.onCompleted: Keypad.loadView()
    onAppeared: Keypad.viewWillAppear()
    onDisappeared: Keypad.viewWillDisappear()

    Rectangle {
        id: display
        width: parent.width
        height: Math.max(78, parent.height * 0.2)
        gradient: Gradient {
            GradientStop { position: 0; color: Theme.displayTop }
            GradientStop { position: 1; color: Theme.displayBottom }
        }

        Text {
            id: number
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.margins: 10
            anchors.verticalCenter: parent.verticalCenter
            anchors.verticalCenterOffset: -7
            horizontalAlignment: Text.AlignHCenter
            elide: Text.ElideLeft
            text: Keypad.display
            color: Theme.textOnDark
            font.family: Theme.font
            font.pixelSize: 32
            font.bold: true
            Accessible.role: Accessible.StaticText
            Accessible.name: "Number"
            Accessible.description: Keypad.display
        }
        Text {
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.margins: 10
            anchors.top: number.bottom
            anchors.topMargin: 2
            horizontalAlignment: Text.AlignHCenter
            elide: Text.ElideRight
            text: Keypad.routeText
            color: Theme.displayRouteText
            font.family: Theme.font
            font.pixelSize: Theme.smallSize
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
    }

    Rectangle {
        id: pad
        anchors.top: display.bottom
        anchors.bottom: parent.bottom
        width: parent.width
        color: Theme.padBackground

        readonly property real keyWidth: (width - 8) / 3
        readonly property real keyHeight: (height - 8) / 5

        Grid {
            id: keys
            x: 4
            y: 4
            columns: 3
            Repeater {
                model: [
                    { code: Keypad.Button1, label: "1", letters: " " },
                    { code: Keypad.Button2, label: "2", letters: "ABC" },
                    { code: Keypad.Button3, label: "3", letters: "DEF" },
                    { code: Keypad.Button4, label: "4", letters: "GHI" },
                    { code: Keypad.Button5, label: "5", letters: "JKL" },
                    { code: Keypad.Button6, label: "6", letters: "MNO" },
                    { code: Keypad.Button7, label: "7", letters: "PQRS" },
                    { code: Keypad.Button8, label: "8", letters: "TUV" },
                    { code: Keypad.Button9, label: "9", letters: "WXYZ" },
                    { code: Keypad.ButtonP, label: ",", letters: "pause" },
                    { code: Keypad.Button0, label: "0", letters: "+" },
                ]
                delegate: KeypadKey {
                    required property var modelData
                    width: pad.keyWidth
                    height: pad.keyHeight
                    code: modelData.code
                    label: modelData.label
                    letters: modelData.letters
                }
            }
            KeypadKey {
                width: pad.keyWidth
                height: pad.keyHeight
                code: Keypad.ButtonBackspace
                spokenName: "Delete"
                BackspaceGlyph {
                    anchors.centerIn: parent
                }
            }
        }

        Item {
            id: callKey
            anchors.top: keys.bottom
            anchors.bottom: parent.bottom
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.margins: 5
            enabled: Keypad.callEnabled
            opacity: enabled ? 1 : 0.4

            Rectangle {
                anchors.fill: parent
                radius: 8
                border.color: Theme.callBorder
                gradient: Gradient {
                    GradientStop { position: 0; color: callArea.pressed ? Theme.callPressedTop : Theme.callTop }
                    GradientStop { position: 0.5; color: callArea.pressed ? Theme.callPressedMiddle : Theme.callMiddle }
                    GradientStop { position: 1; color: callArea.pressed ? Theme.callPressedBottom : Theme.callBottom }
                }
            }
            Text {
                anchors.centerIn: parent
                text: "Call"
                color: Theme.textOnDark
                font.family: Theme.font
                font.pixelSize: 24
                font.bold: true
                style: Text.Raised
                styleColor: Theme.softRaisedShadow
            }
            MouseArea {
                id: callArea
                anchors.fill: parent
                onClicked: Keypad.initiateCall()
            }
            Accessible.role: Accessible.Button
            Accessible.name: "Call"
            Accessible.onPressAction: if (enabled) Keypad.initiateCall()
        }
    }
}
