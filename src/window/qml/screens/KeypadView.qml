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
            GradientStop { position: 0; color: "#33373c" }
            GradientStop { position: 1; color: "#141518" }
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
            color: "white"
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
            color: "#a9b3bf"
            font.family: Theme.font
            font.pixelSize: 12
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
    }

    Rectangle {
        id: pad
        anchors.top: display.bottom
        anchors.bottom: parent.bottom
        width: parent.width
        color: "#0d0e10"

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
                border.color: "#0b3d12"
                gradient: Gradient {
                    GradientStop { position: 0; color: callArea.pressed ? "#2c8a3c" : "#62d46f" }
                    GradientStop { position: 0.5; color: callArea.pressed ? "#1f7430" : "#36b248" }
                    GradientStop { position: 1; color: callArea.pressed ? "#17601f" : "#239434" }
                }
            }
            Text {
                anchors.centerIn: parent
                text: "Call"
                color: "white"
                font.family: Theme.font
                font.pixelSize: 24
                font.bold: true
                style: Text.Raised
                styleColor: "#60000000"
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
