import QtQuick
import Farline.Window

// The search bar over a list: a rounded field on a tinted bar, its text searched as it is typed.
Rectangle {
    id: bar
    property alias text: input.text
    property string placeholder: "Search"

    height: 44
    gradient: Gradient {
        GradientStop { position: 0; color: "#c9d2dc" }
        GradientStop { position: 1; color: "#aab6c4" }
    }
    Rectangle {
        anchors.fill: parent
        anchors.margins: 7
        radius: height / 2
        color: "white"
        border.color: "#8d99a6"

        Text {
            anchors.verticalCenter: parent.verticalCenter
            x: 14
            visible: input.text === "" && !input.activeFocus
            text: bar.placeholder
            color: "#9aa2ab"
            font.family: Theme.font
            font.pixelSize: 15
        }
        TextInput {
            id: input
            anchors.verticalCenter: parent.verticalCenter
            x: 14
            width: parent.width - 28 - (clear.visible ? 20 : 0)
            clip: true
            color: "black"
            selectByMouse: true
            font.family: Theme.font
            font.pixelSize: 15
            inputMethodHints: Qt.ImhNoPredictiveText
            Accessible.role: Accessible.EditableText
            Accessible.name: bar.placeholder
        }
        // Empties the field.
        Rectangle {
            id: clear
            visible: input.text !== ""
            anchors.verticalCenter: parent.verticalCenter
            anchors.right: parent.right
            anchors.rightMargin: 7
            width: 17
            height: 17
            radius: 8.5
            color: "#a9b0b8"
            Text {
                anchors.centerIn: parent
                text: "×"
                color: "white"
                font.pixelSize: 14
                font.bold: true
            }
            MouseArea {
                anchors.fill: parent
                anchors.margins: -6
                onClicked: input.text = ""
            }
            Accessible.role: Accessible.Button
            Accessible.name: "Clear search"
            Accessible.onPressAction: input.text = ""
        }
    }
}
